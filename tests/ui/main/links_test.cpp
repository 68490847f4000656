#include "ui/main/links.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "harness.h"
#include "ui/main/maker_identity.h"

namespace quellan::mainwindow {
namespace {

namespace fs = std::filesystem;

// A text under HKEY_LOCAL_MACHINE\Software\Classes, where Wine looks URL schemes up.
const std::wstring kClasses = L"Software\\Classes\\";
std::wstring Get(const std::wstring& key) {
  wchar_t value[1024] = {};
  DWORD bytes = sizeof(value) - sizeof(wchar_t);
  RegGetValueW(HKEY_LOCAL_MACHINE, (kClasses + key).c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &bytes);
  return value;
}
LSTATUS Set(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  return RegSetKeyValueW(HKEY_LOCAL_MACHINE, (kClasses + key).c_str(), name, REG_SZ, text.c_str(),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// A process elevated or not (Wine has no split token), whose desktop shell cannot open the address.
std::string g_desktopAsked;
bool DesktopFails(const char*, const char* file, const char*, const char*, int show) {
  g_desktopAsked = file + ("\nshow=" + std::to_string(show) + "\n");
  return false;
}

// For the length of a case the scheme's command is a recorder, which writes the address it is given
// and its show command; Wine's own command for "http" comes back afterwards, a scheme that had none
// is removed. Unelevated, each link reaches the recorder and shows nothing; elevated with the desktop
// shell failing, it starts nothing and a warning shows the address, to be copied.
TEST(Links, EachLinkHandsItsAddressToTheShellHiddenOrElevatedOnlyShowsIt) {
  // Wine gives every process an administrator's whole token, as Windows does with UAC off: elevated,
  // whatever the token's elevation type says.
  EXPECT_TRUE(kSystemRoute.runsElevated());
  const fs::path recorder = fs::path(_pgmptr).parent_path() / "quellan_shell_recorder.exe";
  const fs::path record = fs::temp_directory_path() / ("quellan_link_" + std::to_string(GetCurrentProcessId()));
  const harness::ModalDriver boxes;
  int shown = 0;
  const std::string messenger = "ymsgr:sendIM?" + std::string(identity::kMessengerId) + "&m=Hello hello^^";
  for (const auto& [scheme, click, address] : {std::tuple{L"http", &OpenHomePage, std::string(identity::kHomePageUrl)},
                                               std::tuple{L"ymsgr", &OpenMessenger, messenger}}) {
    const std::wstring command = scheme + std::wstring(L"\\shell\\open\\command"), previous = Get(command);
    ASSERT_EQ(Set(command, nullptr, L"\"" + recorder.wstring() + L"\" \"" + record.wstring() + L"\" \"%1\""), 0);
    if (previous.empty()) Set(scheme, L"URL Protocol", L"");
    g_desktopAsked.clear();
    click(nullptr, ShellRoute{[] { return false; }, &DesktopFails});
    harness::PumpUntil([&] { return fs::exists(record) && fs::file_size(record) > 0; }, 20000);
    std::ifstream file(record, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), address + "\nshow=0\n");
    file.close();
    fs::remove(record);
    EXPECT_EQ(boxes.Seen().boxes, shown) << "a link showed a message box";
    EXPECT_EQ(g_desktopAsked, "");

    click(nullptr, ShellRoute{[] { return true; }, &DesktopFails});
    EXPECT_EQ(g_desktopAsked, address + "\nshow=0\n");
    EXPECT_EQ(boxes.Seen().boxes, ++shown);
    EXPECT_EQ(boxes.Seen().text.substr(boxes.Seen().text.find(u"\r\n\r\n") + 4),
              std::u16string(address.begin(), address.end()));
    harness::Pump(1000);
    EXPECT_FALSE(fs::exists(record)) << "an elevated link started the scheme's command";
    EXPECT_EQ(previous.empty() ? RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClasses + scheme).c_str())
                               : Set(command, nullptr, previous),
              0);
  }
}

}  // namespace
}  // namespace quellan::mainwindow
