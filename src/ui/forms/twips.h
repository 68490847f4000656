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

constexpr int PixelsToTwips(int pixels, int dpi) { return dpi > 0 ? pixels * kTwipsPerInch / dpi : 0; }

// Twips per pixel, as the screen object reports it (15 at 96 DPI).
constexpr int TwipsPerPixel(int dpi) { return dpi > 0 ? kTwipsPerInch / dpi : 0; }

}  // namespace quellan::forms
