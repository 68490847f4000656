#pragma once
// The arithmetic of the melting-screen effect: the screen size in pixels, where each step copies a
// block to, and the numbers that choose the places. No window is needed for any of it.
#include <cstdint>
#include <random>

namespace quellan::effect {

// The integer nearest to v; a value exactly halfway between two integers goes to the even one.
// Beyond the int range it saturates and NaN gives 0, so no screen size can overflow it.
int N(float v);

// The window's parameters, set when it loads and never changed: no random part in the shift, one
// pixel to the left and one up, blocks of 987 x 987 pixels.
struct EffectParameters {
  int jitterX = 0;  // width of the random part of the horizontal shift
  int jitterY = 0;  // width of the random part of the vertical shift
  int shiftX = 1;   // fixed leftward part of the horizontal shift, pixels
  int shiftY = 1;   // fixed upward part of the vertical shift, pixels
  int blockW = 987;
  int blockH = 987;
};
inline constexpr EffectParameters kLoadParameters{};

// A screen side of `pixels` at `dpi` dots per inch, measured as the effect measures it: the side in
// twips divided by the twips per pixel, in single precision, rounded with N.
int ScreenPixels(int pixels, int dpi);

// One step: the block at (x, y) is copied to (x + dx, y + dy).
struct EffectStep {
  int x = 0;
  int y = 0;
  int dx = 0;
  int dy = 0;
};

// The step for a W x H pixel screen from four numbers in [0, 1), in the order they are drawn: the
// corner lies between 0 and W - 128 (H - 128), and is negative on screens smaller than 128 pixels.
// Every product and difference is rounded to single precision before N.
EffectStep ComputeStep(int W, int H, const EffectParameters& parameters, float r1, float r2, float r3, float r4);

// Uniform single-precision numbers in [0, 1): 24 random bits scaled by 2^-24, so every value is an
// exact float and 1 never comes out.
class UniformRandom {
 public:
  explicit UniformRandom(std::uint32_t seed) : m_engine(seed) {}
  // Seeded from the clock: each run of the effect gets its own sequence.
  static UniformRandom FromClock();
  float operator()() { return static_cast<float>(m_engine() >> 8) * (1.0f / 16777216.0f); }

 private:
  std::mt19937 m_engine;
};

}  // namespace quellan::effect
