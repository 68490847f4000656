#include "text/vni.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <random>
#include <string>

#include "vni_reference.h"

namespace quellan::modVie {
namespace {

using testing::SplicedVniToUnicode;

// Readable failure output for UTF-16 text: ASCII as is, everything else as \uXXXX.
std::string Show(const std::u16string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string shown;
  for (const char16_t unit : text) {
    if (unit >= 0x20 && unit < 0x7F) {
      shown += static_cast<char>(unit);
    } else {
      shown += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) shown += kHex[(unit >> shift) & 0xF];
    }
  }
  return shown;
}

struct Example {
  std::u16string vni;
  std::u16string unicode;
};

// Texts as the program types them and as the user must read them.
const Example kExamples[] = {
    {u"Tho6ng ba1o!", u"Th\u00F4ng b\u00E1o!"},
    {u"Phie6n ba3n: ", u"Phi\u00EAn b\u1EA3n: "},
    {u"Tie65n i1ch: ", u"Ti\u1EC7n \u00EDch: "},
    {u"Chu71c na8ng: Ta81t Autorun...", u"Ch\u1EE9c n\u0103ng: T\u1EAFt Autorun..."},
    {u"Ta1c gia3: Nguye64n Va8n Me64u", u"T\u00E1c gi\u1EA3: Nguy\u1EC5n V\u0103n M\u1EC5u"},
    {u"d9a61t", u"\u0111\u1EA5t"},
    {u"D9", u"\u0110"},
    // A shaped vowel takes its tone in the second pass; shape after tone is not recognised.
    {u"e65", u"\u1EC7"},
    {u"u71", u"\u1EE9"},
    {u"a81", u"\u1EAF"},
    {u"o72", u"\u1EDD"},
    {u"E65", u"\u1EC6"},
    {u"e56", u"\u1EB96"},
    {u"a16", u"\u00E16"},
    // At most one shape digit and one tone digit per letter; further digits stay digits.
    {u"a11", u"\u00E11"},
    {u"e66", u"\u00EA6"},
    {u"a611", u"\u1EA51"},
    {u"a1111", u"\u00E1111"},
    {u"a6a61", u"\u00E2\u1EA5"},
    {u"a1a1", u"\u00E1\u00E1"},
    {u"u7o7", u"\u01B0\u01A1"},
    {u"ngu7o72i", u"ng\u01B0\u1EDDi"},
    {u"A4", u"\u00C3"},
    {u"\u00EA1", u"\u1EBF"},
    // Pairs at either end of the text, and texts that shrink by half in each pass.
    {u"xa1", u"x\u00E1"},
    {u"aa1", u"a\u00E1"},
    {u"a1a", u"\u00E1a"},
    {u"a6a6a6a6", u"\u00E2\u00E2\u00E2\u00E2"},
    {u"a61a61a61", u"\u1EA5\u1EA5\u1EA5"},
    {u"o61o62o63o64o65", u"\u1ED1\u1ED3\u1ED5\u1ED7\u1ED9"},
    // Nothing to convert.
    {u"2010", u"2010"},
    {u"1.0", u"1.0"},
    {u"x5", u"x5"},
    {u"e9", u"e9"},
    {u"d6", u"d6"},
    {u"dd", u"dd"},
    {u"a0", u"a0"},
    {u"1a", u"1a"},
    {u"a", u"a"},
    {u"7", u"7"},
    {u"", u""},
};

TEST(VniToUnicode, ConvertsTypedTexts) {
  for (const Example& example : kExamples) {
    EXPECT_EQ(Show(VniToUnicode(example.vni)), Show(example.unicode)) << "input " << Show(example.vni);
    // The yardstick of the comparisons below must read them right too.
    EXPECT_EQ(Show(SplicedVniToUnicode(example.vni)), Show(example.unicode))
        << "reference, input " << Show(example.vni);
  }
}

// Letters that take markers, their shaped forms, digits and a few bystanders.
const char16_t kAlphabet[] = {u'a', u'A', u'e', u'o', u'O', u'u', u'd', u'D', u'i',   u'y',   u'x',   u' ',
                              u'0', u'1', u'2', u'5', u'6', u'7', u'8', u'9', 0x00E2, 0x01A1, 0x01B0, 0x0103};

TEST(VniToUnicode, MatchesReferenceOnEveryShortText) {
  // Every text of up to four characters over a smaller alphabet of letters and digits.
  const char16_t kSmall[] = {u'a', u'e', u'o', u'u', u'd', u'x', u'1', u'5', u'6', u'7', u'8', u'9', 0x00E2};
  const std::size_t base = sizeof kSmall / sizeof kSmall[0];
  std::size_t compared = 0;
  for (std::size_t length = 0; length <= 4; ++length) {
    std::size_t count = 1;
    for (std::size_t k = 0; k < length; ++k) count *= base;
    for (std::size_t code = 0; code < count; ++code) {
      std::u16string text;
      for (std::size_t k = 0, rest = code; k < length; ++k, rest /= base) text += kSmall[rest % base];
      ASSERT_EQ(Show(VniToUnicode(text)), Show(SplicedVniToUnicode(text))) << "input " << Show(text);
      ++compared;
    }
  }
  EXPECT_EQ(compared, 1 + base + base * base + base * base * base + base * base * base * base);
}

TEST(VniToUnicode, MatchesReferenceOnRandomTexts) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet / sizeof kAlphabet[0] - 1);
  struct Run {
    std::size_t maxLength;
    int count;
  };
  const Run kRuns[] = {{12, 20000}, {80, 3000}, {2000, 20}};
  for (const Run& run : kRuns) {
    std::uniform_int_distribution<std::size_t> length(0, run.maxLength);
    for (int n = 0; n < run.count; ++n) {
      std::u16string text(length(random), u' ');
      for (char16_t& unit : text) unit = kAlphabet[pick(random)];
      const std::u16string converted = VniToUnicode(text);
      ASSERT_EQ(Show(converted), Show(SplicedVniToUnicode(text))) << "input " << Show(text);
      ASSERT_LE(converted.size(), text.size());
    }
  }
}

