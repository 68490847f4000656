#pragma once
// Mouse event arguments in the forms' terms: Button and Shift are bit sets (Button 1 left,
// 2 right, 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt), X and Y are twips in the control's own
// coordinates.
#include <windows.h>

#include <functional>

namespace quellan::forms {

struct MouseArgs {
  int button = 0;
  int shift = 0;
  float x = 0;
  float y = 0;
};

using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// The buttons held, from a mouse message's key-state word.
int ButtonsHeld(WPARAM keyState);
// Shift, Ctrl and Alt from the key-state word (Alt from the keyboard state).
int ShiftState(WPARAM keyState);
// The button that a WM_*BUTTONDOWN/UP/DBLCLK message is about; 0 for other messages.
int ButtonOfMessage(UINT msg);

// Arguments for a press or release (Button = the button of the message) or a move (Button = the
// buttons held), with the position converted to twips at the given DPI.
MouseArgs MouseArgsOf(UINT msg, WPARAM wp, LPARAM lp, int dpi);

}  // namespace quellan::forms
