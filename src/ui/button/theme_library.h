#pragma once
// The visual-style entry points (OpenThemeData, DrawThemeBackground, CloseThemeData), found at run
// time in the system folder's uxtheme.dll, so the program starts and draws its classic look on a
// system without uxtheme.dll or without one of them. Nothing of a theme is kept between calls.
#include <windows.h>

#include "win32/handles.h"

namespace quellan::button {

class ThemeLibrary {
 public:
  // Loads the named library from the system folder (never throws; a missing library or entry point leaves it unusable).
  explicit ThemeLibrary(const wchar_t* dllName);

  // The system's uxtheme.dll, loaded once per process.
  static const ThemeLibrary& System();

  // The library and all three entry points were found.
  bool Usable() const { return m_open && m_draw && m_close; }

  // Opens the theme data of classList for hwnd, draws partId/stateId into rect (clipped to rect)
  // and closes the handle again. True exactly when the drawing call returned S_OK; false when the
  // library is unusable, no theme data comes back, or the drawing call fails.
  bool Draw(HWND hwnd, HDC dc, const wchar_t* classList, int partId, int stateId, const RECT& rect) const;

 private:
  using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
  using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
  using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);
  struct CloseTheme {
    CloseThemeDataFn close = nullptr;
    void operator()(HANDLE theme) const { close(theme); }
  };

  win32::UniqueModule m_module;
  OpenThemeDataFn m_open = nullptr;
  DrawThemeBackgroundFn m_draw = nullptr;
  CloseThemeDataFn m_close = nullptr;
};

}  // namespace quellan::button
