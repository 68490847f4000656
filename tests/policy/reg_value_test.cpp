// The value-to-integer conversion (GetRegValue has its fuzzer and its test on the system's registry).
#include <gtest/gtest.h>

#include "policy/reg_value.h"

namespace quellan::policy {
namespace {

TEST(ToInt32, ConvertsIntegersUnchangedAndTextByItsNumericReading) {
  // clang-format off
  const std::pair<RegValue, std::int32_t> numbers[] = {
      {std::int16_t{-32768}, -32768}, {std::int32_t{INT32_MIN}, INT32_MIN}, {u"145", 145}, {u"-1", -1}, {u"+42", 42},
      {u"\t 007 ", 7}, {u"2147483647", INT32_MAX}, {u"-2147483648", INT32_MIN}, {u"0000000000000000000000145", 145},
      {u"0x91", 0x91}, {u"&hFFFFFFFF", -1}, {u"&H7fffffff", INT32_MAX}, {u"0X0000000000FC000004", -0x3FFFFFC}};
  // clang-format on
  for (const auto& [value, expected] : numbers) EXPECT_EQ(ToInt32(value), expected) << ::testing::PrintToString(value);
  for (const char16_t* text : {u"", u"  ", u"-", u"2147483648", u"-2147483649", u"99999999999999999999", u"0x100000000",
                               u"&H", u"-0x10", u"1.5", u"12abc", u"--1", u"\u0661\u0662", u"12\n", u"0x1G"})
    EXPECT_EQ(ToInt32(RegValue{std::u16string(text)}), std::nullopt) << ::testing::PrintToString(std::u16string(text));
}

}  // namespace
}  // namespace quellan::policy
