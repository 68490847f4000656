#pragma once
// What a container's layout stores for one OrvaneButton, beside the instance's size.
#include <cstdint>
#include <optional>
#include <string>

#include "ui/forms/font.h"

namespace quellan::button {

// A button's stored property set: the four names in the order they are read and written; a name left out (nullopt)
// reads as its default.
struct StoredProperties {
  std::optional<std::uint32_t> ForeColor;  // default 0x80000012
  std::optional<bool> Enabled;             // default true
  std::optional<forms::FontObject> Font;   // default the container's ambient font
  std::optional<std::u16string> Caption;   // default "UniButton"
};

}  // namespace quellan::button
