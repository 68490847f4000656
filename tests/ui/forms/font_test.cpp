#include "ui/forms/font.h"

#include <gtest/gtest.h>

#include <limits>

namespace quellan::forms {
namespace {

TEST(Font, HeightIsTheNearestPixelCountAtTheRealDpi) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float points;
    int dpi, height;
  } cases[] = {
      {8.25f, 96, -11},  {12.0f, 96, -16}, {20.25f, 96, -27}, {8.25f, 120, -14},  // 13.75
      {8.25f, 144, -17},                                                          // 16.5, away from zero
      {8.0f, 96, -11},   {0.1f, 96, 0},    {0.0f, 96, 0},     {-8.25f, 96, 0},
      {nan, 96, 0},      {inf, 96, 0},     {8.25f, 0, 0},     {1.0e30f, 96, -16384},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FontHeightForDpi(c.points, c.dpi), c.height) << c.points << " pt at " << c.dpi << " DPI";
  }
}

TEST(Font, SharedObjectsCompareByEveryAttribute) {
  auto a = MakeFont(u"Tahoma", 20.25f, 700);
  auto b = MakeFont(u"Tahoma", 20.25f, 700);
  EXPECT_NE(a, b);
  EXPECT_EQ(*a, *b);
  EXPECT_TRUE(a->bold());
  void (*changes[])(FontObject&) = {
      [](FontObject& f) { f.name = u"tahoma"; }, [](FontObject& f) { f.size = 20.0f; },
      [](FontObject& f) { f.weight = 400; },     [](FontObject& f) { f.italic = true; },
      [](FontObject& f) { f.underline = true; }, [](FontObject& f) { f.strikethrough = true; },
      [](FontObject& f) { f.charset = 163; },
  };
  for (auto change : changes) {
    FontObject changed = *a;
    change(changed);
    EXPECT_NE(changed, *a);
  }
  std::shared_ptr<FontObject> held = a;
  held->size = 12.0f;  // every holder sees the change
  EXPECT_EQ(a->size, 12.0f);
}

}  // namespace
}  // namespace quellan::forms
