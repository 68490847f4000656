#pragma once
// The mouse buttons as the host reports them: a bit each, so a set of held buttons is their sum.
#include <cstdint>

namespace quellan::forms {

enum MouseButton : std::int16_t { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

}  // namespace quellan::forms
