#pragma once
// frmMain's about box: the Vietnamese about text in the localised message box, then the
// melting-screen effect.
#include <windows.h>

namespace quellan::mainwindow {

// Shows the about box, modal to mainHwnd, with the application's title and version and the maker's
// identity; when the user closes it, runs the effect on the shared effect window. Returns when both
// are over (messages keep being dispatched meanwhile).
void about(HWND mainHwnd);

}  // namespace quellan::mainwindow
