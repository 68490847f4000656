#include "ui/forms/form.h"

#include "ui/forms/colour.h"
#include "ui/forms/container.h"

namespace quellan::forms {

DWORD Form::StyleFor(const FormLook& look) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (look.minimizeButton) style |= WS_MINIMIZEBOX;
  if (look.maximizeButton) style |= WS_MAXIMIZEBOX;
  if (look.resizable) style |= WS_THICKFRAME;
  return style;
}

RECT Form::CentredBounds(const FormLook& look) {
  RECT outer{0, 0, look.clientWidth, look.clientHeight};
  AdjustWindowRectEx(&outer, StyleFor(look), FALSE, 0);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const int left = (screenWidth - width) / 2;
  const int top = (screenHeight - height) / 2;
  return RECT{left, top, left + width, top + height};
}

void Form::CreateForm(const wchar_t* className, const FormLook& look) {
  RegisterClassOnce(className, 0, nullptr, nullptr, look.icon);
  m_back.reset(CreateSolidBrush(ResolveColour(look.backColour)));
  const RECT bounds = CentredBounds(look);
  Create(className, reinterpret_cast<const wchar_t*>(look.caption.c_str()), StyleFor(look), WS_EX_CONTROLPARENT,
         bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr);
  if (m_hwnd && look.icon) {
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(look.icon));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(look.icon));
  }
}

void Form::RestoreFocus() {
  if (m_lastFocus && IsWindow(m_lastFocus) && IsChild(m_hwnd, m_lastFocus) && IsWindowEnabled(m_lastFocus) &&
      IsWindowVisible(m_lastFocus)) {
    SetFocus(m_lastFocus);
    return;
  }
  HWND first = GetNextDlgTabItem(m_hwnd, nullptr, FALSE);
  SetFocus(first ? first : m_hwnd);
}

LRESULT Form::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (HandleContainerMessage(m_hwnd, m_back.get(), msg, wp, lp, result)) return result;
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(m_hwnd, focus)) m_lastFocus = focus;
      } else if (!HIWORD(wp)) {  // not while minimised
        RestoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_DESTROY:
      if (m_quitOnDestroy) PostQuitMessage(0);
      return 0;
    default:
      return Window::OnMessage(msg, wp, lp);
  }
}

}  // namespace quellan::forms
