#include "ui/forms/mouse_event.h"

#include <windowsx.h>

#include "ui/forms/twips.h"

namespace quellan::forms {

int ButtonsHeld(WPARAM keyState) {
  int button = 0;
  if (keyState & MK_LBUTTON) button |= kLeftButton;
  if (keyState & MK_RBUTTON) button |= kRightButton;
  if (keyState & MK_MBUTTON) button |= kMiddleButton;
  return button;
}

int ShiftState(WPARAM keyState) {
  int shift = 0;
  if (keyState & MK_SHIFT) shift |= 1;
  if (keyState & MK_CONTROL) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

int ButtonOfMessage(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return kRightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return kMiddleButton;
    default:
      return 0;
  }
}

MouseArgs MouseArgsOf(UINT msg, WPARAM wp, LPARAM lp, int dpi) {
  MouseArgs args;
  args.button = msg == WM_MOUSEMOVE ? ButtonsHeld(wp) : ButtonOfMessage(msg);
  args.shift = ShiftState(wp);
  if (dpi <= 0) dpi = 96;
  args.x = static_cast<float>(GET_X_LPARAM(lp)) * kTwipsPerInch / static_cast<float>(dpi);
  args.y = static_cast<float>(GET_Y_LPARAM(lp)) * kTwipsPerInch / static_cast<float>(dpi);
  return args;
}

}  // namespace quellan::forms
