// VNI conversion against Unicode composition computed by ICU; the passes over longer texts: the fuzzer.
#include "text/vni.h"

#include <gtest/gtest.h>
#include <unicode/unorm2.h>

#include <map>

namespace quellan::modVie {
namespace {

// The one precomposed character that NFC makes of a letter followed by a combining mark; 0 if none.
char16_t Compose(char16_t letter, char16_t mark) {
  UErrorCode status = U_ZERO_ERROR;
  UChar text[] = {letter, mark}, composed[4];
  const int32_t length = unorm2_normalize(unorm2_getNFCInstance(&status), text, 2, composed, 4, &status);
  return U_SUCCESS(status) && length == 1 ? composed[0] : 0;
}

// The pairs NFC makes one letter of: 6, 7, 8 (circumflex, horn, breve) on the vowels that take them,
// the tones 1 to 5 on the plain and shaped vowels, and 9 on d and D. Any other pair stays as typed.
TEST(VniToUnicode, ConvertsExactlyTheComposedPairs) {
  std::map<std::u16string, std::u16string> expected{{u"d9", u"\u0111"}, {u"D9", u"\u0110"}};
  const std::pair<char16_t, std::u16string> kShapes[] = {{0x0302, u"aAeEoO"}, {0x031B, u"oOuU"}, {0x0306, u"aA"}};
  std::u16string toneBases = u"aAeEiIoOuUyY";
  for (int shape = 0; shape < 3; ++shape)
    for (const char16_t letter : kShapes[shape].second)
      toneBases += expected[{letter, char16_t(u'6' + shape)}] = Compose(letter, kShapes[shape].first);
  const char16_t kToneMarks[] = {0x0301, 0x0300, 0x0309, 0x0303, 0x0323};  // acute, grave, hook, tilde, dot
  for (const char16_t base : toneBases)
    for (int tone = 0; tone < 5; ++tone) expected[{base, char16_t(u'1' + tone)}] = Compose(base, kToneMarks[tone]);
  // Every letter up to U+1FFF: Latin with all its accented forms, and the Vietnamese block. Then all the
  // pairs in one text, apart, of 245,760 characters: positions past 65,535 convert too.
  std::u16string typedText, shownText;
  for (char16_t letter = 0; letter < 0x2000; ++letter)
    for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
      const std::u16string typed{letter, digit}, shown = expected.count(typed) ? expected[typed] : typed;
      ASSERT_EQ(VniToUnicode(typed), shown);
      typedText += typed + u' ';
      shownText += shown + u' ';
    }
  EXPECT_TRUE(VniToUnicode(typedText) == shownText);  // not EXPECT_EQ: a failure would print 245,760 characters
}

}  // namespace
}  // namespace quellan::modVie
