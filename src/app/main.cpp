// Quellan's entry point. Without arguments the main window is the start-up object: it is created,
// loaded (its lists filled and ticked from the registry) and shown; closing it ends the program.
// "/export PATH" writes the registration file of the stored policy without showing the window; "/?"
// shows the usage.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdlib>
#include <vector>

#include "app/command_line.h"
#include "policy/autorun_policy.h"
#include "policy/reg_file.h"
#include "policy/win32_registry.h"
#include "ui/forms/font_handle.h"
#include "ui/forms/message_loop.h"
#include "ui/main/frm_main.h"
#include "win32/atomic_file.h"
#include "win32/handles.h"
#include "win32/system_library.h"

// An exception that escapes ends the program. The library's own handler would first print the
// exception's demangled type to a console that a GUI program does not have; aborting directly keeps
// the demangler (about 46 KiB) out of the executable.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {

using namespace quellan;

void ShowBox(const std::u16string& text, UINT style) {
  MessageBoxW(nullptr, win32::Wide(text), win32::Wide(std::u16string(policy::kSaveTitle)), MB_OK | style);
}

// What a save from a freshly loaded window would write (the check box starts unticked and a refresh
// sets the ticks from the stored policy), and the AutoPlay switches as stored.
int Export(const app::CommandLine& line) {
  policy::Win32Registry registry;
  policy::AutorunTicks ticks;
  policy::ReadAutorunPolicy(registry, ticks);
  const DWORD status = win32::WriteFileAtomically(
      line.path, policy::RegFileBytes(policy::SaveValues(registry, ticks), policy::ReadAutoplaySwitches(registry)));
  if (status == ERROR_SUCCESS) return app::kExitSuccess;
  if (!line.quiet)
    ShowBox(policy::ExportFailedText(line.path, registry.ErrorText(static_cast<std::int32_t>(status))), MB_ICONWARNING);
  return app::kExitFailure;
}

// The arguments after the program's name, as the CRT split them (no shell32 at start-up).
std::vector<std::u16string> Arguments() {
  std::vector<std::u16string> args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(reinterpret_cast<const char16_t*>(__wargv[i]));
  return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  win32::RestrictDllSearch();
  const app::CommandLine line = app::ParseCommandLine(Arguments());
  switch (line.command) {
    case app::Command::Export:
      return Export(line);
    case app::Command::Usage:
      ShowBox(std::u16string(app::kUsageText), MB_ICONINFORMATION);
      return app::kExitSuccess;
    case app::Command::UsageError:
      if (!line.quiet) ShowBox(std::u16string(app::kUsageText), MB_ICONWARNING);
      return app::kExitUsage;
    case app::Command::ShowWindow:
      break;
  }

  // The tool tips and the visual-style controls come from the common controls.
  win32::InitCommonControlClasses(ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES);

  policy::Win32Registry registry;
  mainwindow::frmMain form(registry, forms::ScreenDpi());
  form.QuitOnDestroy(true);
  if (!form.Load(showCommand)) return 1;
  return forms::RunMessageLoop(form.hwnd());
}
