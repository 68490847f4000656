#include "ui/main/main_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/forms/property_set.h"
#include "ui/main/item_check_status.h"
#include "ui/main/maker_identity.h"

namespace quellan::mainwindow {
namespace {

// Rectangles worked out by hand: at 96 DPI they are the twips divided by 15 (4240 twips is 282.7
// pixels), at 144 DPI by 10 and at 120 DPI by 12, halves away from zero (765 -> 77, 2175 -> 218).
// A frame child's window rectangle lies the frame's top lower than its container rectangle.
TEST(MainLayout, RectanglesScaleWithTheDisplayDpi) {
  struct Case {
    const char* name;
    int dpi;
    PixelRect window;
    int frameTop;  // container rectangle's top = window top - frameTop
  } cases[] = {
      {"fraSet", 96, {0, 51, 283, 199}, 0},
      {"btRefresh", 96, {9, 210, 130, 37}, 51},
      {"lstDrvTypes", 96, {9, 97, 129, 107}, 51},
      {"chkGlobal", 96, {9, 57, 265, 20}, 51},
      {"lstDrvs", 96, {145, 97, 129, 107}, 51},
      {"btSaveSet", 96, {144, 210, 130, 37}, 51},
      {"Label10", 96, {9, 81, 129, 17}, 51},
      {"Label9", 96, {145, 81, 130, 17}, 51},
      {"link2", 96, {9, 249, 265, 16}, 0},
      {"link1", 96, {102, 30, 169, 16}, 0},
      {"CAP", 96, {6, 0, 223, 31}, 0},
      {"fraSet", 144, {0, 77, 424, 299}, 0},
      {"lstDrvs", 144, {218, 146, 194, 161}, 77},
      {"btSaveSet", 120, {180, 263, 163, 46}, 64},
      {"link2", 120, {11, 311, 331, 20}, 0},
  };
  for (const Case& c : cases) {
    const ControlSpec* item = FindControl(c.name);
    ASSERT_NE(item, nullptr) << c.name;
    PixelRect container = c.window;
    container.top -= c.frameTop;
    EXPECT_EQ(WindowRect(*item, c.dpi), c.window) << c.name << " at " << c.dpi;
    EXPECT_EQ(ContainerRect(*item, c.dpi), container) << c.name << " at " << c.dpi;
  }
}

TEST(MainLayout, ControlsInCreationOrderWithTheirContainersTypesAndTabStops) {
  struct Expected {
    const char* name;
    ControlType type;
    Container container;
    int tabIndex;
  } expected[] = {
      {"fraSet", ControlType::Frame, Container::Window, 0},
      {"btRefresh", ControlType::Button, Container::Frame, 6},
      {"lstDrvTypes", ControlType::CheckList, Container::Frame, 3},
      {"chkGlobal", ControlType::CheckBox, Container::Frame, 2},
      {"lstDrvs", ControlType::CheckList, Container::Frame, 1},
      {"btSaveSet", ControlType::Button, Container::Frame, 7},
      {"Label10", ControlType::Label, Container::Frame, 5},
      {"Label9", ControlType::Label, Container::Frame, 4},
      {"link2", ControlType::Label, Container::Window, 10},
      {"link1", ControlType::Label, Container::Window, 9},
      {"CAP", ControlType::Label, Container::Window, 8},
  };
  const auto& controls = MainControls();
  ASSERT_EQ(controls.size(), std::size(expected));
  for (std::size_t i = 0; i < controls.size(); ++i) {
    EXPECT_STREQ(controls[i].name, expected[i].name);
    EXPECT_EQ(controls[i].type, expected[i].type) << expected[i].name;
    EXPECT_EQ(controls[i].container, expected[i].container) << expected[i].name;
    EXPECT_EQ(controls[i].tabIndex, expected[i].tabIndex) << expected[i].name;
    EXPECT_EQ(controls[i].classId != nullptr, expected[i].type == ControlType::Button) << expected[i].name;
  }
  std::string stops;
  for (const ControlSpec* stop : TabStops()) stops += stop->name + std::string(" ");
  EXPECT_EQ(stops, "lstDrvs chkGlobal lstDrvTypes btRefresh btSaveSet ");
}

// The controls that do not simply take the window's font and the platform's colours.
TEST(MainLayout, OwnFontsColoursAndTips) {
  struct Expected {
    const char* name;
    float points;  // 0: the window's font
    int weight;
    std::uint32_t fore;
    Background background;
    std::u16string tip;
  } expected[] = {
      {"chkGlobal", 12.0f, 700, kSysButtonText, Background::Opaque, u""},
      {"CAP", 20.25f, 700, 0x0080FFu, Background::Transparent, u"About..."},
      {"link1", 0, 0, 0xFF0000u, Background::Opaque, u"Homepage..."},
      {"link2", 0, 0, 0xFF0000u, Background::Opaque, u"Send IM to author..."},
      {"Label9", 0, 0, kSysButtonText, Background::Transparent, u""},
  };
  for (const Expected& e : expected) {
    const ControlSpec& c = *FindControl(e.name);
    EXPECT_EQ(c.font.face ? std::u16string(c.font.face) : u"", e.points ? u"Tahoma" : u"") << e.name;
    EXPECT_EQ(c.font.points * 10000 + c.font.weight, e.points * 10000 + e.weight) << e.name;
    EXPECT_EQ(c.foreColour, e.fore) << e.name;
    EXPECT_EQ(c.background, e.background) << e.name;
    EXPECT_EQ(c.toolTip, e.tip) << e.name;
  }
  EXPECT_EQ(FindControl("Label10")->caption, u"\u00BB Disable for Drive Type:");
}

TEST(MainLayout, ButtonsStoreOnlyTheirFontAndCaption) {
  for (const auto& [name, caption] : {std::pair{"btRefresh", u"Refresh"}, std::pair{"btSaveSet", u"Save Setting"}}) {
    const ControlSpec& c = *FindControl(name);
    EXPECT_STREQ(c.classId, "Quellan.OrvaneButton");
    forms::PropertyParseError error;
    const auto stored = forms::PropertySet::Parse(c.storedProperties, &error);
    ASSERT_TRUE(stored.has_value()) << name << ": line " << error.line << ": " << error.message;
    ASSERT_EQ(stored->size(), 2u) << name;
    EXPECT_EQ(stored->Entries()[0].first + stored->Entries()[1].first, "FontCaption");
    EXPECT_EQ(stored->ReadString("Caption", u"UniButton"), caption);
    const forms::FontObject font = stored->ReadFont("Font", forms::FontObject{u"Arial", 30.0f, 700});
    EXPECT_EQ(font.name, u"Tahoma");
    EXPECT_EQ(font.size * 1000 + font.weight, 8.25f * 1000 + 400);
  }
}

TEST(MainLayout, CaptionsBuiltFromTheMakersIdentity) {
  const std::u16string address = Utf8ToUtf16(identity::kWebAddress);
  std::u16string upper = address, lower = address;
  for (char16_t& c : upper) c = (c >= u'a' && c <= u'z') ? c - 32 : c;
  for (char16_t& c : lower) c = (c >= u'A' && c <= u'Z') ? c + 32 : c;
  EXPECT_EQ(WindowCaption(), u"Quellan \u00A9 " + upper);
  EXPECT_EQ(Link1Caption(), Utf8ToUtf16(identity::kRightsNotice) + u" " + lower);
  EXPECT_EQ(Link2Caption(), address + u" \u00AE " + Utf8ToUtf16(identity::kAuthorEmail));
  EXPECT_EQ(Link2Caption().find(u'&'), std::u16string::npos) << "no access-key ampersand";
}

TEST(Utf8ToUtf16, DecodesAndReplacesMalformedBytes) {
  struct Case {
    std::string in;
    std::u16string out;
  } cases[] = {
      {"\xC2\xA9 \xE1\xBB\x85", u"\u00A9 \u1EC5"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},  // a surrogate pair
      {"a\x80z", u"a\uFFFDz"},              // stray continuation byte
      {"\xC0\xAF", u"\uFFFD"},              // overlong '/'
      {"\xE1\xBB", u"\uFFFD"},              // cut short at the end
      {"\xE1\x41", u"\uFFFDA"},             // cut short by an ASCII letter, which survives
      {"\xED\xA0\x80", u"\uFFFD"},          // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD"},      // beyond U+10FFFF
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToUtf16(c.in), c.out) << c.in;
}

TEST(ItemCheckStatus, SentencesForLettersAndTypes) {
  EXPECT_EQ(DriveStatus(u"C", true), u"AutoRun for Drive C is Disabled");
  EXPECT_EQ(DriveStatus(u"Q", false), u"AutoRun for Drive Q is Enabled");
  EXPECT_EQ(DriveTypeStatus(u"CD/DVD", false), u"AutoRun for CD/DVD Drives is Enabled");
  EXPECT_EQ(DriveTypeStatus(u"RAM Disk", true), u"AutoRun for RAM Disk Drives is Disabled");
}

}  // namespace
}  // namespace quellan::mainwindow
