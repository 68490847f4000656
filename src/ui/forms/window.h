#pragma once
// Base of every window and control class: one static window procedure finds the object at
// WM_NCCREATE (from CreateWindowExW's lpParam) and forwards every message to OnMessage.
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
  // Registers className once as a superclass of the system class baseClassName (a list box, a
  // button): Procedure becomes its procedure and *baseProcedure receives the system one, which the
  // derived class calls for everything it does not handle itself.
  static ATOM RegisterSuperclassOnce(const wchar_t* className, const wchar_t* baseClassName, WNDPROC* baseProcedure);
  // CreateWindowExW with this object as the creation parameter; m_hwnd is set at WM_NCCREATE.
  HWND Create(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y, int width,
              int height, HWND parent, HMENU idOrMenu = nullptr);

  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(m_hwnd, msg, wp, lp); }
  // Called after WM_NCDESTROY; m_hwnd is already null.
  virtual void OnDestroyed() {}

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND m_hwnd = nullptr;
};

}  // namespace quellan::forms
