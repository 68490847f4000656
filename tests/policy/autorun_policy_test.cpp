// The policy store, the machine-wide notice and the registration file, on the registry held in memory.
#include "policy/autorun_policy.h"

#include <gtest/gtest.h>

#include "../support/fake_registry.h"
#include "policy/machine_policy.h"
#include "policy/reg_file.h"

namespace quellan::policy::harness {
namespace {

using Ticks = std::tuple<int, std::uint32_t, std::uint32_t>;
Stored Dword(std::uint32_t v) { return {kRegDword, {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}}; }
Stored Text(const std::string& text) { return {kRegSz, text + '\0'}; }

// A refresh from {grayed, A B, Unknown} shows a CD-ROM value of 0 ticked, letter bits 0 .. 25 and type
// bits 0 .. 6, never reading ".DEFAULT"; a stored text with no numeric reading stops it there. A save
// writes the CD-ROM value 0 only when ticked, the letters alone, and the types merged into the stored
// mask (a text with no numeric reading counts as 0), keeping bit 7 and above, to both locations.
TEST(AutorunPolicy, RefreshShowsTheStoredPolicyAndSaveWritesTheTicksBack) {
  const struct {
    Stored stored[3];  // "AutoRun", "NoDriveAutoRun", "NoDriveTypeAutoRun"; type 0: none
    Ticks shown;
    std::optional<Ticks> edited;  // the ticks saved, when not those shown
    std::uint32_t saved[3];
    bool readsAll = true;
  } cases[] = {
      {{Dword(0xFFFFFFFF)}, {0, 0, 0}, {}, {1, 0, 0}},
      {{Dword(0)}, {1, 0, 0}, Ticks{2, 0, 0}, {1, 0, 0}},
      {{{}, Dword(0xFFFFFFFF)}, {1, 0x03FFFFFF, 0}, Ticks{1, 0x02000001, 0}, {0, 0x02000001, 0}},
      {{{}, {}, Dword(0xFFFFFFFF)}, {1, 0, 0x7F}, Ticks{1, 0, 0}, {0, 0, 0xFFFFFF80}},
      {{{}, {}, Text("145")}, {1, 0, 0x11}, Ticks{1, 0, 0x20}, {0, 0, 0xA0}},
      {{Text("Disabled"), Dword(8), Dword(0x110)}, {2, 0x3, 0x1}, {}, {1, 0x3, 0x101}, false},
      {{{}, Dword(8), Text("99999999999")}, {1, 0x8, 0x1}, {}, {0, 0x8, 0x1}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    FakeRegistry reg;
    for (std::size_t i = 0; i < 3; ++i)
      if (c.stored[i].first) reg.Seed(kSaveLocations[i], c.stored[i]);
    reg.Seed(kDefaultUserNoDriveTypeAutoRun, Dword(0x55));
    AutorunTicks ticks{2, 0x3, 0x1};
    EXPECT_EQ(ReadAutorunPolicy(reg, ticks), c.readsAll);
    EXPECT_EQ(Ticks(ticks.chkGlobal, ticks.letters, ticks.types), c.shown);
    if (c.edited) std::tie(ticks.chkGlobal, ticks.letters, ticks.types) = *c.edited;
    SaveAutorunPolicy(reg, ticks);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(reg.Find(kSaveLocations[i]), Dword(c.saved[i < 2 ? i : 2])) << i;
    EXPECT_TRUE(reg.Balanced());
  }
}

// Every combination of the four writes failing, at the create or the set step: the others still
// happen, each failed location keeps its value and is named in the warning with the system's text.
TEST(AutorunPolicy, FailedWritesAreReportedAndTheOthersStillHappen) {
  const std::u16string explorer = u"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer: ";
  const std::u16string kNames[] = {u"\"AutoRun\" in HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\CDRom: ",
                                   u"\"NoDriveAutoRun\" in HKEY_CURRENT_USER\\" + explorer,
                                   u"\"NoDriveTypeAutoRun\" in HKEY_CURRENT_USER\\" + explorer,
                                   u"\"NoDriveTypeAutoRun\" in HKEY_USERS\\.DEFAULT\\" + explorer};
  const std::int32_t sentinels[] = {0x5A5A0001, 0x5A5A0002, 0x5A5A1234, 0x5A5A0004};
  const std::int32_t intended[] = {0, 0x0C, 0x5A5A1241, 0x5A5A1241};  // ticks {1, 0x0C, 0x41}
  for (unsigned failing = 0; failing < 16; ++failing) {
    SCOPED_TRACE(failing);
    FakeRegistry reg;
    std::u16string text = u"Some settings could not be saved:";
    for (int i = 0, sets = 0; i < 4; ++i) {
      reg.Seed(kSaveLocations[i], Dword(sentinels[i]));
      const bool fails = failing >> i & 1, atCreate = fails && (failing + i) % 2;
      const std::int32_t status = i % 2 ? kErrorFileNotFound : kErrorAccessDenied;
      if (fails) reg.Fail(atCreate ? RegCall::CreateKeyEx : RegCall::SetValueEx, atCreate ? i : sets, status);
      if (fails) text += u"\r\n" + kNames[i] + (i % 2 ? u"Error 2." : u"Error 5.");
      sets += !atCreate;  // a failed create makes no set
    }
    if (failing & 0x5) text += u"\r\nAdministrator rights are needed to change these settings.";
    const SaveOutcome outcome = SaveAutorunPolicy(reg, AutorunTicks{1, 0x0C, 0x41});
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(reg.Find(kSaveLocations[i]), Dword(failing >> i & 1 ? sentinels[i] : intended[i]));
    EXPECT_EQ(
        std::make_tuple(outcome.text, outcome.title, outcome.style, outcome.anyWriteSucceeded),
        std::make_tuple(failing ? text : u"Settings has saved...", u"Quellan!!!", failing ? 48u : 64u, failing != 15));
    EXPECT_TRUE(reg.Balanced());
  }
}

// Only values under HKEY_LOCAL_MACHINE with a numeric reading count (a stored 0 too, a text as a
// REG_SZ), never the user's (3 here); letters past "Z" and types past bit 6 are not named.
TEST(MachinePolicy, IsReadFromTheMachineAndNamesWhatItDisables) {
  using Mask = std::optional<std::uint32_t>;
  const std::tuple<Mask, Mask, const char*, const char16_t*, const char16_t*> cases[] = {
      {0u, 0xFFFFFFFFu, nullptr, u"not disabled for any drive letter", u"disabled for every drive type"},
      {0xFFFFFFFFu, 0x80u, nullptr, u"disabled for every drive letter", u"not disabled for any drive type"},
      {0x20000BBu, 0x24u, nullptr, u"disabled for drives A, B, D-F, H and Z",
       u"disabled for Removable and CD/DVD drives"},
      {{}, 0x91u, "C:", nullptr, u"disabled for Unknown and Network drives"},
      {{}, {}, "0xFC000004", u"disabled for drive C", nullptr},
  };
  for (const auto& [letters, types, lettersText, lettersSay, typesSay] : cases) {
    FakeRegistry reg;
    for (const auto& [at, v] : {std::pair{kUserNoDriveAutoRun, letters}, {kUserNoDriveTypeAutoRun, types}})
      reg.Seed({v ? kHkeyLocalMachine : kHkeyCurrentUser, at.keyPath, at.valueName}, Dword(v.value_or(3)));
    if (lettersText) reg.Seed({kHkeyLocalMachine, kExplorerPolicyPath, u"NoDriveAutoRun"}, {kRegSz, lettersText});
    std::u16string notice;
    for (const auto& [what, ticks] : {std::pair{lettersSay, u"Drive Letters"}, {typesSay, u"Drive Type"}})
      if (what)
        notice += (notice.empty() ? u"AutoRun is " : u"\r\nAutoRun is ") + std::u16string(what) +
                  u" on this computer by a machine-wide policy, whatever the " + ticks + u" ticks say.";
    EXPECT_EQ(MachinePolicyNotice(ReadMachinePolicy(reg)), notice);
  }
}

// Lower-case hex, all 32 bits of a negative value, one section per key in save order, each followed
// by a blank line; CRLF; UTF-16LE after a byte-order mark.
TEST(RegFileBytes, IsTheFileRegeditWritesForTheFourLocations) {
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\CDRom]\r\n\"AutoRun\"=dword:00000001\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
      "\"NoDriveAutoRun\"=dword:0200abcd\r\n\"NoDriveTypeAutoRun\"=dword:ffffff91\r\n\r\n"
      "[HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
      "\"NoDriveTypeAutoRun\"=dword:0000007f\r\n\r\n";
  std::string expected = "\xFF\xFE";
  for (const char c : text) expected += {c, '\0'};
  EXPECT_EQ(RegFileBytes({1, 0x0200ABCD, -111, 0x7F}), expected);
}

}  // namespace
}  // namespace quellan::policy::harness
