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
  const float lower = std::floor(v);
  const float fraction = v - lower;  // exact: lower and v share the float's exponent range
  double result = lower;
  if (fraction > 0.5f) {
    result += 1;
  } else if (fraction == 0.5f && std::fmod(lower, 2.0f) != 0) {
    result += 1;  // halfway: to the even neighbour
  }
  return result > INT_MAX ? INT_MAX : static_cast<int>(result);
}

int ScreenPixels(float twips, float twipsPerPixel) { return N(Single(twips / twipsPerPixel)); }

EffectStep ComputeStep(int W, int H, const EffectParameters& parameters, float r1, float r2, float r3, float r4) {
  // W - 128 in 64 bits: no int screen size can overflow it.
  const float spanX = static_cast<float>(static_cast<long long>(W) - 128);
  const float spanY = static_cast<float>(static_cast<long long>(H) - 128);
  EffectStep step;
  step.x = N(Single(spanX * r1));
  step.y = N(Single(spanY * r2));
  step.dx = N(Single(Single(static_cast<float>(parameters.jitterX) * r3) - static_cast<float>(parameters.shiftX)));
  step.dy = N(Single(Single(static_cast<float>(parameters.jitterY) * r4) - static_cast<float>(parameters.shiftY)));
  return step;
}

int Destination(int from, int shift) {
  const long long sum = static_cast<long long>(from) + shift;
  if (sum > INT_MAX) return INT_MAX;
  if (sum < INT_MIN) return INT_MIN;
  return static_cast<int>(sum);
}

UniformRandom::UniformRandom(std::uint64_t seed) {
  std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
  m_engine.seed(sequence);
}

UniformRandom UniformRandom::FromClock() {
  return UniformRandom(
      static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

float UniformRandom::operator()() { return static_cast<float>(m_engine() >> 8) * (1.0f / 16777216.0f); }

}  // namespace quellan::effect
