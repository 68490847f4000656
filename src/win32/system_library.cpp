#include "win32/system_library.h"

#include <commctrl.h>

#include <string>

#include "win32/handles.h"

namespace quellan::win32 {

namespace {
// Null where the system lacks it; the LOAD_LIBRARY_SEARCH_* flags exist exactly where it exists.
const auto g_setDefaultDllDirectories =
    EntryPoint<BOOL(WINAPI*)(DWORD)>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
}  // namespace

void RestrictDllSearch() {
  if (g_setDefaultDllDirectories) g_setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  // By name, so that the manifest still selects the side-by-side comctl32; searched in the system
  // folder only. Without the search flags, by the system folder's full path.
  if (g_setDefaultDllDirectories) return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L'\\' + name).c_str());
}

void InitCommonControlClasses(DWORD classes) {
  static const auto init =
      EntryPoint<decltype(&InitCommonControlsEx)>(LoadSystemLibrary(L"comctl32.dll"), "InitCommonControlsEx");
  INITCOMMONCONTROLSEX wanted{sizeof(wanted), classes};
  if (init) init(&wanted);
}

}  // namespace quellan::win32
