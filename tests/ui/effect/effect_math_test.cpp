#include "ui/effect/effect_math.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <thread>

#include "ui/forms/screen.h"

namespace quellan::effect {
namespace {

// An exact float in [0, 1): m / 2^24.
float Fraction(unsigned m) { return static_cast<float>(m) / 16777216.0f; }
const float kTop = Fraction(16777215);  // the largest number the generator gives

TEST(EffectMath, NRoundsToNearestHalvesToEvenAndSaturates) {
  // clang-format off
  const struct { float v; int expected; } cases[] = {
      {0.5f, 0}, {1.5f, 2}, {2.5f, 2}, {-0.5f, 0}, {-1.5f, -2}, {-2.5f, -2}, {0.49999997f, 0}, {0.50000006f, 1},
      {-3.7f, -4}, {8388607.5f, 8388608}, {32767.5f, 32768}, {-2147483648.0f, INT_MIN},
      {2147483648.0f, INT_MAX}, {-1e20f, INT_MIN}, {std::nanf(""), 0}};
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(N(c.v), c.expected) << c.v;
}

TEST(EffectMath, ScreenPixelsComeBackWholeAtAnyDpi) {
  // 1440 / 168 twips per pixel is no exact float: a truncated quotient loses a pixel at 123, 1921, 30585.
  // clang-format off
  const struct { int pixels, dpi; } cases[] = {
      {1, 96}, {123, 168}, {1366, 144}, {1920, 168}, {30585, 168}, {4001, 240}, {70001, 120}};
  // clang-format on
  for (const auto& c : cases) {
    const forms::ScreenMetrics screen = forms::ScreenFromPixels(c.pixels, c.pixels + 1, c.dpi, c.dpi);
    EXPECT_EQ(ScreenPixels(screen.width, screen.twipsPerPixelX), c.pixels) << c.dpi;
    EXPECT_EQ(ScreenPixels(screen.height, screen.twipsPerPixelY), c.pixels + 1) << c.dpi;
  }
}

TEST(EffectMath, StepsFromChosenNumbers) {
  const EffectParameters jitter{10, 3, 1, 2, 987, 987};
  const struct {
    int W, H;
    float r1, r2, r3, r4;
    const EffectParameters& parameters;
    int x, y, dx, dy;
  } cases[] = {
      {1024, 768, 0, 0, 0, 0, kLoadParameters, 0, 0, -1, -1},
      {1024, 768, kTop, kTop, 0.5f, 0, kLoadParameters, 896, 640, -1, -1},  // 895.99994 rounds to the last corner
      {129, 131, 0.5f, 0.5f, 0, 0, kLoadParameters, 0, 2, -1, -1},          // 0.5 and 1.5 go to the even neighbour
      // Each product is rounded to single precision before N: in double these would be 193 and 323,
      // and 10 x 0.15 would not be exactly 1.5.
      {355, 606, Fraction(14301283), Fraction(11319356), 0.15f, 0.5f, jitter, 194, 322, 0, 0},
      {1024, 768, 0, 0, 0.25f, 0.84f, jitter, 0, 0, 2, 1},
      // Screens smaller than the 128-pixel margin: the corner lies left of or above the origin.
      {100, 10, 0.5f, kTop, 0, 0, kLoadParameters, -14, -118, -1, -1},
      // Beyond 16 bits nothing overflows.
      {40000, 70000, kTop, 0.5f, 0, 0, kLoadParameters, 39872, 34936, -1, -1},
      {INT_MAX, INT_MAX, kTop, 0, kTop, kTop, jitter, 2147483392, 0, 9, 1},
  };
  for (const auto& c : cases) {
    const EffectStep step = ComputeStep(c.W, c.H, c.parameters, c.r1, c.r2, c.r3, c.r4);
    EXPECT_EQ(step.x, c.x) << c.W << " x " << c.H;
    EXPECT_EQ(step.y, c.y) << c.W << " x " << c.H;
    EXPECT_EQ(step.dx, c.dx) << c.r3;
    EXPECT_EQ(step.dy, c.dy) << c.r4;
  }
  EXPECT_EQ(Destination(INT_MIN, -1), INT_MIN);
  EXPECT_EQ(Destination(5, -1), 4);
}

TEST(EffectMath, UniformNumbersAreEvenExactFloatsBelowOneAndEachSeedHasItsOwn) {
  UniformRandom random(7), same(7), other(8);
  int buckets[10] = {}, differ = 0;
  for (int i = 0; i < 100000; ++i) {
    const float r = random();
    ASSERT_TRUE(r >= 0 && r < 1 && r * 16777216.0f == std::floor(r * 16777216.0f)) << r;
    ++buckets[static_cast<int>(r * 10)];
    ASSERT_EQ(r, same());
    differ += r != other();
  }
  for (int b : buckets) EXPECT_NEAR(b, 10000, 1000);
  EXPECT_GT(differ, 99000);
  const float fromClock = UniformRandom::FromClock()();
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_NE(fromClock, UniformRandom::FromClock()());
}

}  // namespace
}  // namespace quellan::effect
