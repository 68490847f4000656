// The policy store against every backend: stored values to ticks, ticks to stored values, and the
// report of a save in which writes fail.
#include "policy/autorun_policy.h"

#include "policy/drive_lists.h"
#include "policy/reg_value.h"
#include "policy/registry.h"
#include "registry_backend.h"

namespace quellan::policy::testing {
namespace {

// The window's three controls, filled as a refresh fills them, with the events they raise.
struct Controls {
  Controls() {
    FillDriveLists(lstDrvs, lstDrvTypes);
    chkGlobal.Click = [this] { events.push_back(-1); };
    lstDrvs.ItemCheck = [this](int position) { events.push_back(position); };
    lstDrvTypes.ItemCheck = [this](int position) { events.push_back(100 + position); };
  }
  static std::uint32_t Ticks(const CheckListModel& list) {
    std::uint32_t mask = 0;
    for (int i = 0; i < list.ListCount(); ++i) mask |= list.Selected(i) ? 1u << i : 0u;
    return mask;
  }
  static void Tick(CheckListModel& list, std::uint32_t mask) {
    for (int i = 0; i < list.ListCount(); ++i) list.SetSelected(i, (mask >> i) & 1u);
  }
  void Read(RegistryApi& reg) { ReadAutorunPolicy(reg, chkGlobal, lstDrvs, lstDrvTypes); }
  SaveOutcome Save(RegistryApi& reg) { return SaveAutorunPolicy(reg, chkGlobal, lstDrvs, lstDrvTypes); }

