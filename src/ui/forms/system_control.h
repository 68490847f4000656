#pragma once
// A window of one of the platform's own control classes (list box, button), superclassed so that
// its messages reach a C++ object like every other window: the object handles what it needs and
// passes the rest to the platform's procedure.
#include <windows.h>

#include "ui/forms/window.h"

namespace quellan::forms {

class SystemControl : public Window {
 public:
  ~SystemControl() override;

 protected:
  // Registers className as a superclass of baseClassName (once) and remembers the base procedure.
  void Superclass(const wchar_t* className, const wchar_t* baseClassName);
  LRESULT CallBase(UINT msg, WPARAM wp, LPARAM lp) { return CallWindowProcW(m_base, m_hwnd, msg, wp, lp); }
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override { return CallBase(msg, wp, lp); }

 private:
  WNDPROC m_base = &DefWindowProcW;
};

}  // namespace quellan::forms
