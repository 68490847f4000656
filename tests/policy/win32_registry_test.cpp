// The binding to the system registry itself: root handles, code-page conversion and error texts.
#include "policy/win32_registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "policy/instrumented_registry.h"
#include "policy/registry.h"

namespace quellan::policy {
namespace {

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

TEST(Win32Registry, RootsReachTheSystemsPredefinedKeys) {
  Win32Registry real;
  InstrumentedRegistry reg(real);
  const std::tuple<std::uint32_t, const char*, std::int32_t> cases[] = {
      {kHkeyCurrentUser, "Software", ERROR_SUCCESS},
      {kHkeyLocalMachine, "Software\\Microsoft", ERROR_SUCCESS},
      {kHkeyUsers, ".DEFAULT", ERROR_SUCCESS},
      {kHkeyClassesRoot, "", ERROR_SUCCESS},
      {kHkeyCurrentUser, "QuellanAbsent", ERROR_FILE_NOT_FOUND},
      {0x12345678u, "Software", ERROR_INVALID_HANDLE},
  };
  for (const auto& [root, path, status] : cases) {
    KeyHandle key = 0xDEADBEEF;
    EXPECT_EQ(reg.OpenKeyEx(root, path, 0, kKeyQueryValue, &key), status) << path;
    EXPECT_EQ(key == 0, status != ERROR_SUCCESS) << path;
    if (status == ERROR_SUCCESS) {
      EXPECT_EQ(reg.CloseKey(key), ERROR_SUCCESS);
    }
  }
  EXPECT_EQ(reg.OpenKeys(), 0);

  // A string the system stores reads as the Unicode entry point reads it.
  wchar_t expected[64];
  DWORD size = sizeof expected;
  ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion", L"CurrentVersion",
                         RRF_RT_REG_SZ, nullptr, expected, &size),
            ERROR_SUCCESS);
  const RegValue read = GetRegValue(reg, kHkeyLocalMachine, u"Software\\Microsoft\\Windows NT\\CurrentVersion",
                                    u"CurrentVersion", kZeroDefault);
  ASSERT_TRUE(std::holds_alternative<std::u16string>(read));
  EXPECT_EQ(Wide(std::get<std::u16string>(read)), expected);
}

TEST(Win32Registry, ConvertsWholeStringsAndDescribesErrors) {
  const Win32Registry reg;
  for (const std::u16string& text : {std::u16string(u"Software\\Microsoft"), std::u16string(u"x\0y\0", 4),
                                     std::u16string(70000, u'q'), std::u16string()}) {
    const std::string ansi = reg.AnsiFromUtf16(text);
    EXPECT_EQ(ansi.size(), text.size());  // NULs inside are converted, not taken as the end
    EXPECT_EQ(reg.Utf16FromAnsi(ansi), text);
  }
  EXPECT_EQ(reg.AnsiFromUtf16(u"\u4E00"), "?");

  for (const std::int32_t status : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_MORE_DATA}) {
    const std::u16string text = reg.ErrorText(status);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of(u"\r\n"), std::u16string::npos) << status;
    EXPECT_NE(text, reg.ErrorText(status + 1)) << status;
  }
  EXPECT_EQ(reg.ErrorText(0x7FFFFFF0), u"Error 2147483632.");
}

}  // namespace
}  // namespace quellan::policy
