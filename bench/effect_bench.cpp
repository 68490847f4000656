// The melting-screen effect's speed against its floor: steps per second of a real run of frmEff,
// divided by the steps per second of a loop doing only what every step must do: four numbers, the
// step's arithmetic, the block copy on the same window, and the processing of pending messages
// after the copy. The two are measured side by side, in interleaved rounds inside one run of the
// effect, so they share the window, its picture and the screen; the best round of each counts.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "ui/effect/effect_math.h"
#include "ui/effect/frm_eff.h"
#include "ui/forms/message_loop.h"
#include "win32/handles.h"

namespace quellan::effect {
namespace {

constexpr double kRoundSeconds = 0.4;
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

// The floor: the effect's step without the effect, for one round.
double FloorStepsPerSecond(HWND hwnd, UniformRandom& random) {
  const int W = GetSystemMetrics(SM_CXSCREEN);
  const int H = GetSystemMetrics(SM_CYSCREEN);
  const win32::WindowDc dc(hwnd);
  long steps = 0;
  const double start = Seconds();
  double now = start;
  do {
    const float r1 = random(), r2 = random(), r3 = random(), r4 = random();
    const EffectStep step = ComputeStep(W, H, kLoadParameters, r1, r2, r3, r4);
    BitBlt(dc.get(), step.x + step.dx, step.y + step.dy, kLoadParameters.blockW, kLoadParameters.blockH, dc.get(),
           step.x, step.y, SRCCOPY);
    forms::DoEvents();
    ++steps;
    now = Seconds();
  } while (now - start < kRoundSeconds);
  return steps / (now - start);
}

int Run() {
  frmEff effect;
  UniformRandom random = UniformRandom::FromClock();
  UniformRandom floorRandom = UniformRandom::FromClock();
  double bestEffect = 0, bestFloor = 0;
  double roundStart = 0;
  long roundSteps = -1;  // steps begun since roundStart; -1 before the first
  int round = 0;
  long calls = 0;
  effect.doeffect([&] {
    if (calls++ % 4 == 0) {  // a step begins: every earlier step is complete
      if (roundSteps < 0) {
        roundStart = Seconds();
        roundSteps = 0;
      } else if (Seconds() - roundStart >= kRoundSeconds) {
        bestEffect = std::max(bestEffect, roundSteps / (Seconds() - roundStart));
        bestFloor = std::max(bestFloor, FloorStepsPerSecond(effect.hwnd(), floorRandom));
        if (++round == kRounds) PostMessageW(effect.hwnd(), WM_CLOSE, 0, 0);
        roundStart = Seconds();
        roundSteps = 0;
      }
      ++roundSteps;
    }
    return random();
  });
  if (round < kRounds || bestFloor <= 0) {
    std::fprintf(stderr, "the effect ended before the measurement\n");
    return 1;
  }
  std::fprintf(stderr, "effect %.0f steps/s, block copy and message processing %.0f\n", bestEffect, bestFloor);
  std::printf("effect_steps_per_second_vs_blit_and_messages\t%.3f\t>=0.9\n", bestEffect / bestFloor);
  return 0;
}

}  // namespace
}  // namespace quellan::effect

int main() { return quellan::effect::Run(); }
