#pragma once
// What GetRegValue reads of each type, run on the registry held in memory and on the system's.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "policy/registry.h"

namespace quellan::policy::testing {

// store(name, type, data) stores a value of any type, exactly as given, under the key that the table reads.
// REG_SZ gives its text up to the first NUL, of any length up to 16 MiB, less the spaces of the spare end when
// it has no NUL; REG_DWORD and REG_BINARY of up to 4 bytes give the integer; every other type, a missing value
// and a missing key ("Missing") give the caller's default unchanged.
template <class Store>
void ExpectGetRegValueTable(RegistryApi& reg, const std::u16string& keyPath, const Store& store) {
  using namespace std::string_literals;
  const RegValue fallback{std::int16_t{-7}};
  // clang-format off
  const struct {
    std::uint32_t type;
    std::string data;
    std::optional<RegValue> expected;  // none: the default
  } cases[] = {
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
  auto name = [](std::size_t i) { return std::u16string(1, static_cast<char16_t>(u'A' + i)); };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    store(name(i), cases[i].type, cases[i].data);
    const RegValue read = GetRegValue(reg, kHkeyCurrentUser, keyPath, name(i), fallback);
    EXPECT_TRUE(read == cases[i].expected.value_or(fallback)) << i;  // not EXPECT_EQ: 70,000 characters
  }
  EXPECT_EQ(GetRegValue(reg, kHkeyCurrentUser, keyPath, u"absent", fallback), fallback);
  EXPECT_EQ(GetRegValue(reg, kHkeyCurrentUser, keyPath + u"\\Missing", u"A", fallback), fallback);
}

}  // namespace quellan::policy::testing
