#include "ui/forms/window.h"

namespace quellan::forms {

Window::~Window() {
  if (m_hwnd && IsWindow(m_hwnd)) {
    // The object is going away: detach it first so no message reaches a dead object.
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hwnd);
  }
}

ATOM Window::RegisterClassOnce(const wchar_t* className, UINT style, HCURSOR cursor, HBRUSH background, HICON icon) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (ATOM atom = static_cast<ATOM>(GetClassInfoExW(instance, className, &wc))) return atom;
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = &Window::Procedure;
  wc.hInstance = instance;
  wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.lpszClassName = className;
  return RegisterClassExW(&wc);
}

void Window::Superclass(const wchar_t* className, const wchar_t* baseClassName) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(nullptr, baseClassName, &wc)) return;
  m_base = wc.lpfnWndProc;
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, className, &existing)) return;
  wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  wc.lpfnWndProc = &Window::Procedure;
  wc.hInstance = instance;
  wc.lpszClassName = className;
  wc.lpszMenuName = nullptr;
  RegisterClassExW(&wc);
}

HWND Window::Create(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y, int width,
                    int height, HWND parent, HMENU idOrMenu) {
  return CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent, idOrMenu,
                         GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->m_hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  const LRESULT result = self->OnMessage(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->m_hwnd = nullptr;
  }
  return result;
}

}  // namespace quellan::forms
