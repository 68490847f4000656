// VNI conversion: every letter before every digit against Unicode composition computed by ICU, the
// texts the program types, the corners of the typing rules, and a text far longer than its own.
#include "text/vni.h"

#include <gtest/gtest.h>
#include <unicode/unorm2.h>

#include <map>

namespace quellan::modVie {
namespace {

// The one precomposed character that NFC makes of a letter followed by a combining mark (marks are
// reordered first, so Â with dot below gives Ậ); 0 if there is none.
char16_t Compose(char16_t letter, char16_t mark) {
  UErrorCode status = U_ZERO_ERROR;
  UChar text[] = {letter, mark}, composed[4];
  const int32_t length = unorm2_normalize(unorm2_getNFCInstance(&status), text, 2, composed, 4, &status);
  return U_SUCCESS(status) && length == 1 ? composed[0] : 0;
}

// The pairs NFC makes one letter of: 6, 7, 8 (circumflex, horn, breve) on the vowels that take them,
// the tones 1 to 5 on the plain and shaped vowels, and 9 on d and D. Any other pair stays as typed.
TEST(VniToUnicode, ConvertsExactlyTheComposedPairs) {
  std::map<std::pair<char16_t, char16_t>, char16_t> expected{{{u'd', u'9'}, 0x0111}, {{u'D', u'9'}, 0x0110}};
  const std::pair<char16_t, std::u16string> kShapes[] = {{0x0302, u"aAeEoO"}, {0x031B, u"oOuU"}, {0x0306, u"aA"}};
  std::u16string toneBases = u"aAeEiIoOuUyY";
  for (int shape = 0; shape < 3; ++shape)
    for (const char16_t letter : kShapes[shape].second)
      toneBases += expected[{letter, char16_t(u'6' + shape)}] = Compose(letter, kShapes[shape].first);
  const char16_t kToneMarks[] = {0x0301, 0x0300, 0x0309, 0x0303, 0x0323};  // acute, grave, hook, tilde, dot
  for (const char16_t base : toneBases)
    for (int tone = 0; tone < 5; ++tone) expected[{base, char16_t(u'1' + tone)}] = Compose(base, kToneMarks[tone]);
  ASSERT_EQ(expected.size(), 134u);
  // Every letter up to U+1FFF: Latin with all its accented forms, and the Vietnamese block.
  for (char16_t letter = 0; letter < 0x2000; ++letter)
    for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
      const auto pair = expected.find({letter, digit});
      ASSERT_EQ(VniToUnicode(std::u16string{letter, digit}),
                (pair == expected.end() ? std::u16string{letter, digit} : std::u16string(1, pair->second)))
          << "U+" << std::hex << unsigned(letter) << " " << char(digit);
    }
}

TEST(VniToUnicode, ConvertsTypedTexts) {
  // clang-format off
  // The about box's texts; a shape digit before a tone digit only, one shape and one tone per letter,
  // further digits kept; nothing else converted.
  const std::pair<std::u16string, std::u16string> kExamples[] = {
    {u"Tho6ng ba1o!", u"Th\u00F4ng b\u00E1o!"}, {u"Phie6n ba3n: ", u"Phi\u00EAn b\u1EA3n: "},
    {u"Tie65n i1ch: ", u"Ti\u1EC7n \u00EDch: "}, {u"ngu7o72i", u"ng\u01B0\u1EDDi"}, {u"d9a61t", u"\u0111\u1EA5t"},
    {u"Chu71c na8ng: Ta81t Autorun...", u"Ch\u1EE9c n\u0103ng: T\u1EAFt Autorun..."}, {u"D9", u"\u0110"},
    {u"e56", u"\u1EB96"}, {u"a16", u"\u00E16"}, {u"a11", u"\u00E11"}, {u"e66", u"\u00EA6"}, {u"a611", u"\u1EA51"},
    {u"a1a1", u"\u00E1\u00E1"}, {u"a6a61", u"\u00E2\u1EA5"}, {u"A4", u"\u00C3"}, {u"\u00EA1", u"\u1EBF"},
    {u"2010", u"2010"}, {u"1.0", u"1.0"}, {u"x5", u"x5"}, {u"e9", u"e9"}, {u"dd", u"dd"}, {u"a0", u"a0"},
    {u"1a", u"1a"}, {u"a", u"a"}, {u"", u""}};
  // clang-format on
  for (const auto& [vni, unicode] : kExamples) EXPECT_EQ(VniToUnicode(vni), unicode) << ::testing::PrintToString(vni);
  // 90,000 characters: positions past 32,767 and 65,535 must neither wrap nor stop the conversion.
  std::u16string vni, unicode;
  for (int word = 0; word < 10000; ++word) vni += u"ngu7o72i ", unicode += u"ng\u01B0\u1EDDi ";
  EXPECT_TRUE(VniToUnicode(vni) == unicode);  // not EXPECT_EQ: a failure would print 90,000 characters
}

}  // namespace
}  // namespace quellan::modVie
