#pragma once
// frmMain's contact links and the hand cursor over its clickable labels.
#include <windows.h>

namespace quellan::mainwindow {

// How a link reaches the shell: whether the process runs elevated, and the desktop shell's launch
// as the signed-in user (false when it fails). The system's route asks the process token and the
// desktop; the tests stand in for an elevated process whose desktop shell fails.
struct ShellRoute {
  bool (*runsElevated)();
  bool (*openAsDesktopUser)(const char* operation, const char* file, const char* parameters, const char* directory,
                            int show);
};
extern const ShellRoute kSystemRoute;

// Elevated, both links go through the desktop's shell only; when it cannot open them, a warning box
// shows the address, to be copied and opened by hand, and nothing is started.

// link1: hands the maker's home page to the shell's default verb. Failures are silent (unless elevated).
void OpenHomePage(HWND owner, const ShellRoute& route = kSystemRoute);

// link2: hands "ymsgr:sendIM?<author's id>&m=Hello hello^^" to the shell, so the messenger
// registered for "ymsgr" opens a conversation with the author. Failures are silent (unless elevated).
void OpenMessenger(HWND owner, const ShellRoute& route = kSystemRoute);

// The system hand cursor, for a mouse movement over the title or a link. The previous cursor is
// not kept: the window sets its own cursor again at the next movement.
void sethand();

}  // namespace quellan::mainwindow
