// VNI conversion on the texts the program types, on the corners of the typing rules, and on texts
// far longer than the program's own.
#include "text/vni.h"

#include <gtest/gtest.h>

#include <string>

namespace quellan::modVie {
namespace {

struct Example {
  std::u16string vni, unicode;
};

// clang-format off
const Example kExamples[] = {
    // Texts as the about box types them.
    {u"Tho6ng ba1o!", u"Th\u00F4ng b\u00E1o!"}, {u"Phie6n ba3n: ", u"Phi\u00EAn b\u1EA3n: "},
    {u"Tie65n i1ch: ", u"Ti\u1EC7n \u00EDch: "}, {u"ngu7o72i", u"ng\u01B0\u1EDDi"}, {u"d9a61t", u"\u0111\u1EA5t"},
    {u"Chu71c na8ng: Ta81t Autorun...", u"Ch\u1EE9c n\u0103ng: T\u1EAFt Autorun..."}, {u"D9", u"\u0110"},
    // Shape digit before tone digit only; one shape and one tone per letter, further digits stay.
    {u"e56", u"\u1EB96"}, {u"a16", u"\u00E16"}, {u"a11", u"\u00E11"}, {u"e66", u"\u00EA6"}, {u"a611", u"\u1EA51"},
    {u"a1a1", u"\u00E1\u00E1"}, {u"a6a61", u"\u00E2\u1EA5"}, {u"a6a6a6a6", u"\u00E2\u00E2\u00E2\u00E2"},
    {u"aa1", u"a\u00E1"}, {u"A4", u"\u00C3"}, {u"\u00EA1", u"\u1EBF"},
    // Nothing to convert.
    {u"2010", u"2010"}, {u"1.0", u"1.0"}, {u"x5", u"x5"}, {u"e9", u"e9"}, {u"dd", u"dd"}, {u"a0", u"a0"},
    {u"1a", u"1a"}, {u"a", u"a"}, {u"", u""},
};
// clang-format on

TEST(VniToUnicode, ConvertsTypedTexts) {
  for (const Example& example : kExamples) {
    EXPECT_EQ(VniToUnicode(example.vni), example.unicode) << ::testing::PrintToString(example.vni);
  }
}

TEST(VniToUnicode, ConvertsTextsBeyondSixteenBitLengths) {
  // 90,000 characters: positions past 32,767 and 65,535 must neither wrap nor stop the conversion.
  std::u16string vni, unicode;
  for (int word = 0; word < 10000; ++word) {
    vni += u"ngu7o72i ";
    unicode += u"ng\u01B0\u1EDDi ";
  }
  EXPECT_TRUE(VniToUnicode(vni) == unicode);  // not EXPECT_EQ: a failure would print 90,000 characters
}

}  // namespace
}  // namespace quellan::modVie
