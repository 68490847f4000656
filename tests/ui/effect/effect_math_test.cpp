#include "ui/effect/effect_math.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "ui/forms/screen.h"

namespace quellan::effect {
namespace {

// An exact float in [0, 1): m / 2^24.
float Fraction(unsigned m) { return static_cast<float>(m) / 16777216.0f; }
const float kTop = Fraction(16777215);  // the largest number the generator gives, 0.99999994

TEST(EffectMath, NRoundsToNearestAndHalvesToEven) {
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float v;
    int expected;
  } cases[] = {
      {0.5f, 0},
      {1.5f, 2},
      {2.5f, 2},
      {-0.5f, 0},
      {-1.5f, -2},
      {-2.5f, -2},
      {0.49999997f, 0},
      {0.50000006f, 1},
      {-3.7f, -4},
      {8388607.5f, 8388608},
      {32767.5f, 32768},
      {2147483520.0f, 2147483520},
      {-2147483648.0f, INT_MIN},
      // Beyond the int range the result saturates instead of overflowing.
      {2147483648.0f, INT_MAX},
      {-1e20f, INT_MIN},
      {inf, INT_MAX},
      {-inf, INT_MIN},
      {std::nanf(""), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(N(c.v), c.expected) << c.v;
}

TEST(EffectMath, ScreenPixelsRoundTripEverySizeAtCommonDpis) {
  for (int dpi : {96, 120, 144, 168, 192, 240})
    for (int pixels = 1; pixels <= 8192; ++pixels) {
      const forms::ScreenMetrics screen = forms::ScreenFromPixels(pixels, pixels + 1, dpi, dpi);
      ASSERT_EQ(ScreenPixels(screen.width, screen.twipsPerPixelX), pixels) << dpi << " DPI";
      ASSERT_EQ(ScreenPixels(screen.height, screen.twipsPerPixelY), pixels + 1) << dpi << " DPI";
    }
}

TEST(EffectMath, StepsFromChosenNumbers) {
  const EffectParameters jitter{10, 3, 1, 2, 987, 987};
  struct Case {
    int W, H;
    float r1, r2, r3, r4;
    const EffectParameters& parameters;
    int x, y, dx, dy;
  } cases[] = {
      {1024, 768, 0, 0, 0, 0, kLoadParameters, 0, 0, -1, -1},
      {1024, 768, 0.5f, 0.5f, kTop, kTop, kLoadParameters, 448, 320, -1, -1},
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
  for (const Case& c : cases) {
    const EffectStep step = ComputeStep(c.W, c.H, c.parameters, c.r1, c.r2, c.r3, c.r4);
    EXPECT_EQ(step.x, c.x) << c.W << " x " << c.H;
    EXPECT_EQ(step.y, c.y) << c.W << " x " << c.H;
    EXPECT_EQ(step.dx, c.dx) << c.r3;
    EXPECT_EQ(step.dy, c.dy) << c.r4;
  }
}

TEST(EffectMath, GeneratedCornersCoverTheirWholeRangeAndNoMore) {
  UniformRandom random(12345);
  for (int W : {1, 127, 128, 129, 1024, 40000}) {
    const int low = std::min(0, W - 128), high = std::max(0, W - 128);
    int seenLow = high, seenHigh = low;
    for (int i = 0; i < 20000; ++i) {
      const float r1 = random(), r2 = random(), r3 = random(), r4 = random();
      const EffectStep step = ComputeStep(W, W, kLoadParameters, r1, r2, r3, r4);
      ASSERT_TRUE(step.x >= low && step.x <= high && step.dx == -1) << W << ": " << step.x;
      seenLow = std::min(seenLow, step.x);
      seenHigh = std::max(seenHigh, step.x);
    }
    EXPECT_LE(seenLow - low, 1 + (high - low) / 100) << W;
    EXPECT_LE(high - seenHigh, 1 + (high - low) / 100) << W;
  }
}

TEST(EffectMath, UniformNumbersAreExactFloatsBelowOneAndEvenlySpread) {
  UniformRandom random(7);
  int buckets[10] = {};
  for (int i = 0; i < 100000; ++i) {
    const float r = random();
    ASSERT_TRUE(r >= 0 && r < 1 && r * 16777216.0f == std::floor(r * 16777216.0f)) << r;
    ++buckets[static_cast<int>(r * 10)];
  }
  for (int b : buckets) EXPECT_NEAR(b, 10000, 1000);
}

TEST(EffectMath, EachClockSeedGivesItsOwnSequence) {
  auto first8 = [](UniformRandom random) {
    std::vector<float> values(8);
    for (float& v : values) v = random();
    return values;
  };
  EXPECT_EQ(first8(UniformRandom(99)), first8(UniformRandom(99)));
  const std::vector<float> one = first8(UniformRandom::FromClock());
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_NE(one, first8(UniformRandom::FromClock()));
}

}  // namespace
}  // namespace quellan::effect
