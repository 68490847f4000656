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

// For the length of a case the scheme's command is a recorder, which writes the address it is given
// and its show command; Wine's own command for "http" comes back afterwards, a scheme that had none
// is removed. A box a link showed would be closed and counted.
TEST(Links, EachLinkHandsItsAddressToTheShellHiddenAndShowsNothing) {
  const fs::path recorder = fs::path(_pgmptr).parent_path() / "quellan_shell_recorder.exe";
  const fs::path record = fs::temp_directory_path() / ("quellan_link_" + std::to_string(GetCurrentProcessId()));
  const testing::ModalDriver boxes;
  const std::string messenger = "ymsgr:sendIM?" + std::string(identity::kMessengerId) + "&m=Hello hello^^";
  for (const auto& [scheme, click, address] : {std::tuple{L"http", &OpenHomePage, std::string(identity::kHomePageUrl)},
                                               std::tuple{L"ymsgr", &OpenMessenger, messenger}}) {
    const std::wstring command = scheme + std::wstring(L"\\shell\\open\\command"), previous = Get(command);
    ASSERT_EQ(Set(command, nullptr, L"\"" + recorder.wstring() + L"\" \"" + record.wstring() + L"\" \"%1\""), 0);
    if (previous.empty()) Set(scheme, L"URL Protocol", L"");
    click(nullptr);
    testing::PumpUntil([&] { return fs::exists(record) && fs::file_size(record) > 0; }, 20000);
    std::ifstream file(record, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), address + "\nshow=0\n");
    file.close();
    fs::remove(record);
    EXPECT_EQ(previous.empty() ? RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClasses + scheme).c_str())
                               : Set(command, nullptr, previous),
              0);
  }
  EXPECT_EQ(boxes.Seen().boxes, 0) << "a link showed a message box";
}

}  // namespace
}  // namespace quellan::mainwindow
