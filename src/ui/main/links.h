#pragma once
// frmMain's contact links and the hand cursor over its clickable labels.
#include <windows.h>

namespace quellan::mainwindow {

// link1: hands the maker's home page to the shell's default verb. Failures are silent.
void OpenHomePage(HWND owner);

// link2: hands "ymsgr:sendIM?<author's id>&m=Hello hello^^" to the shell, so the messenger
// registered for "ymsgr" opens a conversation with the author. Failures are silent.
void OpenMessenger(HWND owner);

// The system hand cursor, for a mouse movement over the title or a link. The previous cursor is
// not kept: the window sets its own cursor again at the next movement.
void sethand();

}  // namespace quellan::mainwindow
