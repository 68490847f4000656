#include "ui/main/links.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "harness.h"
#include "ui/main/maker_identity.h"

namespace quellan::mainwindow {
namespace {

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The "open" command of a URL scheme. Wine looks URL schemes up in the machine's classes only.
const std::wstring kClasses = L"Software\\Classes\\";
std::wstring Command(const std::wstring& scheme) {
  wchar_t value[1024] = {};
  DWORD bytes = sizeof(value) - sizeof(wchar_t);
  RegGetValueW(HKEY_LOCAL_MACHINE, (kClasses + scheme + L"\\shell\\open\\command").c_str(), nullptr, RRF_RT_REG_SZ,
               nullptr, value, &bytes);
  return value;
}
LSTATUS SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  return RegSetKeyValueW(HKEY_LOCAL_MACHINE, (kClasses + key).c_str(), name, REG_SZ, text.c_str(),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// The record file's text once the recorder has written it; empty if it never does.
std::wstring WaitForRecord(const std::wstring& file) {
  if (!testing::PumpUntil([&] { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000))
    return L"";
  std::wstring text(4096, L'\0');
  FILE* f = _wfopen(file.c_str(), L"rb");
  text.resize(f ? fread(&text[0], sizeof(wchar_t), text.size(), f) : 0);
  if (f) fclose(f);
  DeleteFileW(file.c_str());
  return text;
}

// A box shown by a link would hold the test in its modal loop: the timer closes it and tells.
bool g_boxShown = false;
void CALLBACK CloseStrayBox(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND box = FindWindowW(L"#32770", nullptr)) g_boxShown = PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

TEST(Links, EachLinkHandsItsAddressToTheShellHiddenAndShowsNothing) {
  wchar_t exe[MAX_PATH], temp[MAX_PATH];
  std::wstring recorder(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
  recorder = recorder.substr(0, recorder.find_last_of(L"\\/") + 1) + L"quellan_shell_recorder.exe";
  const std::wstring record =
      std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + L"quellan_link_" + std::to_wstring(GetCurrentProcessId());
  const UINT_PTR timer = SetTimer(nullptr, 0, 1000, CloseStrayBox);
  const struct {
    const wchar_t* scheme;
    std::function<void(HWND)> click;
    std::wstring address;
  } cases[] = {
      {L"http", OpenHomePage, Widen(identity::kHomePageUrl)},
      {L"ymsgr", OpenMessenger, L"ymsgr:sendIM?" + Widen(identity::kMessengerId) + L"&m=Hello hello^^"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scheme);
    // The scheme's command is the recorder for the length of the case; Wine's own browser command
    // for "http" comes back afterwards, a scheme that had none is removed.
    const std::wstring previous = Command(c.scheme), command = c.scheme + std::wstring(L"\\shell\\open\\command");
    ASSERT_EQ(SetValue(command, nullptr, L"\"" + recorder + L"\" \"" + record + L"\" \"%1\""), ERROR_SUCCESS);
    if (previous.empty()) {
      ASSERT_EQ(SetValue(c.scheme, L"URL Protocol", L""), ERROR_SUCCESS);
    }
    c.click(nullptr);
    EXPECT_EQ(WaitForRecord(record), c.address + L"\nshow=0\n");
    EXPECT_EQ(previous.empty() ? RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClasses + c.scheme).c_str())
                               : SetValue(command, nullptr, previous),
              ERROR_SUCCESS);
  }
  KillTimer(nullptr, timer);
  EXPECT_FALSE(g_boxShown) << "a link showed a message box";
}

}  // namespace
}  // namespace quellan::mainwindow
