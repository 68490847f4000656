#include "ui/forms/font_handle.h"

#include <algorithm>

namespace quellan::forms {

win32::Font CreateFontHandle(const FontObject& font, int dpi) {
  LOGFONTW lf{};
  lf.lfHeight = FontHeightForDpi(font.size, dpi);
  lf.lfWeight = std::clamp(font.weight, 0, 1000);
  lf.lfItalic = font.italic ? TRUE : FALSE;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfStrikeOut = font.strikethrough ? TRUE : FALSE;
  lf.lfCharSet = static_cast<BYTE>(font.charset);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  // Longer face names than LOGFONT holds are cut; the terminating zero is always kept.
  const size_t length = std::min(font.name.size(), static_cast<size_t>(LF_FACESIZE - 1));
  std::copy_n(font.name.begin(), length, lf.lfFaceName);
  lf.lfFaceName[length] = L'\0';
  return win32::Font(CreateFontIndirectW(&lf));
}

int ScreenDpi() {
  win32::WindowDc screen(nullptr);
  const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : 96;
}

}  // namespace quellan::forms
