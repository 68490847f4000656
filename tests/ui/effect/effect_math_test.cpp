#include "ui/effect/effect_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <tuple>
#include <vector>

namespace quellan::effect {
namespace {

// Halves go to the even neighbour, and 0.5 - 2^-25 down (its single-precision sum with 0.5 would be 1).
TEST(EffectMath, NRoundsToNearestHalvesToEvenAndSaturates) {
  std::vector<int> n;
  for (float v : {0.5f, 1.5f, 2.5f, -0.5f, -1.5f, 0.49999997f, 2147483648.0f, -1e20f, NAN}) n.push_back(N(v));
  EXPECT_EQ(n, (std::vector<int>{0, 2, 2, 0, -2, 0, INT_MAX, INT_MIN, 0}));
}

// 1440 / dpi twips per pixel is no exact float at most DPIs: a truncated or rounded-up quotient loses a pixel.
TEST(EffectMath, ScreenPixelsComeBackWholeAtAnyDpi) {
  for (int dpi : {96, 110, 120, 144, 168, 192, 216})
    for (int pixels = 1; pixels <= 40000; ++pixels) ASSERT_EQ(ScreenPixels(pixels, dpi), pixels) << dpi << " DPI";
}

// Each run draws from a generator seeded from the clock when the run starts.
TEST(EffectMath, StepsFromChosenNumbersAndEachRunsOwnRandomNumbers) {
  EXPECT_NE(UniformRandom::FromClock()(), UniformRandom::FromClock()());
  const EffectParameters load = kLoadParameters, jitter{10, 3, 1, 2, 987, 987};
  const std::tuple<int, int, EffectParameters, float, float, float, float, int, int, int, int> cases[] = {
      {129, 131, load, 0.5f, 0.5f, 0, 0, 0, 2, -1, -1},  // 0.5 and 1.5 go to the even neighbour
      // Products rounded to single precision: in double x, y would be 193, 323, and 10 x 0.15 not 1.5.
      {355, 606, jitter, 14301283 / 16777216.0f, 11319356 / 16777216.0f, 0.15f, 0.5f, 194, 322, 0, 0},
      {100, 10, load, 0.5f, 0.99999994f, 0, 0, -14, -118, -1, -1},  // inside the 128-pixel margin
      {INT_MAX, 70000, jitter, 0.99999994f, 0.5f, 0.99999994f, 0.99999994f, 2147483392, 34936, 9, 1}};  // no overflow
  for (const auto& [W, H, parameters, r1, r2, r3, r4, x, y, dx, dy] : cases) {
    const EffectStep s = ComputeStep(W, H, parameters, r1, r2, r3, r4);
    EXPECT_EQ(std::make_tuple(s.x, s.y, s.dx, s.dy), std::make_tuple(x, y, dx, dy)) << W << " x " << H;
  }
}

}  // namespace
}  // namespace quellan::effect
