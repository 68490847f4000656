// Quellan.exe copied into a folder with DLLs planted beside it, named as DLLs it loads, and Wine told
// to prefer such copies to its own, as Windows' search order would: none may be loaded on the paths
// that load DLLs (start-up, the export dialog), and the manifest's common controls and the dialog
// still work.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <filesystem>

#include "harness.h"
#include "win32/system_library.h"

namespace quellan {
namespace {

namespace fs = std::filesystem;

// DLLs Quellan loads, or that those load, that Wine does not load into every process before its first
// line (uxtheme, ole32 and version are, so they prove nothing here).
const wchar_t* const kPlanted[] = {L"comctl32", L"comdlg32", L"shell32", L"oleaut32", L"shlwapi", L"actxprxy"};
const fs::path kBuilt = fs::path(_pgmptr).parent_path(), kMarkDll = kBuilt / L"..\\support\\quellan_mark_dll.dll";

// The full path of the process's module of that name, or empty.
std::wstring ModulePath(HANDLE process, const wchar_t* name) {
  HMODULE modules[512];
  DWORD bytes = 0;
  EnumProcessModules(process, modules, sizeof modules, &bytes);
  for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameExW(process, modules[i], path, MAX_PATH);
    if (fs::path(path).stem() == name) return path;
  }
  return {};
}

TEST(PlantedDlls, NoneBesideTheProgramIsLoaded) {
  const fs::path dir = fs::temp_directory_path() / (L"quellan-planted-" + std::to_wstring(GetCurrentProcessId()));
  fs::create_directories(dir);
  fs::copy_file(kBuilt / L"..\\..\\src\\app\\Quellan.exe", dir / L"Quellan.exe");
  // Wine's own per-program setting: the program named Quellan.exe prefers a DLL its search finds.
  const wchar_t* const overrides = L"Software\\Wine\\AppDefaults\\Quellan.exe\\DllOverrides";
  for (const wchar_t* name : kPlanted) {
    fs::copy_file(kMarkDll, dir / (std::wstring(name) + L".dll"));
    RegSetKeyValueW(HKEY_CURRENT_USER, overrides, name, REG_SZ, L"native,builtin", sizeof L"native,builtin");
  }
  SetEnvironmentVariableW(L"QUELLAN_MARK_DIR", dir.c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  std::wstring commandLine = L"\"" + (dir / L"Quellan.exe").wstring() + L"\"";
  ASSERT_TRUE(
      CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup, &child));
  HWND main = nullptr, dialog = nullptr;
  EXPECT_TRUE(
      harness::PumpUntil([&] { return (main = harness::FindThreadWindow(L"QuellanMain", child.dwProcessId)); }));
  PostMessageW(main, WM_SYSCOMMAND, 0x10, 0);  // "Export as .reg file..."
  EXPECT_TRUE(harness::PumpUntil([&] { return (dialog = harness::FindThreadWindow(L"#32770", child.dwProcessId)); }))
      << "the export dialog did not open";
  // Version 6, side by side, as the manifest asks: it draws the visual style.
  EXPECT_NE(ModulePath(child.hProcess, L"comctl32").find(L"\\winsxs\\"), std::wstring::npos);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  harness::Pump(300);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(child.hProcess, 10000), WAIT_OBJECT_0);
  TerminateProcess(child.hProcess, 1);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  for (const auto& entry : fs::directory_iterator(dir))
    EXPECT_NE(entry.path().extension(), L".loaded") << entry.path().filename().string() << ": a planted DLL ran";
  fs::remove_all(dir);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\Quellan.exe");
}

// Once restricted, a load by name finds nothing in the program's own folder, where a DLL of that name lies.
TEST(PlantedDlls, TheRestrictedSearchSkipsTheProgramsFolder) {
  const fs::path beside = kBuilt / L"quellan_probe.dll";
  CopyFileW(kMarkDll.c_str(), beside.c_str(), FALSE);
  SetEnvironmentVariableW(L"QUELLAN_MARK_DIR", nullptr);
  win32::RestrictDllSearch();
  EXPECT_EQ(LoadLibraryW(L"quellan_probe.dll"), nullptr);
  EXPECT_NE(LoadLibraryW(beside.c_str()), nullptr) << "the probe itself cannot be loaded";
}

}  // namespace
}  // namespace quellan
