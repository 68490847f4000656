#pragma once
// What every container window (a form, a frame) does for the controls it holds: it paints its
// back colour (also when a transparent child asks for it with WM_PRINTCLIENT), and it hands the
// notifications that system controls send to their parent back to the control they came from,
// so that each control class handles its own drawing, colours and clicks.
#include <windows.h>

namespace quellan::forms {

// A notification reflected to the control that sent it arrives as kReflectBase + the message.
constexpr UINT kReflectBase = WM_USER + 0x1C00;

// The child a notification message is about, or null if the message is not a notification.
HWND NotifyingChild(HWND container, UINT msg, WPARAM wp, LPARAM lp);

// Handles background painting and reflection for a container whose back colour is `back`.
// Returns true when the message was handled and `result` holds the answer.
bool HandleContainerMessage(HWND container, HBRUSH back, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

// Fills dc with the background of hwnd's parent behind hwnd (for a transparent control).
void PaintParentBackground(HWND hwnd, HDC dc);

}  // namespace quellan::forms
