#pragma once
// Layout lengths are twips (1/1440 inch); windows take pixels at the display's real DPI.

namespace quellan::forms {

constexpr int kTwipsPerInch = 1440;

// Nearest whole pixel, halves away from zero: 15 twips are one pixel at 96 DPI, 10 at 144 DPI.
constexpr int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + kTwipsPerInch / 2) / kTwipsPerInch
                                      : -((-scaled + kTwipsPerInch / 2) / kTwipsPerInch));
}

}  // namespace quellan::forms
