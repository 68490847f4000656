#pragma once
// A top-level form: a fixed-size window whose client area has the size asked for, with a back
// colour, centred on the screen. It paints its back colour for itself and its transparent
// children, reflects its controls' notifications back to them, and keeps the keyboard focus on
// one of its controls: the first tab stop when it is first activated, and the control that last
// had the focus whenever it is activated again.
#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/forms/handles.h"
#include "ui/forms/window.h"

namespace quellan::forms {

struct FormLook {
  std::u16string caption;
  int clientWidth;   // pixels
  int clientHeight;  // pixels
  std::uint32_t backColour;
  bool minimizeButton;
  bool maximizeButton;
  bool resizable;
  HICON icon;  // may be null
};

class Form : public Window {
 public:
  // Ends the message loop (PostQuitMessage) when this form is destroyed; the application's main
  // form does so, forms in tests do not.
  void QuitOnDestroy(bool quit) { m_quitOnDestroy = quit; }

  // The window style for a look: a fixed single border has a title bar and system menu, no sizing.
  static DWORD StyleFor(const FormLook& look);
  // The outer rectangle, centred on the primary screen, whose client area is exactly
  // the size asked for.
  static RECT CentredBounds(const FormLook& look);

 protected:
  // Creates the window hidden; the caller adds the controls and then shows it.
  void CreateForm(const wchar_t* className, const FormLook& look);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void RestoreFocus();

  Brush m_back;
  HWND m_lastFocus = nullptr;
  bool m_quitOnDestroy = false;
};

}  // namespace quellan::forms
