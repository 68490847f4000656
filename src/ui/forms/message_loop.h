#pragma once
// The application's message loop and the call that processes pending messages.
#include <windows.h>

namespace quellan::forms {

// Runs until WM_QUIT; keyboard navigation (Tab, Shift+Tab, arrows, Space on check boxes) goes
// through the dialog manager of `main`. Returns WM_QUIT's exit code.
int RunMessageLoop(HWND main);

// Dispatches every message already waiting in this thread's queue, then returns. Messages for
// `dialogWindow` (if given) go through its dialog manager as in the main loop. Returns false when
// WM_QUIT was taken from the queue; it is posted again for the outer loop.
bool DoEvents(HWND dialogWindow = nullptr);

}  // namespace quellan::forms
