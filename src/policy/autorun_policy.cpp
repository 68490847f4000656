#include "policy/autorun_policy.h"

#include <algorithm>

#include "policy/drive_lists.h"
#include "policy/reg_value.h"
#include "policy/registry.h"

namespace quellan::policy {
namespace {

std::uint32_t Bit(int n) { return std::uint32_t{1} << n; }

// The letter mask bit of a drive-letter entry: its first character's distance from "A". An entry
// that does not start with "A" .. "Z" has no bit.
std::uint32_t LetterBit(const std::u16string& text) {
  if (text.empty()) return 0;
  const int number = static_cast<int>(text[0]) - static_cast<int>(u'A');
  return number >= 0 && number < kDriveLetterCount ? Bit(number) : 0;
}

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
  bool anyFailed = false;
  bool anyDenied = false;
  for (LocationWrite& write : outcome.writes) {
    if (write.status == kErrorSuccess) {
      outcome.anyWriteSucceeded = true;
      continue;
    }
    write.errorText = reg.ErrorText(write.status);
    anyFailed = true;
    anyDenied = anyDenied || write.status == kErrorAccessDenied;
  }
  if (!anyFailed) {
    outcome.text = std::u16string(kSavedText);
    outcome.style = kMbIconInformation;
    return;
  }
  outcome.text = std::u16string(kSaveFailedHeading);
  for (const LocationWrite& write : outcome.writes)
    if (write.status != kErrorSuccess) outcome.text += u"\r\n" + FailureLine(write);
  if (anyDenied) {
    outcome.text += u"\r\n";
    outcome.text += kAdministratorRightsNeeded;
  }
  outcome.style = kMbIconWarning;
}

}  // namespace

void ReadAutorunPolicy(RegistryApi& reg, CheckBoxModel& chkGlobal, CheckListModel& lstDrvs,
                       CheckListModel& lstDrvTypes) {
  const std::int32_t cdrom = ToInt32OrThrow(Read(reg, kCdromAutoRun));
  chkGlobal.SetValue(cdrom == 0 ? CheckBoxModel::kTicked : CheckBoxModel::kUnticked);

  const auto letters = static_cast<std::uint32_t>(ToInt32OrThrow(Read(reg, kUserNoDriveAutoRun)));
  for (int i = 0; i < lstDrvs.ListCount(); ++i) lstDrvs.SetSelected(i, (LetterBit(lstDrvs.List(i)) & letters) != 0);

  const auto types = static_cast<std::uint32_t>(ToInt32OrThrow(Read(reg, kUserNoDriveTypeAutoRun)));
  for (int i = 0; i < lstDrvTypes.ListCount(); ++i)
    lstDrvTypes.SetSelected(i, (static_cast<std::uint32_t>(lstDrvTypes.ItemData(i)) & types) != 0);
}

SaveOutcome SaveAutorunPolicy(RegistryApi& reg, const CheckBoxModel& chkGlobal, const CheckListModel& lstDrvs,
                              const CheckListModel& lstDrvTypes) {
  SaveOutcome outcome;
  for (std::size_t i = 0; i < kSaveLocations.size(); ++i) outcome.writes[i].location = kSaveLocations[i];
  auto write = [&](std::size_t slot, std::uint32_t value) {
    LocationWrite& entry = outcome.writes[slot];
    entry.value = static_cast<std::int32_t>(value);
    entry.status = SetRegDword(reg, entry.location.root, std::u16string(entry.location.keyPath),
                               std::u16string(entry.location.valueName), entry.value);
  };

  write(0, chkGlobal.Value() == CheckBoxModel::kTicked ? 0 : 1);

  std::uint32_t letters = 0;
  for (int i = 0; i < lstDrvs.ListCount(); ++i)
    if (lstDrvs.Selected(i)) letters |= LetterBit(lstDrvs.List(i));
  write(1, letters);

  // Read again now, so that bits other tools have set since the last refresh survive.
  const auto stored = static_cast<std::uint32_t>(ToInt32(Read(reg, kUserNoDriveTypeAutoRun)).value_or(0));
  std::uint32_t low = stored & 0xFFu;
  const int typeEntries = std::min(lstDrvTypes.ListCount(), kDriveTypeCount);
  for (int i = 0; i < typeEntries; ++i) low = lstDrvTypes.Selected(i) ? (low | Bit(i)) : (low & ~Bit(i));
  const std::uint32_t types = (stored & 0xFFFFFF00u) | low;
  write(2, types);
  write(3, types);

  Compose(reg, outcome);
  return outcome;
}

}  // namespace quellan::policy
