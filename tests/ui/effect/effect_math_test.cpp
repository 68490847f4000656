#include "ui/effect/effect_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <tuple>
#include <utility>

namespace quellan::effect {
namespace {

TEST(EffectMath, NRoundsToNearestHalvesToEvenAndSaturates) {
  // clang-format off
  const std::pair<float, int> cases[] = {
      {0.5f, 0}, {1.5f, 2}, {2.5f, 2}, {-0.5f, 0}, {-1.5f, -2}, {-2.5f, -2}, {0.49999997f, 0}, {0.50000006f, 1},
      {-3.7f, -4}, {8388607.5f, 8388608}, {-2147483648.0f, INT_MIN}, {2147483648.0f, INT_MAX}, {-1e20f, INT_MIN},
      {NAN, 0}};
  // clang-format on
  for (const auto& [v, n] : cases) EXPECT_EQ(N(v), n) << v;
}

TEST(EffectMath, ScreenPixelsComeBackWholeAtAnyDpi) {
  // 1440 / dpi twips per pixel is no exact float at 110, 168 or 216 DPI: a truncated quotient loses these pixels.
  const std::pair<int, int> cases[] = {{1366, 96}, {97, 110}, {123, 168}, {1921, 168}, {30585, 168}, {47, 216}};
  for (const auto& [pixels, dpi] : cases) EXPECT_EQ(ScreenPixels(pixels, dpi), pixels) << dpi << " DPI";
}

TEST(EffectMath, StepsFromChosenNumbers) {
  const EffectParameters load = kLoadParameters, jitter{10, 3, 1, 2, 987, 987};
  // clang-format off
  const struct { int W, H; float r1, r2, r3, r4; EffectParameters parameters; int x, y, dx, dy; } cases[] = {
      {1024, 768, 0.99999994f, 0.99999994f, 0.5f, 0, load, 896, 640, -1, -1},  // largest r: 895.99994 -> 896
      {129, 131, 0.5f, 0.5f, 0, 0, load, 0, 2, -1, -1},                         // 0.5 and 1.5 go to the even neighbour
      // Products rounded to single precision: in double x, y would be 193, 323, and 10 x 0.15 not 1.5.
      {355, 606, 14301283 / 16777216.0f, 11319356 / 16777216.0f, 0.15f, 0.5f, jitter, 194, 322, 0, 0},
      {1024, 768, 0, 0, 0.25f, 0.84f, jitter, 0, 0, 2, 1},
      {100, 10, 0.5f, 0.99999994f, 0, 0, load, -14, -118, -1, -1},              // inside the 128-pixel margin
      {INT_MAX, 70000, 0.99999994f, 0.5f, 0.99999994f, 0.99999994f, jitter, 2147483392, 34936, 9, 1}};  // no overflow
  // clang-format on
  for (const auto& c : cases) {
    const EffectStep s = ComputeStep(c.W, c.H, c.parameters, c.r1, c.r2, c.r3, c.r4);
    EXPECT_EQ(std::make_tuple(s.x, s.y, s.dx, s.dy), std::make_tuple(c.x, c.y, c.dx, c.dy)) << c.W << " x " << c.H;
  }
}

TEST(EffectMath, UniformNumbersAreEvenExactFloatsBelowOneAndEachRunHasItsOwn) {
  UniformRandom random(7);
  int buckets[10] = {};
  for (int i = 0; i < 100000; ++i) {
    const float r = random();
    ASSERT_TRUE(r >= 0 && r < 1 && r * 16777216.0f == std::floor(r * 16777216.0f)) << r;
    ++buckets[static_cast<int>(r * 10)];
  }
  for (int b : buckets) EXPECT_NEAR(b, 10000, 1000);
  EXPECT_NE(UniformRandom::FromClock()(), UniformRandom::FromClock()()) << "two runs draw the same numbers";
}

}  // namespace
}  // namespace quellan::effect
