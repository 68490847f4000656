#include "ui/button/theme_library.h"

#include "ui/forms/entry_point.h"

namespace quellan::button {

using forms::EntryPoint;

ThemeLibrary::ThemeLibrary(const wchar_t* dllName) : m_module(LoadLibraryW(dllName)) {
  m_open = EntryPoint<OpenThemeDataFn>(m_module, "OpenThemeData");
  m_draw = EntryPoint<DrawThemeBackgroundFn>(m_module, "DrawThemeBackground");
  m_close = EntryPoint<CloseThemeDataFn>(m_module, "CloseThemeData");
}

ThemeLibrary::~ThemeLibrary() {
  if (m_module) FreeLibrary(m_module);
}

std::shared_ptr<const ThemeLibrary> ThemeLibrary::System() {
  static const std::shared_ptr<const ThemeLibrary> system = std::make_shared<const ThemeLibrary>(L"uxtheme.dll");
  return system;
}

bool ThemeLibrary::Draw(HWND hwnd, HDC dc, const wchar_t* classList, int partId, int stateId, const RECT& rect) const {
  if (!Usable()) return false;
  // The theme data lives for this one drawing only, so a change of visual style shows at the next.
  struct OpenTheme {
    Theme handle;
    CloseThemeDataFn close;
    ~OpenTheme() {
      if (handle) close(handle);
    }
  } theme{m_open(hwnd, classList), m_close};
  if (!theme.handle) return false;
  return m_draw(theme.handle, dc, partId, stateId, &rect, &rect) == S_OK;
}

}  // namespace quellan::button
