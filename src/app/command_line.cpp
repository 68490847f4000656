#include "app/command_line.h"

namespace quellan::app {
namespace {

// arg is the switch name (given in lower case), whatever the case of its letters.
bool IsSwitch(const std::u16string& arg, std::u16string_view name) {
  if (arg.size() != name.size()) return false;
  for (std::size_t i = 0; i < arg.size(); ++i) {
    const char16_t c = arg[i] >= u'A' && arg[i] <= u'Z' ? static_cast<char16_t>(arg[i] - u'A' + u'a') : arg[i];
    if (c != name[i]) return false;
  }
  return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::u16string>& args) {
  CommandLine line;
  std::vector<std::u16string> rest;  // the arguments other than /quiet
  for (const std::u16string& arg : args) {
    if (IsSwitch(arg, u"/quiet") && !line.quiet)
      line.quiet = true;
    else
      rest.push_back(arg);
  }
  if (rest.empty() && !line.quiet) return line;
  if (rest.size() == 1 && !line.quiet && IsSwitch(rest[0], u"/?")) {
    line.command = Command::Usage;
  } else if (rest.size() == 2 && IsSwitch(rest[0], u"/export") && !rest[1].empty() && rest[1][0] != u'/') {
    line.command = Command::Export;
    line.path = rest[1];
  } else {
    line.command = Command::UsageError;
  }
  return line;
}

}  // namespace quellan::app
