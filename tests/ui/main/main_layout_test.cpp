#include "ui/main/main_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/forms/property_set.h"
#include "ui/main/item_check_status.h"
#include "ui/main/maker_identity.h"

namespace quellan::mainwindow {
namespace {

// Each control's rectangle in the window's client area at 96 DPI, worked out by hand from the
// layout (a frame child lies 51 pixels lower than its frame-relative top).
TEST(MainLayout, RectanglesAt96DpiAreTheTwipsDividedBy15) {
  struct Case {
    const char* name;
    PixelRect window;
  } cases[] = {
      {"fraSet", {0, 51, 283, 199}},  // 4240 twips is 282.7 pixels
      {"btRefresh", {9, 210, 130, 37}}, {"lstDrvTypes", {9, 97, 129, 107}}, {"chkGlobal", {9, 57, 265, 20}},
      {"lstDrvs", {145, 97, 129, 107}}, {"btSaveSet", {144, 210, 130, 37}}, {"Label10", {9, 81, 129, 17}},
      {"Label9", {145, 81, 130, 17}},   {"link2", {9, 249, 265, 16}},       {"link1", {102, 30, 169, 16}},
      {"CAP", {6, 0, 223, 31}},
  };
  for (const Case& c : cases) {
    const ControlSpec* item = FindControl(c.name);
    ASSERT_NE(item, nullptr) << c.name;
    const PixelRect r = WindowRect(*item, 96);
    EXPECT_EQ(r.left, c.window.left) << c.name;
    EXPECT_EQ(r.top, c.window.top) << c.name;
    EXPECT_EQ(r.width, c.window.width) << c.name;
    EXPECT_EQ(r.height, c.window.height) << c.name;
  }
}

TEST(MainLayout, ScalesWithTheDisplayDpi) {
  struct Case {
    const char* name;
    int dpi;
    PixelRect container;
    PixelRect window;
  } cases[] = {
      // 144 DPI: 10 twips a pixel; halves round away from zero (765 -> 77, 2175 -> 218).
      {"fraSet", 144, {0, 77, 424, 299}, {0, 77, 424, 299}},
      {"lstDrvs", 144, {218, 69, 194, 161}, {218, 146, 194, 161}},
      {"CAP", 144, {9, 0, 335, 47}, {9, 0, 335, 47}},
      // 120 DPI: 12 twips a pixel.
      {"btSaveSet", 120, {180, 199, 163, 46}, {180, 263, 163, 46}},
      {"link2", 120, {11, 311, 331, 20}, {11, 311, 331, 20}},
  };
  for (const Case& c : cases) {
    const ControlSpec& item = *FindControl(c.name);
    EXPECT_EQ(ContainerRect(item, c.dpi), c.container) << c.name << " at " << c.dpi;
    EXPECT_EQ(WindowRect(item, c.dpi), c.window) << c.name << " at " << c.dpi;
  }
}

TEST(MainLayout, ControlsInCreationOrderWithTheirContainersAndTypes) {
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
  std::set<int> tabIndexes;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    EXPECT_STREQ(controls[i].name, expected[i].name);
    EXPECT_EQ(controls[i].type, expected[i].type) << expected[i].name;
    EXPECT_EQ(controls[i].container, expected[i].container) << expected[i].name;
    EXPECT_EQ(controls[i].tabIndex, expected[i].tabIndex) << expected[i].name;
    tabIndexes.insert(controls[i].tabIndex);
  }
  EXPECT_EQ(tabIndexes.size(), controls.size()) << "tab indexes are unique";
  EXPECT_EQ(FindControl("Label11"), nullptr);
}

TEST(MainLayout, TabVisitsTheListsTheCheckBoxAndTheButtonsInOrder) {
  const char* expected[] = {"lstDrvs", "chkGlobal", "lstDrvTypes", "btRefresh", "btSaveSet"};
  const auto stops = TabStops();
  ASSERT_EQ(stops.size(), std::size(expected));
  for (std::size_t i = 0; i < stops.size(); ++i) {
    ASSERT_NE(stops[i], nullptr);
    EXPECT_STREQ(stops[i]->name, expected[i]);
  }
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
    EXPECT_EQ(c.font.face != nullptr, e.points != 0) << e.name;
    if (c.font.face) {
      EXPECT_EQ(std::u16string(c.font.face), u"Tahoma") << e.name;
      EXPECT_EQ(c.font.points, e.points) << e.name;
      EXPECT_EQ(c.font.weight, e.weight) << e.name;
    }
    EXPECT_EQ(c.foreColour, e.fore) << e.name;
    EXPECT_EQ(c.background, e.background) << e.name;
    EXPECT_EQ(c.toolTip, e.tip) << e.name;
  }
  EXPECT_EQ(FindControl("Label10")->caption, u"\u00BB Disable for Drive Type:");
  EXPECT_EQ(FindControl("fraSet")->caption, u"AutoRun Settings ") << "kept, though never shown";
}

