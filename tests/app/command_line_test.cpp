// The command line: the three forms it accepts, and everything else as a usage error.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace quellan::app {

TEST(ParseCommandLine, AcceptsTheThreeFormsAndNothingElse) {
  using Args = std::vector<std::u16string>;
  const std::tuple<Args, Command, std::u16string, bool> cases[] = {
      {{}, Command::ShowWindow, u"", false},
      {{u"/export", u"C:\\a b.reg"}, Command::Export, u"C:\\a b.reg", false},
      {{u"/QUIET", u"/Export", u"a.reg"}, Command::Export, u"a.reg", true},
      {{u"/?"}, Command::Usage, u"", false},
      {{u"/export", u"/bogus", u"/quiet"}, Command::UsageError, u"", true},
      {{u"/quiet", u"/export", u"a.reg", u"/quiet"}, Command::UsageError, u"", true},
      {{u"a.reg", u"/export", u"b.reg"}, Command::UsageError, u"", false},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(std::get<0>(c));
    EXPECT_EQ(std::tuple(std::get<0>(c), line.command, line.path, line.quiet), c);
  }
}

}  // namespace quellan::app
