#pragma once
// What GetRegValue reads of each type, run on the registry held in memory and on the system's.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "policy/registry.h"

namespace quellan::policy::testing {

// Stores a value of any type, exactly as given, under the key that the table reads.
using StoreValue = std::function<void(const std::u16string& name, std::uint32_t type, const std::string& data)>;

// REG_SZ gives its text up to the first NUL, of any length up to 16 MiB, less the spaces of the spare end when it
// has no NUL; REG_DWORD and REG_BINARY of up to 4 bytes give the integer; every other type, a missing
// value and a missing key give the caller's default unchanged, and the read creates nothing.
inline void ExpectGetRegValueTable(RegistryApi& reg, const std::u16string& keyPath, const StoreValue& store) {
  using namespace std::string_literals;
  const RegValue fallback{std::int16_t{-7}};
  // clang-format off
  const struct {
    std::uint32_t type;
    std::string data;
    std::optional<RegValue> expected;  // none: the default
  } cases[] = {
      {kRegDword, "\xFF\xFF\xFF\xFF", std::int32_t{-1}}, {kRegBinary, "\x91\0"s, std::int32_t{145}},
      {kRegBinary, "\x04\x03\x02\x81", std::int32_t{static_cast<std::int32_t>(0x81020304u)}},
      {kRegBinary, "", std::int32_t{0}}, {kRegBinary, "\1\2\3\4\5", std::nullopt},
      {11 /* REG_QWORD */, "\5\0\0\0\0\0\0\0"s, std::nullopt}, {kRegExpandSz, "%SystemRoot%\0"s, std::nullopt},
      {7 /* REG_MULTI_SZ */, "145\0\0"s, std::nullopt}, {kRegSz, "145\0"s, u"145"}, {kRegSz, "\0"s, u""},
      {kRegSz, "", u""}, {kRegSz, "145  ", u"145"}, {kRegSz, "abc\0def\0"s, u"abc"}, {kRegSz, "  12  \0"s, u"  12  "},
      {kRegSz, "caf\xE9\0"s, u"caf\u00E9"}, {kRegSz, std::string(70000, 'x') + '\0', std::u16string(70000, u'x')},
      {kRegSz, std::string(40000, 'x') + '\0' + std::string(30000, 'y'), std::u16string(40000, u'x')},
      {kRegSz, std::string((16 << 20) + 1, 'x'), std::nullopt}};
  // clang-format on
  auto name = [](std::size_t i) { return std::u16string(1, static_cast<char16_t>(u'A' + i)); };
  for (std::size_t i = 0; i < std::size(cases); ++i) store(name(i), cases[i].type, cases[i].data);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const RegValue read = GetRegValue(reg, kHkeyCurrentUser, keyPath, name(i), fallback);
    EXPECT_TRUE(read == cases[i].expected.value_or(fallback)) << i;  // not EXPECT_EQ: 70,000 characters
  }
  const std::u16string missing = keyPath + u"\\Missing";
  EXPECT_EQ(GetRegValue(reg, kHkeyCurrentUser, keyPath, u"absent", fallback), fallback);
  EXPECT_EQ(GetRegValue(reg, kHkeyCurrentUser, missing, u"A", fallback), fallback);
  KeyHandle key = 0;
  EXPECT_NE(reg.OpenKeyEx(kHkeyCurrentUser, reg.AnsiFromUtf16(missing), 0, kKeyQueryValue, &key), kErrorSuccess);
}

}  // namespace quellan::policy::testing
