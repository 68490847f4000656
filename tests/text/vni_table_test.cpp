// The conversion table checked against Unicode itself: each entry must be the precomposed letter
// that canonical composition (NFC, computed by ICU) makes of the base and the digit's mark.
#include <gtest/gtest.h>
#include <unicode/unorm2.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "text/vni.h"

namespace quellan::modVie {
namespace {

std::u16string Nfc(const std::u16string& text) {
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
  UChar buffer[32];
  const int32_t length = unorm2_normalize(nfc, text.data(), static_cast<int32_t>(text.size()), buffer, 32, &status);
  EXPECT_TRUE(U_SUCCESS(status)) << u_errorName(status);
  return U_SUCCESS(status) ? std::u16string(buffer, buffer + length) : std::u16string();
}

struct Marker {
  char16_t digit;
  char16_t mark;            // the combining mark the digit stands for
  const char16_t* letters;  // the typed letters it applies to; null for every tone base
};

const Marker kShapes[] = {
    {u'6', 0x0302, u"aAeEoO"},  // circumflex
    {u'7', 0x031B, u"oOuU"},    // horn
    {u'8', 0x0306, u"aA"},      // breve
};
const Marker kTones[] = {
    {u'1', 0x0301, nullptr},  // acute
    {u'2', 0x0300, nullptr},  // grave
    {u'3', 0x0309, nullptr},  // hook above
    {u'4', 0x0303, nullptr},  // tilde
    {u'5', 0x0323, nullptr},  // dot below
};
const char16_t kPlainVowels[] = u"aAeEiIoOuUyY";

using Key = std::pair<char16_t, char16_t>;

// What each (letter, digit) pair must give, built from composition alone.
std::map<Key, char16_t> Oracle() {
  std::map<Key, char16_t> oracle;
  std::u16string toneBases = kPlainVowels;
  for (const Marker& shape : kShapes) {
    for (const char16_t* letter = shape.letters; *letter; ++letter) {
      const std::u16string composed = Nfc({*letter, shape.mark});
      EXPECT_EQ(composed.size(), 1u);
      oracle[{*letter, shape.digit}] = composed[0];
      toneBases += composed[0];
    }
  }
  for (const char16_t base : toneBases) {
    for (const Marker& tone : kTones) {
      const std::u16string composed = Nfc({base, tone.mark});
      EXPECT_EQ(composed.size(), 1u);
      oracle[{base, tone.digit}] = composed[0];
    }
  }
  oracle[{u'd', u'9'}] = 0x0111;
  oracle[{u'D', u'9'}] = 0x0110;
  return oracle;
}

TEST(VniTable, IsExactlyTheComposedLetters) {
  const std::map<Key, char16_t> oracle = Oracle();
  ASSERT_EQ(oracle.size(), kVniPairCount);
  std::set<Key> seen;
  for (const VniPair& pair : kVniTable) {
    const Key key{pair.letter, pair.digit};
    EXPECT_TRUE(seen.insert(key).second) << "pair listed twice: " << pair.letter << "," << char(pair.digit);
    const auto expected = oracle.find(key);
    ASSERT_NE(expected, oracle.end()) << "pair not in the oracle: U+" << std::hex << pair.letter << " "
                                      << char(pair.digit);
    EXPECT_EQ(pair.result, expected->second) << "U+" << std::hex << pair.letter << " " << char(pair.digit);
  }
}

TEST(VniToUnicode, ConvertsExactlyTheTablePairs) {
  // Every code unit followed by every digit: a pair of the oracle becomes its letter, anything
  // else is copied unchanged.
  const std::map<Key, char16_t> oracle = Oracle();
  std::vector<std::u16string> wrong;
  std::size_t converted = 0;
  for (unsigned letter = 0; letter <= 0xFFFF; ++letter) {
    for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
      const std::u16string text{static_cast<char16_t>(letter), digit};
      const auto expected = oracle.find({static_cast<char16_t>(letter), digit});
      const std::u16string want = expected != oracle.end() ? std::u16string(1, expected->second) : text;
      if (VniToUnicode(text) != want) wrong.push_back(text);
      if (expected != oracle.end()) ++converted;
    }
  }
  EXPECT_EQ(converted, kVniPairCount);
  EXPECT_TRUE(wrong.empty()) << wrong.size() << " pairs wrong, first U+" << std::hex << unsigned(wrong.front()[0])
                             << " " << char(wrong.front()[1]);
}

TEST(VniToUnicode, TonesShapedVowelsInTheSecondPass) {
  // Letter, shape digit, tone digit: one letter carrying both marks. Tone digit first: the toned
  // letter and the shape digit left as typed.
  for (const Marker& shape : kShapes) {
    for (const char16_t* letter = shape.letters; *letter; ++letter) {
      for (const Marker& tone : kTones) {
        const std::u16string both = Nfc({*letter, shape.mark, tone.mark});
        ASSERT_EQ(both.size(), 1u);
        EXPECT_TRUE(VniToUnicode({*letter, shape.digit, tone.digit}) == both)
            << char(*letter) << char(shape.digit) << char(tone.digit);
        const std::u16string toneFirst = Nfc({*letter, tone.mark}) + shape.digit;
        EXPECT_TRUE(VniToUnicode({*letter, tone.digit, shape.digit}) == toneFirst)
            << char(*letter) << char(tone.digit) << char(shape.digit);
      }
    }
  }
}

}  // namespace
}  // namespace quellan::modVie
