#pragma once
// Win32 side of the font object: a GDI font made from a FontObject's description.
#include <windows.h>

#include "ui/forms/font.h"
#include "win32/handles.h"

namespace quellan::forms {

// A font handle for the description at the given DPI (height from FontHeightForDpi). Counted by
// GdiCounter like every win32::Font.
win32::Font CreateFontHandle(const FontObject& font, int dpi);

// The display's logical pixels per inch (vertical), 96 when it cannot be read.
int ScreenDpi();

}  // namespace quellan::forms
