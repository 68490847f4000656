#include "policy/autorun_policy.h"

#include "policy/drive_lists.h"
#include "policy/reg_value.h"
#include "policy/registry.h"

namespace quellan::policy {
namespace {

// The bits of the masks that have an entry in the window.
constexpr std::uint32_t kLetterBits = (std::uint32_t{1} << kDriveLetterCount) - 1;
constexpr std::uint32_t kTypeBits = (std::uint32_t{1} << kDriveTypeCount) - 1;

RegValue Read(RegistryApi& reg, const PolicyLocation& location) {
  return GetRegValue(reg, location.root, std::u16string(location.keyPath), std::u16string(location.valueName),
                     kZeroDefault);
}

std::u16string FailureLine(const LocationWrite& write) {
  std::u16string line = u"\"";
  line += write.location.valueName;
  line += u"\" in ";
  line += HiveName(write.location.root);
  line += u"\\";
  line += write.location.keyPath;
  line += u": ";
  line += write.errorText;
  return line;
}

void Compose(RegistryApi& reg, SaveOutcome& outcome) {
  outcome.title = std::u16string(kSaveTitle);
  for (const LocationWrite& write : outcome.writes)
    outcome.anyWriteSucceeded = outcome.anyWriteSucceeded || write.status == kErrorSuccess;
  outcome.text = FailureReport(reg, outcome.writes);
  outcome.style = outcome.text.empty() ? kMbIconInformation : kMbIconWarning;
  if (outcome.text.empty()) outcome.text = std::u16string(kSavedText);
}

}  // namespace

std::u16string FailureReport(RegistryApi& reg, std::span<LocationWrite> writes) {
  std::u16string text;
  bool anyDenied = false;
  for (LocationWrite& write : writes) {
    if (write.status == kErrorSuccess) continue;
    write.errorText = reg.ErrorText(write.status);
    anyDenied = anyDenied || write.status == kErrorAccessDenied;
    text += (text.empty() ? std::u16string(kSaveFailedHeading) : std::u16string()) + u"\r\n" + FailureLine(write);
  }
  if (anyDenied) {
    text += u"\r\n";
    text += kAdministratorRightsNeeded;
  }
  return text;
}

bool ReadAutorunPolicy(RegistryApi& reg, AutorunTicks& ticks) {
  const auto cdrom = ToInt32(Read(reg, kCdromAutoRun));
  if (!cdrom) return false;
  ticks.allDrives = *cdrom == 0 ? CheckState::Checked : CheckState::Unchecked;
  const auto letters = ToInt32(Read(reg, kUserNoDriveAutoRun));
  if (!letters) return false;
  ticks.letters = static_cast<std::uint32_t>(*letters) & kLetterBits;
  const auto types = ToInt32(Read(reg, kUserNoDriveTypeAutoRun));
  if (!types) return false;
  ticks.types = static_cast<std::uint32_t>(*types) & kTypeBits;
  return true;
}

std::array<std::int32_t, 4> SaveValues(RegistryApi& reg, const AutorunTicks& ticks) {
  // Read again now, so that bits other tools have set since the last refresh survive.
  const auto stored = static_cast<std::uint32_t>(ToInt32(Read(reg, kUserNoDriveTypeAutoRun)).value_or(0));
  const auto types = static_cast<std::int32_t>((stored & ~kTypeBits) | (ticks.types & kTypeBits));
  return {ticks.allDrives == CheckState::Checked ? 0 : 1, static_cast<std::int32_t>(ticks.letters & kLetterBits), types,
          types};
}

SaveOutcome SaveAutorunPolicy(RegistryApi& reg, const AutorunTicks& ticks) {
  SaveOutcome outcome;
  const std::array<std::int32_t, 4> values = SaveValues(reg, ticks);
  for (std::size_t i = 0; i < kSaveLocations.size(); ++i) {
    LocationWrite& write = outcome.writes[i];
    write.location = kSaveLocations[i];
    write.value = values[i];
    write.status = SetRegDword(reg, write.location.root, std::u16string(write.location.keyPath),
                               std::u16string(write.location.valueName), write.value);
  }
  Compose(reg, outcome);
  return outcome;
}

}  // namespace quellan::policy
