// The policy store on the registry held in memory: stored values to ticks, ticks to stored values,
// the report of a save in which writes fail, and the lists the ticks stand for.
#include "policy/autorun_policy.h"

#include <gtest/gtest.h>

#include <vector>

#include "../support/fake_registry.h"
#include "policy/drive_lists.h"

namespace quellan::policy::testing {
namespace {

using Ticks = std::tuple<int, std::uint32_t, std::uint32_t>;
Ticks Tuple(const AutorunTicks& t) { return {t.chkGlobal, t.letters, t.types}; }

void Store(FakeRegistry& reg, const PolicyLocation& at, std::uint32_t value) {
  reg.Seed(at.root, at.keyPath, at.valueName, kRegDword,
           {char(value), char(value >> 8), char(value >> 16), char(value >> 24)});
}
std::optional<std::int32_t> Stored(const FakeRegistry& reg, const PolicyLocation& at) {
  return reg.StoredDword(at.root, at.keyPath, at.valueName);
}

// A refresh from {grayed, A B, Unknown} shows a CD-ROM value of 0 ticked, letter bits 0 .. 25 and type
// bits 0 .. 6, never reading ".DEFAULT"; a stored text with no numeric reading stops it there. A save
// writes the CD-ROM value 0 only when ticked, the letters alone, and the types merged into the stored
// mask (a text with no numeric reading counts as 0), keeping bit 7 and above, to both locations.
TEST(AutorunPolicy, RefreshShowsTheStoredPolicyAndSaveWritesTheTicksBack) {
  const struct {
    std::optional<std::uint32_t> stored[3];  // "AutoRun", "NoDriveAutoRun", "NoDriveTypeAutoRun"
    const char* storedText[3];               // stored instead as a REG_SZ
    Ticks shown;
    std::optional<Ticks> edited;  // the ticks saved, when not those shown
    std::uint32_t saved[3];
    bool readsAll = true;
  } cases[] = {
      {{}, {}, {1, 0, 0}, {}, {0, 0, 0}},
      {{5u}, {}, {0, 0, 0}, {}, {1, 0, 0}},
      {{5u}, {}, {0, 0, 0}, Ticks{1, 0, 0}, {0, 0, 0}},
      {{0xFFFFFFFFu}, {}, {0, 0, 0}, {}, {1, 0, 0}},
      {{0u}, {}, {1, 0, 0}, Ticks{2, 0, 0}, {1, 0, 0}},
      {{{}, 0xFC000004u}, {}, {1, 4, 0}, {}, {0, 4, 0}},
      {{{}, 0xFFFFFFFFu}, {}, {1, 0x03FFFFFF, 0}, Ticks{1, 0x02000001, 0}, {0, 0x02000001, 0}},
      {{{}, {}, 0x91u}, {}, {1, 0, 0x11}, {}, {0, 0, 0x91}},
      {{{}, {}, 0x91u}, {}, {1, 0, 0x11}, Ticks{1, 0, 0x10}, {0, 0, 0x90}},
      {{{}, {}, 0x3FFu}, {}, {1, 0, 0x7F}, Ticks{1, 0, 0}, {0, 0, 0x380}},
      {{{}, {}, 0xFFFFFFFFu}, {}, {1, 0, 0x7F}, Ticks{1, 0, 0}, {0, 0, 0xFFFFFF80}},
      {{{}, {}, 0x180u}, {}, {1, 0, 0}, Ticks{0, 0x03FFFFFC, 0x20}, {1, 0x03FFFFFC, 0x1A0}},
      {{}, {{}, {}, "145"}, {1, 0, 0x11}, Ticks{1, 0, 0x20}, {0, 0, 0xA0}},
      {{{}, 8u, 0x110u}, {"Disabled"}, {2, 0x3, 0x1}, {}, {1, 0x3, 0x101}, false},
      {{{}, {}, 0x110u}, {{}, ""}, {1, 0x3, 0x1}, {}, {0, 0x3, 0x101}, false},
      {{{}, 8u}, {{}, {}, "99999999999"}, {1, 0x8, 0x1}, {}, {0, 0x8, 0x1}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    FakeRegistry reg;
    for (std::size_t i = 0; i < 3; ++i) {
      const PolicyLocation& at = kSaveLocations[i];
      if (c.stored[i]) Store(reg, at, *c.stored[i]);
      if (c.storedText[i]) reg.Seed(at.root, at.keyPath, at.valueName, kRegSz, c.storedText[i] + std::string(1, '\0'));
    }
    Store(reg, kDefaultUserNoDriveTypeAutoRun, 0x55);
    AutorunTicks ticks{2, 0x3, 0x1};
    EXPECT_EQ(ReadAutorunPolicy(reg, ticks), c.readsAll);
    EXPECT_EQ(Tuple(ticks), c.shown);
    if (c.edited) std::tie(ticks.chkGlobal, ticks.letters, ticks.types) = *c.edited;
    SaveAutorunPolicy(reg, ticks);
    for (std::size_t i = 0; i < 4; ++i)
      EXPECT_EQ(Stored(reg, kSaveLocations[i]), static_cast<std::int32_t>(c.saved[i < 2 ? i : 2])) << i;
    EXPECT_TRUE(reg.Balanced());
  }
}

// Every combination of the four writes failing, at the create or the set step: the other writes
// still happen, each failed location keeps what it held and is named in the warning with the
// system's text. With no failure the save is confirmed.
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
    std::int32_t statuses[4] = {};
    std::u16string text = u"Some settings could not be saved:";
    for (int i = 0, sets = 0; i < 4; ++i) {
      Store(reg, kSaveLocations[i], sentinels[i]);
      const bool fails = failing >> i & 1, atCreate = fails && (failing + i) % 2;
      if (fails) statuses[i] = i % 2 ? kErrorFileNotFound : kErrorAccessDenied;
      if (fails) reg.Fail(atCreate ? RegCall::CreateKeyEx : RegCall::SetValueEx, atCreate ? i : sets, statuses[i]);
      if (fails) text += u"\r\n" + kNames[i] + (i % 2 ? u"Error 2." : u"Error 5.");
      sets += !atCreate;  // a failed create makes no set
    }
    if (failing & 0x5) text += u"\r\nAdministrator rights are needed to change these settings.";
    const SaveOutcome outcome = SaveAutorunPolicy(reg, AutorunTicks{1, 0x0C, 0x41});
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(Stored(reg, kSaveLocations[i]), statuses[i] ? sentinels[i] : intended[i]) << i;
      EXPECT_EQ(std::make_pair(outcome.writes[i].status, outcome.writes[i].value),
                std::make_pair(statuses[i], intended[i]));
    }
    EXPECT_EQ(
        std::make_tuple(outcome.text, outcome.title, outcome.style, outcome.anyWriteSucceeded),
        std::make_tuple(failing ? text : u"Settings has saved...", u"Quellan!!!", failing ? 48u : 64u, failing != 15));
    EXPECT_TRUE(reg.Balanced());
  }
}

// The window's lists after a fill: the letters "A" .. "Z", each standing for the bit of its
// position, and the seven types with the bit of their position as item data.
TEST(FillDriveLists, GivesEachEntryTheBitOfItsPosition) {
  struct List {
    std::vector<std::pair<std::u16string, std::int32_t>> items;
    void AddItem(const std::u16string& text) { items.emplace_back(text, 0); }
    int NewIndex() const { return static_cast<int>(items.size()) - 1; }
    void SetItemData(int index, std::int32_t data) { items.at(static_cast<std::size_t>(index)).second = data; }
  } letters, types;
  FillDriveLists(letters, types);
  std::u16string texts;
  for (std::size_t i = 0; i < letters.items.size(); ++i) {
    texts += letters.items[i].first;
    EXPECT_EQ(LetterBit(letters.items[i].first), 1u << i);
  }
  EXPECT_EQ(texts, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  for (const char16_t* text : {u"", u"@", u"[", u"a", u"\u0100"}) EXPECT_EQ(LetterBit(text), 0u);
  ASSERT_EQ(types.items.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(types.items[i].second, 1 << i) << i;
}

}  // namespace
}  // namespace quellan::policy::testing
