#include "ui/forms/twips.h"

#include <gtest/gtest.h>

namespace quellan::forms {

TEST(Twips, ScaleWithTheRealDpi) {
  struct Case {
    int twips, dpi, pixels;
  } cases[] = {{4245, 96, 283}, {4245, 144, 425} /* 424.5 rounds away from zero */,
               {15, 120, 1},    {7, 96, 0},
               {8, 96, 1},      {-15, 96, -1}};
  for (const Case& c : cases) EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
}

}  // namespace quellan::forms
