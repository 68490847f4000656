#pragma once
// Colour values in the program's form: an RGB value (high byte 0) or a system colour written as
// 0x80000000 plus the system colour index. Drawing calls only ever see resolved RGB values.
#include <cstdint>

namespace quellan::forms {

constexpr std::uint32_t kSystemColourFlag = 0x80000000u;
constexpr bool IsSystemColour(std::uint32_t colour) { return (colour & kSystemColourFlag) != 0; }
constexpr int SystemColourIndex(std::uint32_t colour) { return static_cast<int>(colour & 0xFFu); }

// The current RGB value of a colour (GetSysColor for the system-colour form).
std::uint32_t ResolveColour(std::uint32_t colour);

}  // namespace quellan::forms
