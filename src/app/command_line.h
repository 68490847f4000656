#pragma once
// The program's command line:
//   Quellan.exe                        shows the window
//   Quellan.exe /export PATH [/quiet]  writes the registration file of the stored policy to PATH
//   Quellan.exe /?                     shows the usage
// Switches are case-insensitive; /quiet may come before or after /export PATH.
#include <string>
#include <string_view>
#include <vector>

namespace quellan::app {

enum class Command { ShowWindow, Export, Usage, UsageError };

struct CommandLine {
  Command command = Command::ShowWindow;
  std::u16string path;  // of /export
  bool quiet = false;   // no message box, only the exit code
};

// Exit codes.
constexpr int kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2;

inline constexpr std::u16string_view kUsageText =
    u"Quellan.exe - shows the window.\r\n"
    u"Quellan.exe /export PATH [/quiet] - writes the stored AutoRun policy to PATH as a registration file.\r\n"
    u"Quellan.exe /? - shows this text.\r\n\r\n"
    u"With /quiet no message is shown. Exit code: 0 done, 1 the file could not be written, 2 wrong arguments.";

// args: the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::u16string>& args);

}  // namespace quellan::app
