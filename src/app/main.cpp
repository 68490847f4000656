// Quellan's entry point: the main window is the start-up object. It is created, loaded (its lists
// filled and ticked from the registry) and shown; closing it ends the program.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdlib>

#include "policy/win32_registry.h"
#include "ui/forms/font_handle.h"
#include "ui/forms/message_loop.h"
#include "ui/main/frm_main.h"

// An exception that escapes ends the program. The library's own handler would first print the
// exception's demangled type to a console that a GUI program does not have; aborting directly keeps
// the demangler (about 46 KiB) out of the executable.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  // The tool tips and the visual-style controls come from the common controls.
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);

  quellan::policy::Win32Registry registry;
  quellan::mainwindow::frmMain form(registry, quellan::forms::ScreenDpi());
  form.QuitOnDestroy(true);
  if (!form.Load(showCommand)) return 1;
  return quellan::forms::RunMessageLoop(form.hwnd());
}
