// The registry routines on the system's registry, in a scratch key.
#include "policy/win32_registry.h"

#include <windows.h>

#include <random>

#include "get_reg_value_table.h"
#include "win32/handles.h"

namespace quellan::policy::testing {
namespace {

// HKEY_CURRENT_USER\Software\QuellanTest\<random>, made fresh and deleted with all it holds.
struct ScratchKey {
  ScratchKey() {
    DWORD disposition = 0;
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.out(), &disposition);
    EXPECT_EQ(disposition, DWORD{REG_CREATED_NEW_KEY});
  }
  ~ScratchKey() {
    key.reset();
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str()), ERROR_SUCCESS);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuellanTest");  // only once no other run is using it
  }
  const std::string path = "Software\\QuellanTest\\" + std::to_string(std::random_device()());
  win32::UniqueHandle<HKEY, win32::CloseWith<&RegCloseKey>> key;
};

// The type table, seeded through the Unicode entry point, which stores exactly the characters given
// unless a NUL follows text that has none; a write that creates a whole path and stores the 32-bit
// pattern; the system's text for a status, without a line break.
TEST(Win32Registry, ReadsAndWritesTheSystemsRegistry) {
  const ScratchKey scratch;
  Win32Registry reg;
  const std::u16string path = reg.Utf16FromAnsi(scratch.path);
  ExpectGetRegValueTable(reg, path, [&](const std::u16string& name, std::uint32_t type, const std::string& data) {
    const std::u16string text = reg.Utf16FromAnsi(data) + u'?';  // the guard: a NUL here would be counted in
    const bool isText = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
    const auto* bytes = reinterpret_cast<const BYTE*>(isText ? static_cast<const void*>(text.data()) : data.data());
    const auto size = static_cast<DWORD>(isText ? (text.size() - 1) * sizeof(char16_t) : data.size());
    ASSERT_EQ(RegSetValueExW(scratch.key.get(), win32::Wide(name), 0, type, bytes, size), ERROR_SUCCESS);
  });
  ASSERT_EQ(SetRegDword(reg, kHkeyCurrentUser, path + u"\\New\\Deeper", u"Value", -2), kErrorSuccess);
  EXPECT_EQ(GetRegValue(reg, kHkeyCurrentUser, path + u"\\NEW\\deeper", u"VALUE", kZeroDefault),
            RegValue{std::int32_t{-2}});
  const std::u16string denied = reg.ErrorText(ERROR_ACCESS_DENIED);
  EXPECT_TRUE(!denied.empty() && denied.find_first_of(u"\r\n") == std::u16string::npos) << denied.size();
  EXPECT_EQ(reg.ErrorText(0x7FFFFFF0), u"Error 2147483632.");
}

}  // namespace
}  // namespace quellan::policy::testing
