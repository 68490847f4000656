#include "ui/effect/effect_math.h"

#include <cfloat>
#include <chrono>
#include <climits>
#include <cmath>

namespace quellan::effect {

namespace {

// A float result rounded to single precision. Where the compiler keeps floats in wider registers
// (x87 on 32-bit x86) a store through volatile forces the rounding; elsewhere it is a no-op.
inline float Single(float v) {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD != 0
  volatile float stored = v;
  return stored;
#else
  return v;
#endif
}

}  // namespace

int N(float v) {
  if (std::isnan(v)) return 0;
  // 2^31 is the first float past INT_MAX; -2^31 is INT_MIN itself.
  if (v >= 2147483648.0f) return INT_MAX;
  if (v < -2147483648.0f) return INT_MIN;
  return static_cast<int>(std::nearbyint(v));  // the default rounding: to nearest, halves to even
}

int ScreenPixels(int pixels, int dpi) {
  const float twipsPerPixel = Single(1440.0f / static_cast<float>(dpi));
  return N(Single(Single(static_cast<float>(pixels) * twipsPerPixel) / twipsPerPixel));
}

EffectStep ComputeStep(int W, int H, const EffectParameters& parameters, float r1, float r2, float r3, float r4) {
  EffectStep step;
  step.x = N(Single(static_cast<float>(W - 128) * r1));
  step.y = N(Single(static_cast<float>(H - 128) * r2));
  step.dx = N(Single(Single(static_cast<float>(parameters.jitterX) * r3) - static_cast<float>(parameters.shiftX)));
  step.dy = N(Single(Single(static_cast<float>(parameters.jitterY) * r4) - static_cast<float>(parameters.shiftY)));
  return step;
}

UniformRandom UniformRandom::FromClock() {
  return UniformRandom(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

}  // namespace quellan::effect
