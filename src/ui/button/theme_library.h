#pragma once
// The visual-style entry points (OpenThemeData, DrawThemeBackground, CloseThemeData), found at run
// time with LoadLibraryW + GetProcAddress, so the program starts and draws its classic look on a
// system without uxtheme.dll or without one of them. Nothing of a theme is kept between calls.
#include <windows.h>

#include <memory>

namespace quellan::button {

class ThemeLibrary {
 public:
  // Loads the named library (never throws; a missing library or entry point leaves it unusable).
  explicit ThemeLibrary(const wchar_t* dllName);
  ~ThemeLibrary();
  ThemeLibrary(const ThemeLibrary&) = delete;
  ThemeLibrary& operator=(const ThemeLibrary&) = delete;

  // The system's uxtheme.dll, loaded once per process.
  static std::shared_ptr<const ThemeLibrary> System();

  // The library and all three entry points were found.
  bool Usable() const { return m_open && m_draw && m_close; }

  // Opens the theme data of classList for hwnd, draws partId/stateId into rect (clipped to rect)
  // and closes the handle again. True exactly when the drawing call returned S_OK; false when the
  // library is unusable, no theme data comes back, or the drawing call fails.
  bool Draw(HWND hwnd, HDC dc, const wchar_t* classList, int partId, int stateId, const RECT& rect) const;

 private:
  using Theme = HANDLE;
  using OpenThemeDataFn = Theme(WINAPI*)(HWND, LPCWSTR);
  using DrawThemeBackgroundFn = HRESULT(WINAPI*)(Theme, HDC, int, int, const RECT*, const RECT*);
  using CloseThemeDataFn = HRESULT(WINAPI*)(Theme);

  HMODULE m_module = nullptr;
  OpenThemeDataFn m_open = nullptr;
  DrawThemeBackgroundFn m_draw = nullptr;
  CloseThemeDataFn m_close = nullptr;
};

}  // namespace quellan::button