TEST(MainLayout, ButtonsAreOrvaneButtonsStoringOnlyFontAndCaption) {
  for (const auto& [name, caption] : {std::pair{"btRefresh", u"Refresh"}, std::pair{"btSaveSet", u"Save Setting"}}) {
    const ControlSpec& c = *FindControl(name);
    ASSERT_NE(c.classId, nullptr);
    EXPECT_STREQ(c.classId, "Quellan.OrvaneButton");
    forms::PropertyParseError error;
    const auto stored = forms::PropertySet::Parse(c.storedProperties, &error);
    ASSERT_TRUE(stored.has_value()) << name << ": line " << error.line << ": " << error.message;
    ASSERT_EQ(stored->size(), 2u) << name;
    EXPECT_EQ(stored->Entries()[0].first, "Font");
    EXPECT_EQ(stored->Entries()[1].first, "Caption");
    EXPECT_EQ(stored->ReadString("Caption", u"UniButton"), caption);
    const forms::FontObject font = stored->ReadFont("Font", forms::FontObject{u"Arial", 30.0f, 700});
    EXPECT_EQ(font.name, u"Tahoma");
    EXPECT_EQ(font.size, 8.25f);
    EXPECT_EQ(font.weight, 400);
  }
  for (const ControlSpec& c : MainControls()) {
    if (c.type != ControlType::Button) {
      EXPECT_EQ(c.classId, nullptr) << c.name;
    }
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
      {"", u""},
      {"quellan.example", u"quellan.example"},
      {"\xC2\xA9 \xC2\xBB", u"\u00A9 \u00BB"},
      {"Nguy\xE1\xBB\x85n", u"Nguy\u1EC5n"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},  // a surrogate pair
      {"a\x80z", u"a\uFFFDz"},              // stray continuation byte
      {"\xC0\xAF", u"\uFFFD"},              // overlong '/'
      {"\xE1\xBB", u"\uFFFD"},              // cut short at the end
      {"\xE1\x41", u"\uFFFDA"},             // cut short by an ASCII letter, which survives
      {"\xED\xA0\x80", u"\uFFFD"},          // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD"},      // beyond U+10FFFF
      {"\xFF", u"\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToUtf16(c.in), c.out) << c.in;
}

TEST(ItemCheckStatus, SentencesForLettersAndTypes) {
  struct Case {
    bool letter;
    std::u16string entry;
    bool ticked;
    std::u16string sentence;
  } cases[] = {
      {true, u"C", true, u"AutoRun for Drive C is Disabled"},
      {true, u"Q", false, u"AutoRun for Drive Q is Enabled"},
      {false, u"CD/DVD", false, u"AutoRun for CD/DVD Drives is Enabled"},
      {false, u"RAM Disk", true, u"AutoRun for RAM Disk Drives is Disabled"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.letter ? DriveStatus(c.entry, c.ticked) : DriveTypeStatus(c.entry, c.ticked), c.sentence);
}

}  // namespace
}  // namespace quellan::mainwindow
