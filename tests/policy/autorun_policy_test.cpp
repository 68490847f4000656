// The policy store against every backend: stored values to ticks, ticks to stored values, and the
// report of a save in which writes fail.
#include "policy/autorun_policy.h"

#include <algorithm>

#include "policy/drive_lists.h"
#include "policy/reg_value.h"
#include "policy/registry.h"
#include "registry_backend.h"

namespace quellan::policy::testing {
namespace {

using State = std::array<std::uint32_t, 3>;  // check box value, letter ticks, type ticks
using Edits = std::optional<std::uint32_t>[3];

// The window's three controls, filled as a refresh fills them.
struct Controls {
  Controls() { FillDriveLists(lstDrvs, lstDrvTypes); }
  static std::uint32_t Ticks(const CheckListModel& list) {
    std::uint32_t mask = 0;
    for (int i = 0; i < list.ListCount(); ++i) mask |= list.Selected(i) ? 1u << i : 0u;
    return mask;
  }
  static void Tick(CheckListModel& list, std::uint32_t mask) {
    for (int i = 0; i < list.ListCount(); ++i) list.SetSelected(i, (mask >> i) & 1u);
  }
  State Shown() const { return {static_cast<std::uint32_t>(chkGlobal.Value()), Ticks(lstDrvs), Ticks(lstDrvTypes)}; }
  void Set(const Edits& edits) {
    if (edits[0]) chkGlobal.SetValue(static_cast<int>(*edits[0]));
    if (edits[1]) Tick(lstDrvs, *edits[1]);
    if (edits[2]) Tick(lstDrvTypes, *edits[2]);
  }
  void Read(RegistryApi& reg) { ReadAutorunPolicy(reg, chkGlobal, lstDrvs, lstDrvTypes); }
  SaveOutcome Save(RegistryApi& reg) { return SaveAutorunPolicy(reg, chkGlobal, lstDrvs, lstDrvTypes); }

