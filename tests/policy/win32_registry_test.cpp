// The registry routines on the system's registry, in a scratch key.
#include "policy/win32_registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <random>

#include "policy/registry.h"
#include "win32/handles.h"

namespace quellan::policy {
namespace {

using namespace std::string_literals;

// In a fresh scratch key: each type stored with a guard byte after the data (a NUL there would be
// counted in). REG_SZ gives its text up to the first NUL, up to 16 MiB, less the spaces of the spare
// end without one; REG_DWORD and REG_BINARY of up to 4 bytes the integer; the rest the default, as
// do a missing value and a missing key (not created by the read). A write creates the whole path.
TEST(Win32Registry, ReadsAndWritesTheSystemsRegistry) {
  const std::string scratch = "Software\\QuellanTest\\" + std::to_string(std::random_device()());
  win32::UniqueHandle<HKEY, win32::CloseWith<&RegCloseKey>> key;
  RegCreateKeyExA(HKEY_CURRENT_USER, scratch.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.out(), nullptr);
  Win32Registry reg;
  const std::u16string path = reg.Utf16FromAnsi(scratch);
  const RegValue fallback{std::int16_t{-7}};
  // clang-format off
  const std::tuple<std::uint32_t, std::string, std::optional<RegValue>> cases[] = {
      {kRegDword, "\xFF\xFF\xFF\xFF", std::int32_t{-1}}, {kRegBinary, "\x91\0"s, std::int32_t{145}},
      {kRegBinary, "\x04\x03\x02\x81", std::int32_t(0x81020304u)}, {kRegBinary, "", std::int32_t{0}},
      {kRegBinary, "\1\2\3\4\5", std::nullopt}, {11 /* REG_QWORD */, "\5\0\0\0\0\0\0\0"s, std::nullopt},
      {kRegExpandSz, "%SystemRoot%\0"s, std::nullopt}, {7 /* REG_MULTI_SZ */, "145\0\0"s, std::nullopt},
      {kRegSz, "145\0"s, u"145"}, {kRegSz, "", u""}, {kRegSz, "145  ", u"145"}, {kRegSz, "abc\0def\0"s, u"abc"},
      {kRegSz, "\0"s, u""}, {kRegSz, "  12  \0"s, u"  12  "}, {kRegSz, "caf\xE9\0"s, u"caf\u00E9"},
      {kRegSz, std::string(70000, 'x') + '\0', std::u16string(70000, u'x')},
      {kRegSz, std::string(40000, 'x') + '\0' + std::string(30000, 'y'), std::u16string(40000, u'x')},
      {kRegSz, std::string((16 << 20) + 1, 'x'), std::nullopt}};
  // clang-format on
  char name[] = "A";
  for (const auto& [type, data, expected] : cases) {
    const std::string guarded = data + '?';
    RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(guarded.data()), DWORD(data.size()));
    const RegValue read = GetRegValue(reg, kHkeyCurrentUser, path, reg.Utf16FromAnsi(name), fallback);
    EXPECT_TRUE(read == expected.value_or(fallback)) << name;  // not EXPECT_EQ: 70,000 characters
    ++name[0];
  }
  EXPECT_EQ(GetRegValue(reg, kHkeyCurrentUser, path, u"absent", fallback), fallback);
  EXPECT_EQ(GetRegValue(reg, kHkeyCurrentUser, path + u"\\Missing", u"A", fallback), fallback);
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
}  // namespace quellan::policy