  CheckBoxModel chkGlobal;
  CheckListModel lstDrvs;
  CheckListModel lstDrvTypes;
  std::vector<int> events;  // -1 Click, 0 .. 25 a letter's ItemCheck, 100 + n a type's
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

StoredValue Dword(std::uint32_t value) { return StoredValue{kRegDword, DwordBytes(value)}; }

// The window shows the check box ticked for a CD-ROM value of 0, a letter ticked where its bit is set
// among bits 0 .. 25, a type where its bit is set among bits 0 .. 6; the ".DEFAULT" copy is not read.
TEST_P(AutorunPolicy, ReadingSetsTheCheckBoxAndEveryTick) {
  struct Case {
    std::optional<std::uint32_t> cdrom, letters, types;
    const char* typesText;
  } cases[] = {
      {{}, {}, {}, nullptr},    {5u, {}, {}, nullptr},          {0xFFFFFFFFu, {}, {}, nullptr},
      {{}, 4u, {}, nullptr},    {{}, 0xFC000004u, {}, nullptr}, {{}, 0xFFFFFFFFu, {}, nullptr},
      {{}, {}, 0x91u, nullptr}, {{}, {}, 0x3FFu, nullptr},      {{}, {}, 0x80u, nullptr},
      {{}, {}, {}, "145"},      {{}, {}, {}, " 0x24 "},         {0u, 0x02010004u, 0x7Fu, nullptr},
  };
  for (const Case& c : cases) {
    m_backend = GetParam().make();
    if (c.cdrom) Seed(Backend(), kCdromAutoRun, *c.cdrom);
    if (c.letters) Seed(Backend(), kUserNoDriveAutoRun, *c.letters);
    if (c.types) Seed(Backend(), kUserNoDriveTypeAutoRun, *c.types);
    if (c.typesText) SeedText(Backend(), kUserNoDriveTypeAutoRun, c.typesText);
    Seed(Backend(), kDefaultUserNoDriveTypeAutoRun, 0x55);
    Controls controls;
    controls.Read(Api());
    const std::uint32_t types = c.typesText ? std::stoul(c.typesText, nullptr, 0) : c.types.value_or(0);
    EXPECT_EQ(controls.chkGlobal.Value(), c.cdrom.value_or(0) == 0 ? 1 : 0);
    EXPECT_EQ(Controls::Ticks(controls.lstDrvs), c.letters.value_or(0) & 0x03FFFFFFu);
    EXPECT_EQ(Controls::Ticks(controls.lstDrvTypes), types & 0x7Fu);
  }
}

TEST_P(AutorunPolicy, ReadingSetsEveryEntryWhateverItsTickWasAndRaisesOnlyChanges) {
  Seed(Backend(), kUserNoDriveAutoRun, 0x5);       // A and C
  Seed(Backend(), kUserNoDriveTypeAutoRun, 0x21);  // Unknown and CD/DVD
  Controls controls;
  controls.chkGlobal.SetValue(CheckBoxModel::kGrayed);
  Controls::Tick(controls.lstDrvs, 0x6);  // B and C
  Controls::Tick(controls.lstDrvTypes, 0x7F);
  controls.events.clear();
  controls.Read(Api());
  EXPECT_EQ(controls.chkGlobal.Value(), CheckBoxModel::kTicked);
  EXPECT_EQ(Controls::Ticks(controls.lstDrvs), 0x5u);
  EXPECT_EQ(Controls::Ticks(controls.lstDrvTypes), 0x21u);
  EXPECT_EQ(controls.events, (std::vector<int>{-1, 0, 1, 101, 102, 103, 104, 106}));
  controls.events.clear();
  controls.Read(Api());
  EXPECT_TRUE(controls.events.empty());
}

// A stored text with no numeric reading stops the read where it is met: what came before is set,
// what comes after keeps its previous state.
TEST_P(AutorunPolicy, ReadingStopsAtStoredTextThatIsNoNumber) {
  for (const char* text : {"Disabled", "", "1.5", "99999999999"}) {
    for (int bad = 0; bad < 3; ++bad) {
      m_backend = GetParam().make();
      Seed(Backend(), kUserNoDriveAutoRun, 0x8);
      Seed(Backend(), kUserNoDriveTypeAutoRun, 0x10);
      SeedText(Backend(), kSaveLocations[bad], text);
      Controls controls;
      Controls::Tick(controls.lstDrvs, 0x3);
      Controls::Tick(controls.lstDrvTypes, 0x1);
      EXPECT_THROW(controls.Read(Api()), ConversionError) << bad << text;
      EXPECT_EQ(controls.chkGlobal.Value(), bad > 0 ? 1 : 0);
      EXPECT_EQ(Controls::Ticks(controls.lstDrvs), bad > 1 ? 0x8u : 0x3u);
      EXPECT_EQ(Controls::Ticks(controls.lstDrvTypes), 0x1u);
      EXPECT_EQ(Api().OpenKeys(), 0);
    }
  }
}

// Refresh, perhaps edit, save: the CD-ROM value is 0 only for a ticked check box, the letters come
// from the ticks alone, the type ticks are merged into the stored mask keeping bit 7 and above.
TEST_P(AutorunPolicy, SavingWritesTheTicksToAllFourLocations) {
  struct Case {
    std::optional<std::uint32_t> cdrom, letters, types;
    const char* typesText;
    std::optional<int> check;
    std::optional<std::uint32_t> letterTicks, typeTicks;
    std::uint32_t savedCdrom, savedLetters, savedTypes;
  } cases[] = {
      {{}, {}, {}, nullptr, {}, {}, {}, 0, 0, 0},
      {5u, {}, {}, nullptr, {}, {}, {}, 1, 0, 0},
      {5u, {}, {}, nullptr, 1, {}, {}, 0, 0, 0},
      {0u, {}, {}, nullptr, 2, {}, {}, 1, 0, 0},  // grayed saves as unticked
      {{}, 0xFC000004u, {}, nullptr, {}, {}, {}, 0, 4, 0},
      {{}, 0xFFFFFFFFu, {}, nullptr, {}, {}, {}, 0, 0x03FFFFFF, 0},
      {{}, 0xFFFFFFFFu, {}, nullptr, {}, 0x02000001u, {}, 0, 0x02000001, 0},
      {{}, {}, 0x91u, nullptr, {}, {}, {}, 0, 0, 0x91},
      {{}, {}, 0x91u, nullptr, {}, {}, 0x10u, 0, 0, 0x90},
      {{}, {}, 0x3FFu, nullptr, {}, {}, 0u, 0, 0, 0x380},
      {{}, {}, 0xFFFFFFFFu, nullptr, {}, {}, 0u, 0, 0, 0xFFFFFF80},
      {{}, {}, {}, "145", {}, {}, {}, 0, 0, 0x91},
      {{}, {}, {}, "junk", {}, {}, 0x24u, 0, 0, 0x24},  // no numeric reading: merged into 0
  };
  for (const Case& c : cases) {
    m_backend = GetParam().make();
    if (c.cdrom) Seed(Backend(), kCdromAutoRun, *c.cdrom);
    if (c.letters) Seed(Backend(), kUserNoDriveAutoRun, *c.letters);
    if (c.types) Seed(Backend(), kUserNoDriveTypeAutoRun, *c.types);
    if (c.typesText) SeedText(Backend(), kUserNoDriveTypeAutoRun, c.typesText);
    Controls controls;
    try {
      controls.Read(Api());
    } catch (const ConversionError&) {
    }
    if (c.check) controls.chkGlobal.SetValue(*c.check);
    if (c.letterTicks) Controls::Tick(controls.lstDrvs, *c.letterTicks);
    if (c.typeTicks) Controls::Tick(controls.lstDrvTypes, *c.typeTicks);
    const SaveOutcome outcome = controls.Save(Api());

    const std::uint32_t saved[] = {c.savedCdrom, c.savedLetters, c.savedTypes, c.savedTypes};
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(Stored(Backend(), kSaveLocations[i]), Dword(saved[i])) << i;
      EXPECT_EQ(std::make_tuple(outcome.writes[i].status, static_cast<std::uint32_t>(outcome.writes[i].value)),
                std::make_tuple(kErrorSuccess, saved[i]));
    }
    EXPECT_EQ(std::make_tuple(outcome.text, outcome.title, outcome.style, outcome.anyWriteSucceeded),
              std::make_tuple(std::u16string(u"Settings has saved..."), std::u16string(u"Quellan!!!"), 64u, true));
  }
}

// The example of a whole save: every letter but A and B, CD/DVD, the check box ticked. The stored
// type mask is read again just before it is written, not taken from the last refresh.
TEST_P(AutorunPolicy, SavingWritesTheLocationsInOrderRereadingTheTypeMask) {
  Seed(Backend(), kUserNoDriveTypeAutoRun, 0x91);
  Controls controls;
  controls.Read(Api());
  Seed(Backend(), kUserNoDriveTypeAutoRun, 0x180);  // another tool changes it meanwhile
  for (int i = controls.lstDrvs.ListCount() - 1; i >= 0; --i) controls.lstDrvs.SetSelected(i, i > 1);
  Controls::Tick(controls.lstDrvTypes, 0x20);
  Api().ClearCalls();
  controls.Save(Api());

  // Each write creates, sets and closes; the stored type mask is read between the second and third.
  const std::string explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
  const std::tuple<std::uint32_t, std::string, std::string, std::uint32_t> writes[] = {
      {kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\CDRom", "AutoRun", 0},
      {kHkeyCurrentUser, explorer, "NoDriveAutoRun", 0x03FFFFFC},
      {kHkeyCurrentUser, explorer, "NoDriveTypeAutoRun", 0x1A0},
      {kHkeyUsers, ".DEFAULT\\" + explorer, "NoDriveTypeAutoRun", 0x1A0},
  };
  using Call = std::tuple<RegCall, std::uint32_t, std::string, std::string, std::vector<std::uint8_t>>;
  std::vector<Call> expected;
  for (const auto& [root, path, name, value] : writes) {
    if (expected.size() == 6)
      for (const RegCall call : {RegCall::OpenKeyEx, RegCall::QueryValueEx, RegCall::QueryValueEx, RegCall::CloseKey})
        expected.emplace_back(call, root, path, call == RegCall::QueryValueEx ? name : "", std::vector<std::uint8_t>());
    expected.emplace_back(RegCall::CreateKeyEx, root, path, "", std::vector<std::uint8_t>());
    expected.emplace_back(RegCall::SetValueEx, root, path, name, DwordBytes(value));
    expected.emplace_back(RegCall::CloseKey, root, path, "", std::vector<std::uint8_t>());
  }
  std::vector<Call> calls;
  for (const RegCallRecord& c : Api().Calls()) calls.emplace_back(c.call, c.root, c.keyPath, c.valueName, c.data);
  EXPECT_EQ(calls, expected);
}

// Every combination of the four writes failing: the other writes still happen, each failed location
// keeps what it held and is named in the warning with the system's text, and nothing else changes.
TEST_P(AutorunPolicy, FailedWritesAreReportedAndTheOthersStillHappen) {
  const std::uint32_t sentinels[] = {0x5A5A0001, 0x5A5A0002, 0x5A5A1234, 0x5A5A0004};
  const PolicyLocation unrelated{kHkeyCurrentUser, kExplorerPolicyPath, u"Unrelated"};
  for (unsigned failing = 0; failing < 16; ++failing) {
    SCOPED_TRACE(failing);
    m_backend = GetParam().make();
    Seed(Backend(), unrelated, 77);
    for (std::size_t i = 0; i < 4; ++i) {
      Seed(Backend(), kSaveLocations[i], sentinels[i]);
      if (!(failing >> i & 1u)) continue;
      // Alternate the step that fails and the status it fails with.
      const PolicyLocation& at = kSaveLocations[i];
      InjectedFailure failure{RegCall::SetValueEx, i % 2 ? kErrorFileNotFound : kErrorAccessDenied, at.root,
                              Narrow(at.keyPath), Narrow(at.valueName)};
      if ((failing + i) % 2) {
        failure.call = RegCall::CreateKeyEx;
        failure.valueName.reset();
        failure.skip = i == 2;  // the third location's key is created once before, by the second
      }
      Api().InjectFailure(failure);
    }
    Controls controls;
    controls.chkGlobal.SetValue(CheckBoxModel::kTicked);
    Controls::Tick(controls.lstDrvs, 0x0C);
    Controls::Tick(controls.lstDrvTypes, 0x41);
    const SaveOutcome outcome = controls.Save(Api());

    const std::uint32_t types = (sentinels[2] & ~0x7Fu) | 0x41u;
    const std::uint32_t intended[] = {0, 0x0C, types, types};
    std::u16string text = u"Some settings could not be saved:";
    for (std::size_t i = 0; i < 4; ++i) {
      const bool failed = failing >> i & 1u;
      const std::int32_t status = !failed ? kErrorSuccess : i % 2 ? kErrorFileNotFound : kErrorAccessDenied;
      const PolicyLocation& at = kSaveLocations[i];
      EXPECT_EQ(Stored(Backend(), at), Dword(failed ? sentinels[i] : intended[i])) << i;
      EXPECT_EQ(std::make_tuple(outcome.writes[i].status, static_cast<std::uint32_t>(outcome.writes[i].value),
                                outcome.writes[i].errorText),
                std::make_tuple(status, intended[i], failed ? Api().ErrorText(status) : std::u16string()));
      if (failed)
        text += u"\r\n\"" + std::u16string(at.valueName) + u"\" in " + HiveName(at.root) + u"\\" +
                std::u16string(at.keyPath) + u": " + Api().ErrorText(status);
    }
    if (failing & 0x5) text += u"\r\nAdministrator rights are needed to change these settings.";
    EXPECT_EQ(Stored(Backend(), unrelated), Dword(77));
    EXPECT_EQ(outcome.title, u"Quellan!!!");
    EXPECT_EQ(outcome.anyWriteSucceeded, failing != 15);
    EXPECT_EQ(outcome.text, failing ? text : u"Settings has saved...");
    EXPECT_EQ(outcome.style, failing ? 48u : 64u);
  }
}

}  // namespace
}  // namespace quellan::policy::testing