  CheckBoxModel chkGlobal;
  CheckListModel lstDrvs;
  CheckListModel lstDrvTypes;
};

void Seed(RegistryBackend& backend, const PolicyLocation& at, std::uint32_t value) {
  backend.Seed(at.root, Narrow(at.keyPath), Narrow(at.valueName), kRegDword, DwordBytes(value));
}
void SeedText(RegistryBackend& backend, const PolicyLocation& at, const std::string& text) {
  backend.Seed(at.root, Narrow(at.keyPath), Narrow(at.valueName), kRegSz, Bytes(text + '\0'));
}
std::optional<StoredValue> Stored(RegistryBackend& backend, const PolicyLocation& at) {
  return backend.Find(at.root, Narrow(at.keyPath), Narrow(at.valueName));
}

using Call = std::tuple<RegCall, std::uint32_t, std::string, std::string, std::vector<std::uint8_t>>;
// The calls made but the queries, which depend on what is stored.
std::vector<Call> Recorded(const InstrumentedRegistry& reg) {
  std::vector<Call> calls;
  for (const RegCallRecord& c : reg.Calls())
    if (c.call != RegCall::QueryValueEx) calls.emplace_back(c.call, c.root, c.keyPath, c.valueName, c.data);
  return calls;
}
// The calls of a save of cdrom, letters and types: each location created, set and closed in turn,
// the key of the stored type mask opened and closed to read it between the second and the third.
std::vector<Call> SaveCalls(const State& values) {
  const std::string explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
  const std::tuple<std::uint32_t, std::string, std::string, std::uint32_t> writes[] = {
      {kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\CDRom", "AutoRun", values[0]},
      {kHkeyCurrentUser, explorer, "NoDriveAutoRun", values[1]},
      {kHkeyCurrentUser, explorer, "NoDriveTypeAutoRun", values[2]},
      {kHkeyUsers, ".DEFAULT\\" + explorer, "NoDriveTypeAutoRun", values[2]},
  };
  std::vector<Call> calls;
  for (const auto& [root, path, name, value] : writes) {
    if (calls.size() == 6)
      for (const RegCall call : {RegCall::OpenKeyEx, RegCall::CloseKey})
        calls.emplace_back(call, root, path, "", std::vector<std::uint8_t>());
    calls.emplace_back(RegCall::CreateKeyEx, root, path, "", std::vector<std::uint8_t>());
    calls.emplace_back(RegCall::SetValueEx, root, path, name, DwordBytes(value));
    calls.emplace_back(RegCall::CloseKey, root, path, "", std::vector<std::uint8_t>());
  }
  return calls;
}

// A refresh ticks the check box for a CD-ROM value of 0, a letter where its bit is set among bits
// 0 .. 25, a type where its bit is set among bits 0 .. 6, whatever was ticked before, and never reads
// the ".DEFAULT" copy. A stored text with no numeric reading stops the refresh where it is met: what
// comes after keeps its previous state. A save writes the CD-ROM value 0 only for a ticked check box,
// the letters from the ticks alone, and the type ticks merged into the stored mask (a text with no
// numeric reading counts as 0), keeping bit 7 and above, to both type-mask locations.
TEST_P(AutorunPolicy, RefreshShowsTheStoredPolicyAndSaveWritesTheTicksBack) {
  const struct {
    std::optional<std::uint32_t> stored[3];  // "AutoRun", "NoDriveAutoRun", "NoDriveTypeAutoRun"
    const char* storedText[3];               // stored instead as a REG_SZ
    State shown;                             // after a refresh from grayed, A, B and Unknown ticked
    Edits edits;
    State saved;
    bool refreshStops = false;
  } cases[] = {
      {{}, {}, {1, 0, 0}, {}, {0, 0, 0}},
      {{5u}, {}, {0, 0, 0}, {}, {1, 0, 0}},
      {{5u}, {}, {0, 0, 0}, {1u}, {0, 0, 0}},
      {{0xFFFFFFFFu}, {}, {0, 0, 0}, {}, {1, 0, 0}},
      {{0u}, {}, {1, 0, 0}, {2u}, {1, 0, 0}},  // grayed saves as unticked
      {{{}, 0xFC000004u}, {}, {1, 4, 0}, {}, {0, 4, 0}},
      {{{}, 0xFFFFFFFFu}, {}, {1, 0x03FFFFFF, 0}, {{}, 0x02000001u}, {0, 0x02000001, 0}},
      {{{}, {}, 0x91u}, {}, {1, 0, 0x11}, {}, {0, 0, 0x91}},
      {{{}, {}, 0x91u}, {}, {1, 0, 0x11}, {{}, {}, 0x10u}, {0, 0, 0x90}},
      {{{}, {}, 0x3FFu}, {}, {1, 0, 0x7F}, {{}, {}, 0u}, {0, 0, 0x380}},
      {{{}, {}, 0xFFFFFFFFu}, {}, {1, 0, 0x7F}, {{}, {}, 0u}, {0, 0, 0xFFFFFF80}},
      {{0u, 0x02010004u, 0x7Fu}, {}, {1, 0x02010004, 0x7F}, {}, {0, 0x02010004, 0x7F}},
      {{{}, {}, 0x180u}, {}, {1, 0, 0}, {1u, 0x03FFFFFCu, 0x20u}, {0, 0x03FFFFFC, 0x1A0}},
      {{}, {{}, {}, "145"}, {1, 0, 0x11}, {{}, {}, 0x20u}, {0, 0, 0xA0}},
      {{{}, 8u, 0x110u}, {"Disabled"}, {2, 0x3, 0x1}, {}, {1, 0x3, 0x101}, true},
      {{{}, {}, 0x110u}, {{}, ""}, {1, 0x3, 0x1}, {}, {0, 0x3, 0x101}, true},
      {{{}, 8u}, {{}, {}, "99999999999"}, {1, 0x8, 0x1}, {}, {0, 0x8, 0x1}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    Reset();
    for (std::size_t i = 0; i < 3; ++i) {
      if (c.stored[i]) Seed(Backend(), kSaveLocations[i], *c.stored[i]);
      if (c.storedText[i]) SeedText(Backend(), kSaveLocations[i], c.storedText[i]);
    }
    Seed(Backend(), kDefaultUserNoDriveTypeAutoRun, 0x55);
    Controls controls;
    controls.Set({2u, 0x3u, 0x1u});
    if (c.refreshStops) {
      EXPECT_THROW(controls.Read(Api()), ConversionError);
    } else {
      controls.Read(Api());
    }
    EXPECT_EQ(controls.Shown(), c.shown);
    controls.Set(c.edits);
    Api().ClearCalls();
    controls.Save(Api());
    EXPECT_EQ(Recorded(Api()), SaveCalls(c.saved));
    for (std::size_t i = 0; i < 4; ++i)
      EXPECT_EQ(Stored(Backend(), kSaveLocations[i]), Dword(c.saved[std::min<std::size_t>(i, 2)])) << i;
  }
}

// Every combination of the four writes failing, at the create or the set step: the other writes
// still happen, each failed location keeps what it held and is named in the warning with the
// system's text. With no failure the save is confirmed.
TEST_P(AutorunPolicy, FailedWritesAreReportedAndTheOthersStillHappen) {
  const std::uint32_t sentinels[] = {0x5A5A0001, 0x5A5A0002, 0x5A5A1234, 0x5A5A0004};
  for (unsigned failing = 0; failing < 16; ++failing) {
    SCOPED_TRACE(failing);
    Reset();
    auto statusOf = [&](std::size_t i) {
      return !(failing >> i & 1u) ? kErrorSuccess : i % 2 ? kErrorFileNotFound : kErrorAccessDenied;
    };
    for (std::size_t i = 0; i < 4; ++i) {
      const PolicyLocation& at = kSaveLocations[i];
      Seed(Backend(), at, sentinels[i]);
      if (statusOf(i) == kErrorSuccess) continue;
      InjectedFailure failure{RegCall::SetValueEx, statusOf(i), at.root, Narrow(at.keyPath), Narrow(at.valueName)};
      if ((failing + i) % 2) {
        failure.call = RegCall::CreateKeyEx;
        failure.valueName.reset();
        failure.skip = i == 2;  // the third location's key is created once before, by the second
      }
      Api().InjectFailure(failure);
    }
    Controls controls;
    controls.Set({1u, 0x0Cu, 0x41u});
    const SaveOutcome outcome = controls.Save(Api());

    const std::uint32_t types = (sentinels[2] & ~0x7Fu) | 0x41u;
    const std::uint32_t intended[] = {0, 0x0C, types, types};
    std::u16string text = u"Some settings could not be saved:";
    for (std::size_t i = 0; i < 4; ++i) {
      const std::int32_t status = statusOf(i);
      const PolicyLocation& at = kSaveLocations[i];
      EXPECT_EQ(Stored(Backend(), at), Dword(status ? sentinels[i] : intended[i])) << i;
      const std::u16string error = status ? Api().ErrorText(status) : std::u16string();
      EXPECT_EQ(std::make_tuple(outcome.writes[i].status, static_cast<std::uint32_t>(outcome.writes[i].value),
                                outcome.writes[i].errorText),
                std::make_tuple(status, intended[i], error));
      if (status)
        text += u"\r\n\"" + std::u16string(at.valueName) + u"\" in " + HiveName(at.root) + u"\\" +
                std::u16string(at.keyPath) + u": " + error;
    }
    if (failing & 0x5) text += u"\r\nAdministrator rights are needed to change these settings.";
    EXPECT_EQ(
        std::make_tuple(outcome.text, outcome.title, outcome.style, outcome.anyWriteSucceeded),
        std::make_tuple(failing ? text : u"Settings has saved...", u"Quellan!!!", failing ? 48u : 64u, failing != 15));
  }
}

}  // namespace
}  // namespace quellan::policy::testing
