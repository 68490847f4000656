#include "ui/main/links.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "ui/forms/handles.h"
#include "ui/main/maker_identity.h"

namespace quellan::mainwindow {
namespace {

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring Command(const std::wstring& key) {
  wchar_t value[1024] = {};
  DWORD bytes = sizeof(value) - sizeof(wchar_t);
  RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &bytes);
  return value;
}

LSTATUS SetCommand(const std::wstring& key, const std::wstring& command) {
  return RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, command.c_str(),
                         static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

// For the length of a test the scheme's "open" command is `command`. Wine looks URL schemes up in
// the machine's classes only, so it goes there; a scheme registered before (Wine's browser for
// "http") gets its command back afterwards, one that was not is removed.
class SchemeHandler {
 public:
  SchemeHandler(const std::wstring& scheme, const std::wstring& command)
      : m_scheme(L"Software\\Classes\\" + scheme), m_command(m_scheme + L"\\shell\\open\\command") {
    m_previous = Command(m_command);
    HKEY existing = nullptr;
    m_created = RegOpenKeyExW(HKEY_LOCAL_MACHINE, m_scheme.c_str(), 0, KEY_READ, &existing) != ERROR_SUCCESS;
    forms::UniqueHandle<HKEY, &RegCloseKey> close(existing);
    if (!m_created && m_previous.empty()) return;  // registered without a command: not ours to change
    m_ready = SetCommand(m_command, command) == ERROR_SUCCESS &&
              (!m_created ||
               RegSetKeyValueW(HKEY_LOCAL_MACHINE, m_scheme.c_str(), L"URL Protocol", REG_SZ, L"", 2) == ERROR_SUCCESS);
  }
  ~SchemeHandler() {
    if (m_created) {
      EXPECT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_scheme.c_str()), ERROR_SUCCESS);
    } else if (m_ready) {
      EXPECT_EQ(SetCommand(m_command, m_previous), ERROR_SUCCESS);
    }
  }
  bool Ready() const { return m_ready; }

 private:
  std::wstring m_scheme, m_command, m_previous;
  bool m_created = false, m_ready = false;
};

// The record file's lines once the recorder has written it; none if it never does.
std::wstring WaitForRecord(const std::wstring& file) {
  for (DWORD start = GetTickCount(); GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES; Sleep(20)) {
    if (GetTickCount() - start > 20000) return L"";
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
  }
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
  if (HWND box = FindWindowW(L"#32770", nullptr);
      box && GetWindowThreadProcessId(box, nullptr) == GetCurrentThreadId()) {
    g_boxShown = true;
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  }
}

TEST(Links, EachLinkHandsItsAddressToTheShellHiddenAndShowsNothing) {
  forms::UniqueWindow owner(
      CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr));
  wchar_t exe[MAX_PATH], temp[MAX_PATH];
  std::wstring recorder(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
  recorder = recorder.substr(0, recorder.find_last_of(L"\\/") + 1) + L"quellan_shell_recorder.exe";
  GetTempPathW(MAX_PATH, temp);
  const std::wstring record = temp + std::wstring(L"quellan_link_") + std::to_wstring(GetCurrentProcessId());
  const UINT_PTR timer = SetTimer(nullptr, 0, 1000, CloseStrayBox);
  struct Case {
    const wchar_t* scheme;
    std::function<void(HWND)> click;
    std::wstring address;
  } cases[] = {
      {L"http", OpenHomePage, Widen(identity::kHomePageUrl)},
      {L"ymsgr", OpenMessenger, L"ymsgr:sendIM?" + Widen(identity::kMessengerId) + L"&m=Hello hello^^"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scheme);
    DeleteFileW(record.c_str());
    SchemeHandler handler(c.scheme, L"\"" + recorder + L"\" \"" + record + L"\" \"%1\"");
    ASSERT_TRUE(handler.Ready());
    c.click(owner.get());
    EXPECT_EQ(WaitForRecord(record), c.address + L"\nshow=0\n");
  }
  // With no messenger registered the call fails, silently.
  ASSERT_EQ(Command(L"Software\\Classes\\ymsgr\\shell\\open\\command"), L"");
  OpenMessenger(owner.get());
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
  KillTimer(nullptr, timer);
  EXPECT_FALSE(g_boxShown) << "a link showed a message box";
}

TEST(Links, SethandShowsTheSystemHandCursor) {
  HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  ASSERT_NE(hand, nullptr);
  for (LPCWSTR previous : {IDC_ARROW, IDC_IBEAM, IDC_HAND}) {
    SetCursor(LoadCursorW(nullptr, previous));
    sethand();
    EXPECT_EQ(GetCursor(), hand);
  }
}

}  // namespace
}  // namespace quellan::mainwindow
