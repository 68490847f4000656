#pragma once
// Base of every window and control class: one static window procedure finds the object at
// WM_NCCREATE (from CreateWindowExW's lpParam) and forwards every message to OnMessage. A control
// built on a system class (list box, button) superclasses it, so its messages reach the object
// too, and whatever the object does not handle goes on to the system's procedure.
#include <windows.h>

namespace quellan::forms {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return m_hwnd; }

 protected:
  // Registers the class once per process (the name is the key) with Procedure as its procedure.
  static ATOM RegisterClassOnce(const wchar_t* className, UINT style = 0, HCURSOR cursor = nullptr,
                                HBRUSH background = nullptr, HICON icon = nullptr);
  // Registers className once as a superclass of the system class baseClassName and remembers the
  // system's procedure for CallBase.
  void Superclass(const wchar_t* className, const wchar_t* baseClassName);
  // CreateWindowExW with this object as the creation parameter; m_hwnd is set at WM_NCCREATE.
  HWND Create(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y, int width,
              int height, HWND parent, HMENU idOrMenu = nullptr);
  // A child window at a rectangle of its parent's client area, with a control id.
  HWND CreateChild(HWND parent, int id, const RECT& bounds, const wchar_t* className, const wchar_t* text, DWORD style,
                   DWORD exStyle) {
    return Create(className, text, style | WS_CHILD, exStyle, bounds.left, bounds.top, bounds.right - bounds.left,
                  bounds.bottom - bounds.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  }

  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return CallBase(msg, wp, lp); }
  LRESULT CallBase(UINT msg, WPARAM wp, LPARAM lp) { return CallWindowProcW(m_base, m_hwnd, msg, wp, lp); }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND m_hwnd = nullptr;

 private:
  WNDPROC m_base = &DefWindowProcW;
};

}  // namespace quellan::forms
