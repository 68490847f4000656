// The portable policy core, on the registry held in memory (GetRegValue: its fuzzer and the system-registry test).
#include "policy/autorun_policy.h"

#include <gtest/gtest.h>

#include "../support/fake_registry.h"
#include "policy/drive_lists.h"
#include "policy/machine_policy.h"
#include "policy/reg_file.h"
#include "policy/reg_value.h"

namespace quellan::policy {
namespace {

using Ticks = std::tuple<CheckState, std::uint32_t, std::uint32_t>;
constexpr CheckState kOff = CheckState::Unchecked, kOn = CheckState::Checked, kGrayed = CheckState::Grayed;
Stored Text(const std::string& text) { return {kRegSz, text + '\0'}; }

TEST(ToInt32, ConvertsIntegersUnchangedAndTextByItsNumericReading) {
  // clang-format off
  const std::pair<RegValue, std::int32_t> numbers[] = {
      {std::int16_t{-32768}, -32768}, {std::int32_t{INT32_MIN}, INT32_MIN}, {u"145", 145}, {u"-1", -1}, {u"+42", 42},
      {u"\t 007 ", 7}, {u"2147483647", INT32_MAX}, {u"-2147483648", INT32_MIN}, {u"0000000000000000000000145", 145},
      {u"0x91", 0x91}, {u"&hFFFFFFFF", -1}, {u"&H7fffffff", INT32_MAX}, {u"0X0000000000FC000004", -0x3FFFFFC}};
  // clang-format on
  for (const auto& [value, expected] : numbers) EXPECT_EQ(ToInt32(value), expected) << testing::PrintToString(value);
  for (const char16_t* text : {u"", u"  ", u"-", u"2147483648", u"-2147483649", u"99999999999999999999", u"0x100000000",
                               u"&H", u"-0x10", u"1.5", u"12abc", u"--1", u"\u0661\u0662", u"12\n", u"0x1G"})
    EXPECT_EQ(ToInt32(RegValue{std::u16string(text)}), std::nullopt) << testing::PrintToString(std::u16string(text));
}

// A refresh from {grayed, A B, Unknown} shows CD-ROM 0 ticked, letter bits 0-25, type bits 0-6, never reads ".DEFAULT"
// and stops at a text with no numeric reading. A save writes CD-ROM 0 only when ticked, the letters, and twice the
// types merged into the stored mask (bits 7 up kept; unreadable text is 0); a failed create or set is named.
TEST(AutorunPolicy, RefreshShowsTheStoredPolicyAndSaveWritesTheTicksBack) {
  const struct {
    Stored stored[3];  // "AutoRun", "NoDriveAutoRun", "NoDriveTypeAutoRun"; type 0: missing
    Ticks shown;
    std::optional<Ticks> edited;  // the ticks saved, when not those shown
    std::uint32_t saved[4];       // in kSaveLocations order; ".DEFAULT" holds 0x55 before
    bool readsAll = true;
    std::vector<std::tuple<RegCall, int, std::int32_t>> failures = {};  // call, its index and status
    const char16_t* text = u"Settings has saved...";
  } cases[] = {
      // clang-format off
      {{Dword(0xFFFFFFFF)}, {kOff, 0, 0}, {}, {1, 0, 0, 0}},
      {{Dword(0)}, {kOn, 0, 0}, Ticks{kGrayed, 0, 0}, {1, 0, 0, 0}},
      {{{}, Dword(0xFFFFFFFF)}, {kOn, 0x03FFFFFF, 0}, Ticks{kOn, 0x02000001, 0}, {0, 0x02000001, 0, 0}},
      {{{}, {}, Dword(0xFFFFFFFF)}, {kOn, 0, 0x7F}, Ticks{kOn, 0, 0}, {0, 0, 0xFFFFFF80, 0xFFFFFF80}},
      {{{}, {}, Text("145")}, {kOn, 0, 0x11}, Ticks{kOn, 0, 0x20}, {0, 0, 0xA0, 0xA0}},
      {{Text("Disabled"), Dword(8), Dword(0x110)}, {kGrayed, 0x3, 0x1}, {}, {1, 0x3, 0x101, 0x101}, false},
      {{{}, Dword(8), Text("99999999999")}, {kOn, 0x8, 0x1}, {}, {0, 0x8, 0x1, 0x1}, false},
      {{Dword(1), Dword(2), Dword(0x1234)}, {kOff, 2, 0x34}, Ticks{kOn, 0x0C, 0x41}, {1, 2, 0x1234, 0x55}, true,
       {{RegCall::CreateKey, 0, 2}, {RegCall::SetDword, 0, 5}, {RegCall::SetDword, 1, 2}, {RegCall::CreateKey, 3, 2}},
       u"Some settings could not be saved:\r\n\"AutoRun\" in HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\"
       u"CDRom: Error 2.\r\n\"NoDriveAutoRun\" in HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
       u"Policies\\Explorer: Error 5.\r\n\"NoDriveTypeAutoRun\" in HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
       u"CurrentVersion\\Policies\\Explorer: Error 2.\r\n\"NoDriveTypeAutoRun\" in HKEY_USERS\\.DEFAULT\\Software\\"
       u"Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer: Error 2.\r\nAdministrator rights are needed to "
       u"change these settings."},
      {{{}, Dword(2)}, {kOn, 2, 0}, Ticks{kOn, 0x0C, 0x41}, {0, 2, 0x41, 0x41}, true, {{RegCall::SetDword, 1, 2}},
       u"Some settings could not be saved:\r\n\"NoDriveAutoRun\" in HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
       u"CurrentVersion\\Policies\\Explorer: Error 2."},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    FakeRegistry reg;
    for (std::size_t i = 0; i < 3; ++i)
      if (c.stored[i].first) reg.Seed(kSaveLocations[i], c.stored[i]);
    reg.Seed(kDefaultUserNoDriveTypeAutoRun, Dword(0x55));
    AutorunTicks ticks{kGrayed, 0x3, 0x1};
    EXPECT_EQ(ReadAutorunPolicy(reg, ticks), c.readsAll);
    EXPECT_EQ(Ticks(ticks.allDrives, ticks.letters, ticks.types), c.shown);
    if (c.edited) std::tie(ticks.allDrives, ticks.letters, ticks.types) = *c.edited;
    for (const auto& [call, index, status] : c.failures) reg.Fail(call, index, status);
    const SaveOutcome outcome = SaveAutorunPolicy(reg, ticks);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(reg.Find(kSaveLocations[i]), Dword(c.saved[i])) << i;
    EXPECT_EQ(std::make_tuple(outcome.text, outcome.title, outcome.style, outcome.anyWriteSucceeded),
              std::make_tuple(c.text, u"Quellan!!!", c.failures.empty() ? 64u : 48u, c.failures.size() < 4));
    EXPECT_TRUE(reg.Balanced());
  }
}

// Only values under HKEY_LOCAL_MACHINE with a numeric reading count (a stored 0 too, a text as a
// REG_SZ), never the user's (3 here); letters past "Z" and types past bit 6 are not named.
TEST(MachinePolicy, IsReadFromTheMachineAndNamesWhatItDisables) {
  const std::tuple<Stored, Stored, const char16_t*> cases[] = {
      {Dword(0), Dword(0xFFFFFFFF),
       u"AutoRun is not disabled for any drive letter on this computer by a machine-wide policy, whatever the Drive "
       u"Letters ticks say.\r\nAutoRun is disabled for every drive type on this computer by a machine-wide policy, "
       u"whatever the Drive Type ticks say."},
      {Dword(0xFFFFFFFF), Dword(0x80),
       u"AutoRun is disabled for every drive letter on this computer by a machine-wide policy, whatever the Drive "
       u"Letters ticks say.\r\nAutoRun is not disabled for any drive type on this computer by a machine-wide policy, "
       u"whatever the Drive Type ticks say."},
      {Dword(0x20000BB), Dword(0x24),
       u"AutoRun is disabled for drives A, B, D-F, H and Z on this computer by a machine-wide policy, whatever the "
       u"Drive Letters ticks say.\r\nAutoRun is disabled for Removable and CD/DVD drives on this computer by a "
       u"machine-wide policy, whatever the Drive Type ticks say."},
      {Text("0xFC000004"), Stored{},
       u"AutoRun is disabled for drive C on this computer by a machine-wide policy, whatever the Drive Letters ticks "
       u"say."},
      {Text("C:"), Stored{}, u""},
  };
  for (const auto& [letters, types, notice] : cases) {
    FakeRegistry reg;
    for (const auto& [at, v] : {std::pair{kUserNoDriveAutoRun, letters}, {kUserNoDriveTypeAutoRun, types}})
      reg.Seed({v.first ? kHkeyLocalMachine : kHkeyCurrentUser, at.keyPath, at.valueName}, v.first ? v : Dword(3));
    EXPECT_EQ(MachinePolicyNotice(ReadMachinePolicy(reg)), notice);
  }
}

// The drive types' entries with their item data, the bit of each type in the mask.
TEST(DriveTypes, AreTheSevenSystemTypesInOrder) {
  std::u16string texts;
  std::vector<std::int32_t> data;
  for (const DriveTypeRow& row : kDriveTypes) texts += row.text + std::u16string(u"|"), data.push_back(row.itemData);
  EXPECT_EQ(texts, u"Unknown|No Root Directory|Removable|Fixed|Network|CD/DVD|RAM Disk|");
  EXPECT_EQ(data, (std::vector<std::int32_t>{1, 2, 4, 8, 16, 32, 64}));
}

// Lower-case hex, all 32 bits of a negative value, one section per key in save order, blank lines, UTF-16LE + BOM.
TEST(RegFileBytes, IsTheFileRegeditWritesForTheFourLocations) {
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\CDRom]\r\n\"AutoRun\"=dword:00000001\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
      "\"NoDriveAutoRun\"=dword:0200abcd\r\n\"NoDriveTypeAutoRun\"=dword:ffffff91\r\n\"NoAutorun\"=-\r\n\r\n"
      "[HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
      "\"NoDriveTypeAutoRun\"=dword:0000007f\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers]\r\n"
      "\"DisableAutoplay\"=dword:00000001\r\n\r\n";
  std::string expected = "\xFF\xFE";
  for (const char c : text) expected += {c, '\0'};
  EXPECT_EQ(RegFileBytes({1, 0x0200ABCD, -111, 0x7F}, {true, false}), expected);
}

}  // namespace
}  // namespace quellan::policy
