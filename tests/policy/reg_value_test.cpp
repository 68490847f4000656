#include "policy/reg_value.h"

#include <gtest/gtest.h>

#include "policy/registry.h"

namespace quellan::policy {
namespace {

TEST(ToInt32, ConvertsIntegersUnchangedAndTextByItsNumericReading) {
  const std::pair<RegValue, std::int32_t> numbers[] = {
      {std::int16_t{-32768}, -32768},
      {std::int32_t{INT32_MIN}, INT32_MIN},
      {u"145", 145},
      {u"-1", -1},
      {u"+42", 42},
      {u"\t 007 ", 7},
      {u"2147483647", INT32_MAX},
      {u"-2147483648", INT32_MIN},
      {u"0000000000000000000000145", 145},
      {u"0x91", 0x91},
      {u"&hFFFFFFFF", -1},
      {u"0X0000000000FC000004", -0x3FFFFFC},
  };
  for (const auto& [value, expected] : numbers) {
    EXPECT_EQ(ToInt32(value), expected) << ::testing::PrintToString(value);
    EXPECT_EQ(ToInt32OrThrow(value), expected);
  }
  const char16_t* const noReading[] = {
      u"",   u"  ",    u"-",   u"2147483648", u"-2147483649", u"99999999999999999999", u"0x100000000",
      u"&H", u"-0x10", u"1.5", u"12abc",      u"--1",         u"\u0661\u0662",         u"12\n"};
  for (const char16_t* text : noReading) {
    EXPECT_EQ(ToInt32(RegValue{std::u16string(text)}), std::nullopt) << ::testing::PrintToString(std::u16string(text));
    EXPECT_THROW(ToInt32OrThrow(RegValue{std::u16string(text)}), ConversionError);
  }
}

TEST(TrimAtNull, CutsAtTheFirstNulWhereverItIs) {
  using namespace std::string_literals;
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"abc\0def"s, u"abc"}, {u"abc"s, u"abc"}, {u"\0abc"s, u""}, {u""s, u""}, {u"ab \0\0"s, u"ab "}};
  for (const auto& c : cases) EXPECT_EQ(TrimAtNull(c.first), c.second);
  for (const std::size_t nulAt : {32767u, 32768u, 100000u}) {  // beyond a 16-bit position
    std::u16string text(nulAt + 10, u'x');
    text[nulAt] = u'\0';
    EXPECT_EQ(TrimAtNull(text), std::u16string(nulAt, u'x'));
  }
}

}  // namespace
}  // namespace quellan::policy