// A long text made of typed words separated by spaces: a space pairs with nothing, so the
// expected conversion is the words' conversions joined the same way, padded to the exact length.
Example LongText(std::size_t length, unsigned seed) {
  const Example kWords[] = {
      {u"Tie65n", u"Ti\u1EC7n"},
      {u"ngu7o72i", u"ng\u01B0\u1EDDi"},
      {u"d9a61t", u"\u0111\u1EA5t"},
      {u"a611", u"\u1EA51"},
      {u"2010", u"2010"},
      {u"Chu71c", u"Ch\u1EE9c"},
      {u"e56", u"\u1EB96"},
      {u"Autorun", u"Autorun"},
      {u"D9", u"\u0110"},
  };
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kWords / sizeof kWords[0] - 1);
  Example text;
  for (;;) {
    const Example& word = kWords[pick(random)];
    if (text.vni.size() + word.vni.size() + 1 > length) break;
    text.vni += word.vni + u' ';
    text.unicode += word.unicode + u' ';
  }
  const std::size_t padding = length - text.vni.size();
  text.vni.append(padding, u'x');
  text.unicode.append(padding, u'x');
  return text;
}

TEST(VniToUnicode, ConvertsTextsOfAnyLength) {
  // Lengths around the 16-bit limits, where position arithmetic would overflow, and beyond.
  const std::size_t kLengths[] = {32766, 32767, 32768, 65535, 65536, 65537, 100000};
  for (const std::size_t length : kLengths) {
    const Example text = LongText(length, static_cast<unsigned>(length));
    ASSERT_EQ(text.vni.size(), length);
    const std::u16string converted = VniToUnicode(text.vni);
    ASSERT_EQ(converted.size(), text.unicode.size()) << "length " << length;
    EXPECT_TRUE(converted == text.unicode)
        << "length " << length << " differs at "
        << std::mismatch(converted.begin(), converted.end(), text.unicode.begin()).first - converted.begin();
  }
}

TEST(VniToUnicode, TakesLinearTime) {
  // Sixteen times the text must cost far less than 256 times the time, which is what rebuilding
  // the text at every pair would cost. The bound is loose so that a busy machine cannot fail it.
  const auto bestOfThree = [](const std::u16string& text) {
    auto best = std::chrono::steady_clock::duration::max();
    for (int run = 0; run < 3; ++run) {
      const auto start = std::chrono::steady_clock::now();
      const std::u16string converted = VniToUnicode(text);
      best = std::min(best, std::chrono::steady_clock::now() - start);
      EXPECT_LT(converted.size(), text.size());
    }
    return std::chrono::duration<double>(best).count();
  };
  const double small = bestOfThree(LongText(50000, 1).vni);
  const double large = bestOfThree(LongText(800000, 2).vni);
  EXPECT_LT(large, small * 64) << "50,000 characters: " << small << " s, 800,000 characters: " << large << " s";
}

}  // namespace
}  // namespace quellan::modVie
