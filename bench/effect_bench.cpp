// The melting-screen effect's speed: steps per second of a real run of frmEff, divided by the steps
// per second of a bare loop of the same block copy on the same window (same numbers, same
// arithmetic, same BitBlt, no message processing); and divided by the same loop that also
// processes pending messages after every step, as the effect must, which shows what the effect
// costs beyond the work it is asked to do. All are measured in interleaved rounds inside one run of
// the effect, so they share the window, its DC and the screen; the best round of each counts.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "ui/effect/effect_math.h"
#include "ui/effect/frm_eff.h"
#include "ui/forms/message_loop.h"

namespace quellan::effect {
namespace {

constexpr double kPhaseSeconds = 0.4;
constexpr int kRounds = 5;

double Seconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

// The effect's step without the effect: numbers, arithmetic and the block copy, and, when asked,
// the processing of pending messages.
double BareStepsPerSecond(HWND hwnd, UniformRandom& random, bool withMessages) {
  const int W = GetSystemMetrics(SM_CXSCREEN);
  const int H = GetSystemMetrics(SM_CYSCREEN);
  HDC dc = GetDC(hwnd);
  long steps = 0;
  const double start = Seconds();
  double now = start;
  do {
    const float r1 = random(), r2 = random(), r3 = random(), r4 = random();
    const EffectStep step = ComputeStep(W, H, kLoadParameters, r1, r2, r3, r4);
    BitBlt(dc, Destination(step.x, step.dx), Destination(step.y, step.dy), kLoadParameters.blockW,
           kLoadParameters.blockH, dc, step.x, step.y, SRCCOPY);
    if (withMessages) forms::DoEvents();
    ++steps;
    now = Seconds();
  } while (now - start < kPhaseSeconds);
  ReleaseDC(hwnd, dc);
  return steps / (now - start);
}

int Run() {
  frmEff effect;
  UniformRandom random = UniformRandom::FromClock();
  UniformRandom bareRandom = UniformRandom::FromClock();
  double bestEffect = 0, bestBare = 0, bestWithMessages = 0;
  double phaseStart = 0;
  long phaseSteps = -1;  // steps begun since phaseStart; -1 before the first
  int round = 0;
  long calls = 0;
  effect.doeffect([&] {
    if (calls++ % 4 == 0) {  // a step begins: every earlier step is complete
      if (phaseSteps < 0) {
        phaseStart = Seconds();
        phaseSteps = 0;
      } else if (Seconds() - phaseStart >= kPhaseSeconds) {
        bestEffect = std::max(bestEffect, phaseSteps / (Seconds() - phaseStart));
        bestBare = std::max(bestBare, BareStepsPerSecond(effect.hwnd(), bareRandom, false));
        bestWithMessages = std::max(bestWithMessages, BareStepsPerSecond(effect.hwnd(), bareRandom, true));
        if (++round == kRounds) PostMessageW(effect.hwnd(), WM_CLOSE, 0, 0);
        phaseStart = Seconds();
        phaseSteps = 0;
      }
      ++phaseSteps;
    }
    return random();
  });
  if (round < kRounds || bestBare <= 0 || bestWithMessages <= 0) {
    std::fprintf(stderr, "the effect ended before the measurement\n");
    return 1;
  }
  std::fprintf(stderr, "effect %.0f steps/s, bare block copy %.0f, block copy and message processing %.0f\n",
               bestEffect, bestBare, bestWithMessages);
  std::printf("effect_steps_per_second_vs_bare_blit\t%.3f\t>=0.9\n", bestEffect / bestBare);
  std::printf("effect_steps_per_second_vs_blit_and_messages\t%.3f\t>=0.9\n", bestEffect / bestWithMessages);
  return 0;
}

}  // namespace
}  // namespace quellan::effect

int main() { return quellan::effect::Run(); }
