#pragma once
// A top-level form: a window with a fixed single border and a minimize button, whose client area
// has the size asked for, with a back colour, centred on the screen. It paints its back colour for itself and its
// transparent children, reflects its controls' notifications back to them, and keeps the keyboard focus on one of its
// controls: the first tab stop when it is first activated, and the control that last had the focus whenever it is
// activated again.
#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/forms/window.h"
#include "win32/handles.h"

namespace quellan::forms {

struct FormLook {
  std::u16string caption;
  int clientWidth;   // pixels
  int clientHeight;  // pixels
  std::uint32_t backColour;
  // May be null. Loaded with LoadIconW (shared), so that the title bar's small icon can be taken
  // from the same resource's own small image instead of this one scaled down.
  HICON icon;
};

class Form : public Window {
 public:
  // Ends the message loop (PostQuitMessage) when this form is destroyed; the application's main
  // form does so, forms in tests do not.
  void QuitOnDestroy(bool quit) { m_quitOnDestroy = quit; }
  // Gives the client area a new size, keeping the window's top-left corner.
  void SetClientSize(int width, int height);
  // Centres the window on the primary screen.
  void Centre();

 protected:
  // Creates the window hidden and centred; the caller adds the controls, centres it again if they
  // changed its size, and then shows it.
  void CreateForm(const wchar_t* className, const FormLook& look);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void RestoreFocus();

  win32::Brush m_back;
  win32::UniqueHandle<HICON, win32::CloseWith<&DestroyIcon>> m_smallIcon;
  HWND m_lastFocus = nullptr;
  bool m_quitOnDestroy = false;
};

}  // namespace quellan::forms
