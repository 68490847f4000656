#include "ui/forms/message_loop.h"

namespace quellan::forms {

namespace {
void Dispatch(HWND dialogWindow, MSG& msg) {
  if (dialogWindow && IsWindow(dialogWindow) && IsDialogMessageW(dialogWindow, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}
}  // namespace

int RunMessageLoop(HWND main) {
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return -1;
    Dispatch(main, msg);
  }
  return static_cast<int>(msg.wParam);
}

bool DoEvents(HWND dialogWindow) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    Dispatch(dialogWindow, msg);
  }
  return true;
}

}  // namespace quellan::forms
