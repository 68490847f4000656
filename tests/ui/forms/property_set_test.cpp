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
  struct Case {
    const char* text;
    std::vector<PropertySet::Entry> entries;
  } cases[] = {
      {"", {}},
      {"  \n\t\r\n# only a comment\n", {}},
      {"Caption = \"Save Setting\"", {{"Caption", u"Save Setting"}}},
      {"ForeColor = 0x80000012\nEnabled = false\n", {{"ForeColor", std::int64_t{0x80000012}}, {"Enabled", false}}},
      {"A=-2147483648 B=4294967295 C=0xffffffff E=true",
       {{"A", std::int64_t{-2147483648LL}},
        {"B", std::int64_t{4294967295LL}},
        {"C", std::int64_t{0xFFFFFFFF}},
        {"E", true}}},
      {"S = \"a\\\"b\\\\c\\nd\\re\\tf\\u0110\\u00F3ng\"", {{"S", u"a\"b\\c\nd\re\tf\u0110\u00f3ng"}}},
      {"S = \"line one\nline two # not a comment\"", {{"S", u"line one\nline two # not a comment"}}},
      {"Font {\n  Name = \"Tahoma\"\n  Size = 20.25\n  Weight = 700\n  Italic = true\n  Charset = 163\n}\n",
       {{"Font", bold}}},
      {"Font{Name=\"Arial\"} # trailing comment\nCaption=\"\"", {{"Font", partial}, {"Caption", u""}}},
      {"_x1 = 1", {{"_x1", std::int64_t{1}}}},
  };
  for (const Case& c : cases) {
    PropertyParseError error;
    auto set = PropertySet::Parse(U(c.text), &error);
    ASSERT_TRUE(set) << c.text << " -> line " << error.line << ": " << error.message;
    EXPECT_EQ(set->Entries(), c.entries) << c.text;
  }
  // Non-ASCII text is taken as is.
  auto set = PropertySet::Parse(u"Caption = \"Đóng «x»\"");
  ASSERT_TRUE(set);
  EXPECT_EQ(set->ReadString("Caption", u""), u"Đóng «x»");
}

TEST(PropertySet, RejectsMalformedTextAndSaysWhere) {
  // clang-format off
  struct Case {
    const char* text;
    int line;
  } cases[] = {
      {"Caption", 1}, {"Caption =", 1}, {"= 1", 1}, {"1A = 1", 1}, {"A = 1\nA = 2", 2}, {"A = \"open", 1},
      {"A = \"bad \\q escape\"", 1}, {"A = \"\\u12G4\"", 1}, {"A = 4294967296", 1}, {"A = -2147483649", 1},
      {"A = 0x100000000", 1}, {"A = -0x1", 1}, {"A = 0x", 1}, {"A = 12abc", 1}, {"A = 1.5", 1}, {"A = yes", 1},
      {"A = truest", 1}, {"\n\nFont {\n Name = \"T\"\n", 5}, {"Font { Name = 3 }", 1}, {"Font { Size = big }", 1},
      {"Font { Size = 1e5 }", 1}, {"Font { Size = . }", 1}, {"Font { Weight = 2147483648 }", 1},
      {"Font { Colour = 1 }", 1}, {"Font {\nSize = 8\nSize = 9 }", 3}, {"Font = { Name = \"T\" }", 1},
      {"A = 1 }", 1}, {"Caption = \"x\"\n\xff = 1", 2},
  };
  // clang-format on
  for (const Case& c : cases) {
    PropertyParseError error;
    EXPECT_FALSE(PropertySet::Parse(U(c.text), &error)) << c.text;
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_FALSE(error.message.empty()) << c.text;
  }
  EXPECT_FALSE(PropertySet::Parse(u"A = \"\\"));  // escape at the very end, no error slot
}

TEST(PropertySet, SerialiseWritesTheDocumentedForm) {
  PropertySet set;
  set.Set("ForeColor", std::int64_t{0x80000010});
  set.Set("Enabled", false);
  set.Set("Font", Tahoma(8.25f));
  set.Set("Caption", std::u16string(u"Save \"it\"\n"));
  set.Set("Small", std::int64_t{-5});
  EXPECT_EQ(set.Serialise(),
            u"ForeColor = 0x80000010\n"
            u"Enabled = false\n"
            u"Font {\n"
            u"  Name = \"Tahoma\"\n"
            u"  Size = 8.25\n"
            u"  Weight = 400\n"
            u"  Italic = false\n"
            u"  Underline = false\n"
            u"  Strikethrough = false\n"
            u"  Charset = 0\n"
            u"}\n"
            u"Caption = \"Save \\\"it\\\"\\n\"\n"
            u"Small = -5\n");
}

