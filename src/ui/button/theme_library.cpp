#include "ui/button/theme_library.h"

#include "win32/system_library.h"

namespace quellan::button {

using win32::EntryPoint;

ThemeLibrary::ThemeLibrary(const wchar_t* dllName)
    : m_module(win32::LoadSystemLibrary(dllName)),
      m_open(EntryPoint<OpenThemeDataFn>(m_module.get(), "OpenThemeData")),
      m_draw(EntryPoint<DrawThemeBackgroundFn>(m_module.get(), "DrawThemeBackground")),
      m_close(EntryPoint<CloseThemeDataFn>(m_module.get(), "CloseThemeData")) {}

const ThemeLibrary& ThemeLibrary::System() {
  static const ThemeLibrary system(L"uxtheme.dll");
  return system;
}

bool ThemeLibrary::Draw(HWND hwnd, HDC dc, const wchar_t* classList, int partId, int stateId, const RECT& rect) const {
  if (!Usable()) return false;
  // The theme data lives for this one drawing only, so a change of visual style shows at the next.
  const win32::UniqueHandle<HANDLE, CloseTheme> theme(m_open(hwnd, classList), CloseTheme{m_close});
  return theme && m_draw(theme.get(), dc, partId, stateId, &rect, &rect) == S_OK;
}

}  // namespace quellan::button
