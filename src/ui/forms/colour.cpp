#include "ui/forms/colour.h"

#include <windows.h>

namespace quellan::forms {

std::uint32_t ResolveColour(std::uint32_t colour) {
  if (IsSystemColour(colour)) return GetSysColor(SystemColourIndex(colour));
  return colour & 0x00FFFFFFu;
}

}  // namespace quellan::forms