TEST(PropertySet, SerialiseAndParseRoundTrip) {
  FontObject odd = Tahoma(0.1f, 1);
  odd.name = u"Quote\" \\ \x01\x7f\x1f\u00e9\U0001F600";
  odd.underline = odd.strikethrough = true;
  odd.charset = 255;
  FontObject huge = Tahoma(123456.5f, 0);
  FontObject tiny = Tahoma(0.0001f);
  FontObject negative = Tahoma(-7.125f, -3);
  std::u16string control;
  for (char16_t c = 0; c < 0x80; ++c) control += c;
  control += u'\xD800';  // a lone surrogate is kept as it is
  const std::vector<PropertySet::Entry> sets[] = {
      {},
      {{"Caption", u"Refresh"}, {"Font", Tahoma(8.25f)}},
      {{"Caption", control}, {"ForeColor", std::int64_t{0x01000000}}, {"B", std::int64_t{0x00FFFFFF}}},
      {{"A", std::int64_t{-2147483648LL}}, {"Z", std::int64_t{4294967295LL}}, {"T", true}, {"F", false}},
      {{"F1", odd}, {"F2", huge}, {"F3", tiny}, {"F4", negative}, {"F5", Tahoma(20.25f, 700)}},
  };
  // Sizes the text cannot hold exactly are refused rather than saved as something else.
  for (float size : {3.0e38f, 1.0e-40f, 0.00005f, 8.123456f, 1.0e9f}) {
    PropertySet set;
    EXPECT_FALSE(set.Set("Font", Tahoma(size))) << size;
    EXPECT_TRUE(set.empty());
  }
  for (const auto& entries : sets) {
    PropertySet set;
    for (const auto& [name, value] : entries) ASSERT_TRUE(set.Set(name, value)) << name;
    PropertyParseError error;
    auto reread = PropertySet::Parse(set.Serialise(), &error);
    ASSERT_TRUE(reread) << "line " << error.line << ": " << error.message;
    EXPECT_EQ(*reread, set);
    EXPECT_EQ(reread->Serialise(), set.Serialise());
  }
}

TEST(PropertySet, ReadsGiveDefaultsForMissingOrMistypedValues) {
  auto set = PropertySet::Parse(u"Colour = -2147483630\nNumber = 0\nFlag = true\nText = \"t\"\nFont { Size = 12 }\n");
  ASSERT_TRUE(set);
  const FontObject fallback = Tahoma(1.0f);
  // Colours: the low 32 bits of an integer; anything else gives the default.
  EXPECT_EQ(set->ReadColour("Colour", 7), 0x80000012u);
  EXPECT_EQ(set->ReadColour("Flag", 7), 7u);
  EXPECT_EQ(set->ReadColour("Missing", 7), 7u);
  // Flags: a flag, or an integer (non-zero is true).
  EXPECT_TRUE(set->ReadBoolean("Flag", false));
  EXPECT_FALSE(set->ReadBoolean("Number", true));
  EXPECT_TRUE(set->ReadBoolean("Colour", false));
  EXPECT_TRUE(set->ReadBoolean("Text", true));
  EXPECT_FALSE(set->ReadBoolean("Font", false));
  EXPECT_EQ(set->ReadString("Text", u"d"), u"t");
  EXPECT_EQ(set->ReadString("Number", u"d"), u"d");
  EXPECT_EQ(set->ReadFont("Font", fallback).size, 12.0f);
  EXPECT_EQ(set->ReadFont("Text", fallback), fallback);
  // The general read keeps the kind of its default.
  EXPECT_EQ(set->ReadProperty("Text", std::u16string(u"d")), PropertyValue(std::u16string(u"t")));
  EXPECT_EQ(set->ReadProperty("Text", false), PropertyValue(false));
  EXPECT_EQ(set->ReadProperty("Missing", std::int64_t{3}), PropertyValue(std::int64_t{3}));
}

TEST(PropertySet, WritingTheDefaultLeavesTheNameOut) {
  PropertySet set;
  EXPECT_TRUE(set.WriteProperty("Caption", std::u16string(u"Refresh"), std::u16string(u"UniButton")));
  EXPECT_TRUE(set.WriteProperty("Enabled", true, true));
  EXPECT_EQ(set.size(), 1u);
  EXPECT_EQ(set.ReadString("Caption", u""), u"Refresh");
  // Writing the default again removes the older value.
  EXPECT_TRUE(set.WriteProperty("Caption", std::u16string(u"UniButton"), std::u16string(u"UniButton")));
  EXPECT_TRUE(set.empty());
  EXPECT_EQ(set.ReadString("Caption", u"UniButton"), u"UniButton");
  // A value of another kind than the default is never equal to it.
  EXPECT_TRUE(set.WriteProperty("Enabled", std::int64_t{1}, true));
  EXPECT_EQ(set.size(), 1u);
  // Names and integers the text cannot hold are refused.
  for (const char* name : {"", "1st", "has space", "dash-ed"}) EXPECT_FALSE(set.Set(name, true)) << name;
  EXPECT_FALSE(set.Set("Big", std::int64_t{4294967296LL}));
  EXPECT_FALSE(set.WriteProperty("Low", std::int64_t{-2147483649LL}, false));
  EXPECT_EQ(set.size(), 1u);
  // Set replaces in place and keeps the order of first writing.
  set.Set("A", true);
  set.Set("Enabled", false);
  ASSERT_EQ(set.size(), 2u);
  EXPECT_EQ(set.Entries()[0].first, "Enabled");
  EXPECT_EQ(set.Entries()[0].second, PropertyValue(false));
  EXPECT_TRUE(set.Remove("Enabled"));
  EXPECT_FALSE(set.Remove("Enabled"));
  EXPECT_EQ(set.Find("Enabled"), nullptr);
}

}  // namespace
}  // namespace quellan::forms
