// Every letter before every digit against Unicode itself: a pair of the conversion must give the
// precomposed letter that canonical composition (NFC, computed by ICU) makes of the letter and the
// digit's mark, and any other pair must stay as typed.
#include <gtest/gtest.h>
#include <unicode/unorm2.h>

#include <map>
#include <string>
#include <utility>

#include "text/vni.h"

namespace quellan::modVie {
namespace {

// The one precomposed character that NFC makes of a letter followed by a combining mark (marks are
// reordered first, so Â with dot below gives Ậ); 0 if there is none.
char16_t Compose(char16_t letter, char16_t mark) {
  UErrorCode status = U_ZERO_ERROR;
  const UChar text[] = {letter, mark};
  UChar composed[4];
  const int32_t length = unorm2_normalize(unorm2_getNFCInstance(&status), text, 2, composed, 4, &status);
  return U_SUCCESS(status) && length == 1 ? composed[0] : 0;
}

TEST(VniToUnicode, ConvertsExactlyTheComposedPairs) {
  std::map<std::pair<char16_t, char16_t>, char16_t> expected{{{u'd', u'9'}, 0x0111}, {{u'D', u'9'}, 0x0110}};
  // Digits 6, 7 and 8: circumflex, horn and breve. The vowels they make take the five tones like the
  // plain vowels.
  const std::pair<char16_t, std::u16string> kShapes[] = {{0x0302, u"aAeEoO"}, {0x031B, u"oOuU"}, {0x0306, u"aA"}};
  std::u16string toneBases = u"aAeEiIoOuUyY";
  for (int shape = 0; shape < 3; ++shape) {
    for (const char16_t letter : kShapes[shape].second) {
      toneBases += expected[{letter, char16_t(u'6' + shape)}] = Compose(letter, kShapes[shape].first);
    }
  }
  const char16_t kToneMarks[] = {0x0301, 0x0300, 0x0309, 0x0303, 0x0323};  // acute, grave, hook, tilde, dot
  for (const char16_t base : toneBases) {
    for (int tone = 0; tone < 5; ++tone) expected[{base, char16_t(u'1' + tone)}] = Compose(base, kToneMarks[tone]);
  }
  ASSERT_EQ(expected.size(), kVniPairCount);

  // Every letter up to U+1FFF: Latin with all its accented forms, and the Vietnamese block.
  for (char16_t letter = 0; letter < 0x2000; ++letter) {
    for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
      const std::u16string typed{letter, digit};
      const auto pair = expected.find({letter, digit});
      ASSERT_EQ(VniToUnicode(typed), pair == expected.end() ? typed : std::u16string(1, pair->second))
          << "U+" << std::hex << unsigned(letter) << " " << char(digit);
    }
  }
}

}  // namespace
}  // namespace quellan::modVie
