#include "ui/forms/property_set.h"

#include <gtest/gtest.h>

#include <string>

namespace quellan::forms {
namespace {

std::u16string U(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

FontObject Tahoma(float size, int weight = 400) { return *MakeFont(u"Tahoma", size, weight); }

TEST(PropertySet, ParsesEveryKindOfValue) {
  FontObject bold = Tahoma(20.25f, 700);
  bold.italic = true;
  bold.charset = 163;
  FontObject partial;  // attributes left out keep the defaults
  partial.name = u"Arial";
  // clang-format off
  struct Case {
    const char16_t* text;
    std::vector<PropertySet::Entry> entries;
  } cases[] = {
      {u"  \n\t\r\n# only a comment\n", {}},
      {u"ForeColor = 0x80000012\nEnabled = false\n", {{"ForeColor", std::int64_t{0x80000012}}, {"Enabled", false}}},
      {u"A=-2147483648 B=4294967295 _c1=true", {{"A", std::int64_t{-2147483648LL}}, {"B", std::int64_t{4294967295LL}}, {"_c1", true}}},
      {u"S = \"a\\\"b\\\\c\\nd\\re\\tf\\u0110\u00f3ng # not a comment\"", {{"S", u"a\"b\\c\nd\re\tf\u0110\u00f3ng # not a comment"}}},
      {u"Font {\n  Name = \"Tahoma\"\n  Size = 20.25\n  Weight = 700\n  Italic = true\n  Charset = 163\n}\n", {{"Font", bold}}},
      {u"Font{Name=\"Arial\"} # trailing comment\nCaption=\"\"", {{"Font", partial}, {"Caption", u""}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    PropertyParseError error;
    auto set = PropertySet::Parse(c.text, &error);
    ASSERT_TRUE(set) << "line " << error.line << ": " << error.message;
    EXPECT_EQ(set->Entries(), c.entries) << error.line;
  }
}

TEST(PropertySet, RejectsMalformedTextAndSaysWhere) {
  // clang-format off
  struct Case {
    const char* text;
    int line;
  } cases[] = {
      {"Caption", 1}, {"Caption =", 1}, {"= 1", 1}, {"1A = 1", 1}, {"A = 1\nA = 2", 2}, {"A = \"open", 1},
      {"A = \"bad \\q escape\"", 1}, {"A = \"\\u12G4\"", 1}, {"A = 4294967296", 1}, {"A = -2147483649", 1},
      {"A = 0x100000000", 1}, {"A = -0x1", 1}, {"A = 12abc", 1}, {"A = 1.5", 1}, {"A = truest", 1},
      {"\n\nFont {\n Name = \"T\"\n", 5}, {"Font { Name = 3 }", 1}, {"Font { Size = 1e5 }", 1},
      {"Font { Weight = 2147483648 }", 1}, {"Font { Colour = 1 }", 1}, {"Font {\nSize = 8\nSize = 9 }", 3},
      {"Font = { Name = \"T\" }", 1}, {"A = 1 }", 1}, {"Caption = \"x\"\n\xff = 1", 2}, {"A = \"\\", 1},
  };
  // clang-format on
  for (const Case& c : cases) {
    PropertyParseError error;
    EXPECT_FALSE(PropertySet::Parse(U(c.text), &error)) << c.text;
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_FALSE(error.message.empty()) << c.text;
  }
}

TEST(PropertySet, SerialiseWritesTheDocumentedFormAndParsesBack) {
  const std::u16string documented =
      u"ForeColor = 0x80000010\nEnabled = false\nFont {\n  Name = \"Tahoma\"\n  Size = 8.25\n  Weight = 400\n"
      u"  Italic = false\n  Underline = false\n  Strikethrough = false\n  Charset = 0\n}\n"
      u"Caption = \"Save \\\"it\\\"\\n\"\nSmall = -5\n";
  auto parsed = PropertySet::Parse(documented);
  ASSERT_TRUE(parsed);
  PropertySet set = *parsed;
  EXPECT_EQ(set.Serialise(), documented);
  FontObject odd = Tahoma(0.0001f, -3);
  odd.name = u"Quote\" \\ \x01\x7f\x1f\u00e9\U0001F600";
  odd.underline = odd.strikethrough = true;
  odd.charset = 255;
  std::u16string control;
  for (char16_t c = 0; c < 0x80; ++c) control += c;
  control += u'\xD800';  // a lone surrogate is kept as it is
  set.Set("Odd", odd);
  set.Set("Huge", Tahoma(123456.5f, 0));
  set.Set("Control", control);
  set.Set("Low", std::int64_t{0x00FFFFFF});
  set.Set("High", std::int64_t{0x01000000});
  set.Set("Min", std::int64_t{-2147483648LL});
  PropertyParseError error;
  auto reread = PropertySet::Parse(set.Serialise(), &error);
  ASSERT_TRUE(reread) << "line " << error.line << ": " << error.message;
  EXPECT_EQ(*reread, set);
  // Values the text cannot hold exactly are refused rather than saved as something else.
  for (float size : {3.0e38f, 1.0e-40f, 0.00005f, 8.123456f}) EXPECT_FALSE(set.Set("Font", Tahoma(size))) << size;
  for (const char* name : {"", "1st", "has space"}) EXPECT_FALSE(set.Set(name, true)) << name;
  EXPECT_FALSE(set.Set("Big", std::int64_t{4294967296LL}));
  EXPECT_EQ(set.Serialise(), reread->Serialise());
}

TEST(PropertySet, ReadsGiveDefaultsForMissingOrMistypedValues) {
  auto set = PropertySet::Parse(u"Colour = -2147483630\nNumber = 0\nFlag = true\nText = \"t\"\nFont { Size = 12 }\n");
  ASSERT_TRUE(set);
  const FontObject fallback = Tahoma(1.0f);
  EXPECT_EQ(set->ReadColour("Colour", 7), 0x80000012u);  // the low 32 bits
  EXPECT_EQ(set->ReadColour("Flag", 7), 7u);
  EXPECT_EQ(set->ReadColour("Missing", 7), 7u);
  EXPECT_FALSE(set->ReadBoolean("Number", true));  // an integer: non-zero is true
  EXPECT_TRUE(set->ReadBoolean("Colour", false));
  EXPECT_TRUE(set->ReadBoolean("Text", true));
  EXPECT_EQ(set->ReadString("Number", u"d"), u"d");
  EXPECT_EQ(set->ReadFont("Font", fallback).size, 12.0f);
  EXPECT_EQ(set->ReadFont("Text", fallback), fallback);
}

TEST(PropertySet, WritingTheDefaultLeavesTheNameOut) {
  PropertySet set;
  EXPECT_TRUE(set.WriteProperty("Caption", std::u16string(u"Refresh"), std::u16string(u"UniButton")));
  EXPECT_TRUE(set.WriteProperty("Enabled", true, true));
  EXPECT_TRUE(set.WriteProperty("Number", std::int64_t{1}, true));  // another kind is never the default
  EXPECT_EQ(set.Serialise(), u"Caption = \"Refresh\"\nNumber = 1\n");
  set.Set("Caption", std::u16string(u"Other"));  // replaced in place
  EXPECT_EQ(set.Serialise(), u"Caption = \"Other\"\nNumber = 1\n");
  EXPECT_TRUE(set.WriteProperty("Caption", std::u16string(u"UniButton"), std::u16string(u"UniButton")));
  EXPECT_EQ(set.Serialise(), u"Number = 1\n");
  EXPECT_FALSE(set.WriteProperty("Low", std::int64_t{-2147483649LL}, false));
  EXPECT_EQ(set.size(), 1u);
}

}  // namespace
}  // namespace quellan::forms
