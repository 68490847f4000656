#pragma once
// The screen object: the primary screen's size in twips and the twips per pixel on each axis, from
// the display's real DPI (15 twips per pixel at 96 DPI, 12 at 120, 7.5 at 192).
#include "ui/forms/twips.h"

namespace quellan::forms {

struct ScreenMetrics {
  float width = 0;   // twips
  float height = 0;  // twips
  float twipsPerPixelX = 0;
  float twipsPerPixelY = 0;
};

// The metrics of a screen of the given size in pixels at the given DPI; a DPI that is not positive
// is taken as 96.
constexpr ScreenMetrics ScreenFromPixels(int widthPixels, int heightPixels, int dpiX, int dpiY) {
  const float perPixelX = static_cast<float>(kTwipsPerInch) / static_cast<float>(dpiX > 0 ? dpiX : 96);
  const float perPixelY = static_cast<float>(kTwipsPerInch) / static_cast<float>(dpiY > 0 ? dpiY : 96);
  return ScreenMetrics{static_cast<float>(widthPixels) * perPixelX, static_cast<float>(heightPixels) * perPixelY,
                       perPixelX, perPixelY};
}

// The primary screen now (Win32 only).
ScreenMetrics Screen();

}  // namespace quellan::forms
