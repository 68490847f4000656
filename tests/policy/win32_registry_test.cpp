// The registry routines on the system's registry, in a scratch key.
#include "policy/win32_registry.h"

#include <windows.h>

#include <random>

#include "get_reg_value_table.h"
#include "win32/handles.h"

namespace quellan::policy::testing {
namespace {

// In HKEY_CURRENT_USER\Software\QuellanTest\<random>, made fresh and deleted with all it holds: the
// type table, stored through the ANSI entry point with a guard byte after the data (a NUL there
// would be counted in), read without creating the missing key; a write that creates a whole path
// and stores the 32-bit pattern; the system's text for a status, without a line break.
TEST(Win32Registry, ReadsAndWritesTheSystemsRegistry) {
  const std::string scratch = "Software\\QuellanTest\\" + std::to_string(std::random_device()());
  win32::UniqueHandle<HKEY, win32::CloseWith<&RegCloseKey>> key;
  RegCreateKeyExA(HKEY_CURRENT_USER, scratch.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.out(), nullptr);
  Win32Registry reg;
  const std::u16string path = reg.Utf16FromAnsi(scratch);
  ExpectGetRegValueTable(reg, path, [&](const std::u16string& name, std::uint32_t type, const std::string& data) {
    const std::string guarded = data + '?';
    EXPECT_EQ(RegSetValueExA(key.get(), reg.AnsiFromUtf16(name).c_str(), 0, type,
                             reinterpret_cast<const BYTE*>(guarded.data()), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
  });
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, (scratch + "\\Missing").c_str()), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(SetRegDword(reg, kHkeyCurrentUser, path + u"\\New\\Deeper", u"Value", -2), kErrorSuccess);
  EXPECT_EQ(GetRegValue(reg, kHkeyCurrentUser, path + u"\\New\\Deeper", u"Value", kZeroDefault),
            RegValue{std::int32_t{-2}});
  const std::u16string denied = reg.ErrorText(ERROR_ACCESS_DENIED);
  EXPECT_TRUE(denied != u"Error 5." && denied.find_first_of(u"\r\n") == std::u16string::npos) << denied.size();
  EXPECT_EQ(reg.ErrorText(0x7FFFFFF0), u"Error 2147483632.");
  key.reset();
  EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, scratch.c_str()), ERROR_SUCCESS);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuellanTest");  // only once no other run is using it
}

}  // namespace
}  // namespace quellan::policy::testing
