#include "ui/forms/form.h"

#include "ui/forms/colour.h"
#include "ui/forms/container.h"

namespace quellan::forms {

namespace {
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_MINIMIZEBOX;

SIZE OuterSize(int clientWidth, int clientHeight) {
  RECT outer{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}
}  // namespace

void Form::CreateForm(const wchar_t* className, const FormLook& look) {
  RegisterClassOnce(className, 0, nullptr, nullptr, look.icon);
  m_back.reset(CreateSolidBrush(ResolveColour(look.backColour)));
  const auto [width, height] = OuterSize(look.clientWidth, look.clientHeight);
  Create(className, win32::Wide(look.caption), kStyle, WS_EX_CONTROLPARENT, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
         (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr);
  if (m_hwnd && look.icon) {
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(look.icon));
    // The resource's image of the small size (16x16 at 96 DPI), reloaded from the resource.
    m_smallIcon.reset(static_cast<HICON>(CopyImage(look.icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), LR_COPYFROMRESOURCE)));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon ? m_smallIcon.get() : look.icon));
  }
}

void Form::SetClientSize(int width, int height) {
  const SIZE outer = OuterSize(width, height);
  SetWindowPos(m_hwnd, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Centre() {
  RECT r{};
  GetWindowRect(m_hwnd, &r);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
  // Moving a window costs a round trip to the window server even when it stays where it is.
  if (r.left == x && r.top == y) return;
  SetWindowPos(m_hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
