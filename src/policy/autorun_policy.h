#pragma once
// The AutoRun policy: three registry values moved between the registry and the ticks of the window's
// check box and two check lists.
//   "AutoRun"            (CD-ROM service)  0 when "All Drives" is ticked, 1 otherwise (grayed too).
//   "NoDriveAutoRun"     bit n set: AutoRun off for the letter "A" + n (n = 0 .. 25).
//   "NoDriveTypeAutoRun" bit n set: AutoRun off for drive type n (n = 0 .. 6); bit 7 and above are
//                        kept from the stored value on every save.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "policy/check_state.h"
#include "policy/registry_api.h"

namespace quellan::policy {

struct PolicyLocation {
  std::uint32_t root;
  std::u16string_view keyPath;
  std::u16string_view valueName;
};

inline constexpr std::u16string_view kExplorerPolicyPath =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

inline constexpr PolicyLocation kCdromAutoRun{kHkeyLocalMachine, u"System\\CurrentControlSet\\Services\\CDRom",
                                              u"AutoRun"};
inline constexpr PolicyLocation kUserNoDriveAutoRun{kHkeyCurrentUser, kExplorerPolicyPath, u"NoDriveAutoRun"};
inline constexpr PolicyLocation kUserNoDriveTypeAutoRun{kHkeyCurrentUser, kExplorerPolicyPath, u"NoDriveTypeAutoRun"};
// Written on every save so that new user profiles start with the same type mask; never read.
inline constexpr PolicyLocation kDefaultUserNoDriveTypeAutoRun{
    kHkeyUsers, u".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", u"NoDriveTypeAutoRun"};

// The locations a save writes, in the order it writes them.
inline constexpr std::array<PolicyLocation, 4> kSaveLocations{kCdromAutoRun, kUserNoDriveAutoRun,
                                                              kUserNoDriveTypeAutoRun, kDefaultUserNoDriveTypeAutoRun};

// Message-box styles of the save report.
constexpr std::uint32_t kMbIconWarning = 48;
constexpr std::uint32_t kMbIconInformation = 64;

inline constexpr std::u16string_view kSaveTitle = u"Quellan!!!";
inline constexpr std::u16string_view kSavedText = u"Settings has saved...";
inline constexpr std::u16string_view kSaveFailedHeading = u"Some settings could not be saved:";
inline constexpr std::u16string_view kAdministratorRightsNeeded =
    u"Administrator rights are needed to change these settings.";

// The ticks of the window: the check box and the two lists, as plain data.
struct AutorunTicks {
  CheckState allDrives = CheckState::Unchecked;
  std::uint32_t letters = 0;  // bit n: the letter "A" + n is ticked (n = 0 .. 25)
  std::uint32_t types = 0;    // bit n: drive type n is ticked (n = 0 .. 6)
};

// Sets ticks from the stored values in order (CD-ROM value, letter mask, type mask); a missing or
// unreadable value counts as 0. Stops at the first stored text with no numeric reading and returns
// false: what was set before it stays set, the fields after it keep what they held.
bool ReadAutorunPolicy(RegistryApi& reg, AutorunTicks& ticks);

struct LocationWrite {
  PolicyLocation location;
  std::int32_t value = 0;
  std::int32_t status = 0;   // 0 when written, otherwise the system's error code
  std::u16string errorText;  // the system's description of status; empty when written
};

struct SaveOutcome {
  std::array<LocationWrite, 4> writes;  // in kSaveLocations order
  bool anyWriteSucceeded = false;
  // The message to show. When every write succeeded: kSavedText, information style. Otherwise a
  // warning: the FailureReport of the writes.
  std::u16string text;
  std::u16string title;
  std::uint32_t style = kMbIconInformation;
};

// The warning of the writes that failed: kSaveFailedHeading, then one line per failed write
//   "<value name>" in <hive name>\<key path>: <error text>
// then kAdministratorRightsNeeded if any write was denied access; lines joined with "\r\n". Fills in
// the errorText of every failed write. Empty when none failed.
std::u16string FailureReport(RegistryApi& reg, std::span<LocationWrite> writes);

// The four values a save writes, in kSaveLocations order: the CD-ROM value, the letter mask, and
// the type mask merged into the stored "NoDriveTypeAutoRun" (read now; bit 7 and above kept)
// twice. A stored text with no numeric reading counts as 0 in the merge.
std::array<std::int32_t, 4> SaveValues(RegistryApi& reg, const AutorunTicks& ticks);

// Writes SaveValues to every location in kSaveLocations order, each write attempted whatever became
// of the others, and reports the outcome.
SaveOutcome SaveAutorunPolicy(RegistryApi& reg, const AutorunTicks& ticks);

}  // namespace quellan::policy
