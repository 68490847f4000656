#pragma once
// The main window under Wine, made on the prefix's real registry, with its controls found through the
// layout table: what the window tests and the accessibility tests share.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "harness.h"
#include "policy/win32_registry.h"
#include "ui/main/frm_main.h"

namespace quellan::mainwindow {

using namespace quellan::harness;

struct Value {
  HKEY root;
  const wchar_t *path, *name;
};
inline const wchar_t kExplorer[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline const Value kCdrom{HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\CDRom", L"AutoRun"};
inline const Value kLetters{HKEY_CURRENT_USER, kExplorer, L"NoDriveAutoRun"};
inline const Value kTypes{HKEY_CURRENT_USER, kExplorer, L"NoDriveTypeAutoRun"};
inline const Value kDefaultTypes{
    HKEY_USERS, L".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoDriveTypeAutoRun"};
inline const Value kAutoplay{
    HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers", L"DisableAutoplay"};
inline const Value kNoAutorun{HKEY_CURRENT_USER, kExplorer, L"NoAutorun"};

inline void Seed(const Value& v, DWORD value) {
  RegSetKeyValueW(v.root, v.path, v.name, REG_DWORD, &value, sizeof value);
}
inline std::optional<DWORD> Stored(const Value& v) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(v.root, v.path, v.name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) return {};
  return value;
}

// The real registry, refusing every key creation when told to, counting the values written.
struct Registry : policy::Win32Registry {
  std::int32_t CreateKey(std::uint32_t root, const std::string& path, policy::KeyHandle* key) override {
    *key = 0;
    if (refused) return policy::kErrorAccessDenied;
    ++writes;
    return Win32Registry::CreateKey(root, path, key);
  }
  bool refused = false;
  int writes = 0;
};

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const Value& v : {kCdrom, kLetters, kTypes, kDefaultTypes, kAutoplay, kNoAutorun})
      RegDeleteKeyValueW(v.root, v.path, v.name);
  }
  void Open(int dpi = 96) {
    form = std::make_unique<frmMain>(reg, dpi);
    ASSERT_TRUE(form->Load());
    SetForegroundWindow(form->hwnd());
    Pump(60, form->hwnd());
  }
  void TearDown() override { form.reset(); }
  HWND Control(std::string_view name) const {
    const HWND frame = GetDlgItem(form->hwnd(), kControlIdBase + static_cast<int>(RowIndex("fraSet")));
    const std::size_t row = RowIndex(name);
    return GetDlgItem(MainControls()[row].parent == Parent::Frame ? frame : form->hwnd(), kControlIdBase + row);
  }
  // The ticks of lstDrvs (a bit per letter) and lstDrvTypes (a bit per type), as a save would write them.
  std::tuple<std::uint32_t, std::uint32_t> Ticks() const { return {form->Ticks().letters, form->Ticks().types}; }
  LRESULT Checked() const { return SendMessageW(Control("chkGlobal"), BM_GETCHECK, 0, 0); }
  POINT OverEntry(const char* list, int index) const {
    RECT r{};
    SendMessageW(Control(list), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return ScreenPoint(Control(list), POINT{r.left + 40, (r.top + r.bottom) / 2});
  }
  // Whether the client area, with nothing under the pointer, shows the reference picture `name`.
  ::testing::AssertionResult Shows(const char* name) {
    MoveTo(POINT{0, 0});
    Pump(300, form->hwnd());
    return MatchesReference(CaptureClient(form->hwnd()), QUELLAN_REFERENCES + std::string("/") + name + ".ppm");
  }
  void ClickOn(const char* name) {
    Click(ScreenPoint(Control(name)));
    Pump(80, form->hwnd());
  }
  std::u16string Tip(const char* name) const {
    wchar_t text[256] = {};
    const HWND tool = Control(name);
    TTTOOLINFOW info{TTTOOLINFOW_V1_SIZE, 0, GetParent(tool), reinterpret_cast<UINT_PTR>(tool), {}, {}, text, 0, {}};
    SendMessageW(FindWindowW(TOOLTIPS_CLASSW, nullptr), TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
    return reinterpret_cast<const char16_t*>(text);
  }

  Registry reg;
  std::unique_ptr<frmMain> form;
};

}  // namespace quellan::mainwindow
