// The binding to the system registry itself: root handles, code-page conversion and error texts.
#include "policy/win32_registry.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace quellan::policy {
namespace {

TEST(Win32Registry, RootsReachTheSystemsPredefinedKeys) {
  Win32Registry reg;
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
      EXPECT_EQ(reg.CloseKey(key), ERROR_SUCCESS) << path;
    }
  }
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
