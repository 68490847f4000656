#include "ui/forms/font.h"

#include <gtest/gtest.h>

#include <limits>

namespace quellan::forms {
namespace {

TEST(Font, HeightIsTheNearestPixelCountAtTheRealDpi) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  // clang-format off
  struct Case {
    float points;
    int dpi, height;
  } cases[] = {
      {8.25f, 96, -11}, {20.25f, 96, -27}, {8.25f, 120, -14}, {8.25f, 144, -17},  // 13.75; 16.5 away from zero
      {0.1f, 96, 0}, {-8.25f, 96, 0}, {8.25f, 0, 0}, {nan, 96, 0}, {inf, 96, 0}, {1.0e30f, 96, -16384},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(FontHeightForDpi(c.points, c.dpi), c.height) << c.points << " pt at " << c.dpi << " DPI";
  }
}

TEST(Font, ObjectsCompareByEveryAttribute) {
  auto a = MakeFont(u"Tahoma", 20.25f, 700);
  EXPECT_EQ(*a, *MakeFont(u"Tahoma", 20.25f, 700));
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
}

}  // namespace
}  // namespace quellan::forms
