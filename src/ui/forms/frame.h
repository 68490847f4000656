#pragma once
// A frame without a border: a container that only groups its controls. It has its container's back
// colour and no caption on screen, so its children appear directly on the window; it takes part in
// the tab order through its children (WS_EX_CONTROLPARENT). Accessibility clients see a grouping
// named by its caption.
#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/forms/accessible.h"
#include "ui/forms/window.h"
#include "win32/handles.h"

namespace quellan::forms {

class Frame : public Window, private AccessibleSource {
 public:
  // The caption is kept as the window text only; a borderless frame never shows it.
  void Create(HWND parent, int id, const RECT& bounds, const std::u16string& caption, std::uint32_t backColour);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  long AccessibleRole(long) const override;
  std::u16string AccessibleName(long) const override { return m_name; }

  win32::Brush m_back;
  std::u16string m_name;
  Accessible m_accessible{*this};
};

}  // namespace quellan::forms
