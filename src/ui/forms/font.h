#pragma once
// The font object of the forms layer: a description of a font (face, size in points, weight,
// style, character set), shared by reference between whoever holds it. A control's `Font`
// property hands out this very object, so changing one of its attributes is seen by every holder
// at its next drawing; nothing is redrawn by the change itself.
//
// Portable: the Win32 font handle is made from a description by CreateFontHandle
// (ui/forms/font_handle.h).
#include <memory>
#include <string>

namespace quellan::forms {

struct FontObject {
  std::u16string name = u"Tahoma";  // face name
  float size = 8.25f;               // points; fractional sizes are kept as given (8.25, 20.25)
  int weight = 400;                 // 400 regular, 700 bold
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int charset = 0;  // ANSI_CHARSET

  bool bold() const { return weight >= 600; }
};

bool operator==(const FontObject& a, const FontObject& b);
inline bool operator!=(const FontObject& a, const FontObject& b) { return !(a == b); }

// A new shared font object: MakeFont(u"Tahoma", 20.25f, 700).
std::shared_ptr<FontObject> MakeFont(std::u16string name, float points, int weight = 400);

// The character-cell height for a LOGFONT's lfHeight at the given DPI: the negative of the
// nearest whole number of pixels to points * dpi / 72 (8.25 pt at 96 DPI is -11, at 120 DPI -14).
// Sizes that are not positive finite numbers give 0, the system's default height.
int FontHeightForDpi(float points, int dpi);

}  // namespace quellan::forms
