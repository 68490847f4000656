#include "policy/machine_policy.h"

#include <variant>
#include <vector>

#include "policy/autorun_policy.h"
#include "policy/drive_lists.h"
#include "policy/registry.h"

namespace quellan::policy {
namespace {

// The user's value of the same name, read from HKEY_LOCAL_MACHINE.
std::optional<std::uint32_t> ReadMask(RegistryApi& reg, const PolicyLocation& userValue) {
  // The default is a 16-bit 0, so it tells a missing value from a stored 0.
  const RegValue value = GetRegValue(reg, kHkeyLocalMachine, std::u16string(userValue.keyPath),
                                     std::u16string(userValue.valueName), kZeroDefault);
  if (std::holds_alternative<std::int16_t>(value)) return std::nullopt;
  if (const auto number = ToInt32(value)) return static_cast<std::uint32_t>(*number);
  return std::nullopt;
}

// "A", "A and B", "A, B and C".
std::u16string JoinNames(const std::vector<std::u16string>& names) {
  std::u16string text;
  for (std::size_t i = 0; i < names.size(); ++i)
    text += (i == 0 ? u"" : i + 1 == names.size() ? u" and " : u", ") + names[i];
  return text;
}

std::u16string Sentence(const std::u16string& what, const char16_t* ticks) {
  return u"AutoRun is " + what + u" on this computer by a machine-wide policy, whatever the " + ticks + u" ticks say.";
}

std::u16string LettersSentence(std::uint32_t mask) {
  const std::uint32_t all = (std::uint32_t{1} << kDriveLetterCount) - 1;
  mask &= all;
  if (mask == 0) return Sentence(u"not disabled for any drive letter", u"Drive Letters");
  if (mask == all) return Sentence(u"disabled for every drive letter", u"Drive Letters");
  // Runs of three or more letters are written "C-F", so that even 25 letters fit the label.
  const auto letter = [](int n) { return std::u16string(1, static_cast<char16_t>(u'A' + n)); };
  std::vector<std::u16string> names;
  for (int first = 0; first < kDriveLetterCount; ++first) {
    if (!(mask >> first & 1)) continue;
    int last = first;
    while (last + 1 < kDriveLetterCount && (mask >> (last + 1) & 1)) ++last;
    if (last - first < 2) last = first;
    names.push_back(last > first ? letter(first) + u"-" + letter(last) : letter(first));
    first = last;
  }
  const bool several = (mask & (mask - 1)) != 0;
  return Sentence((several ? u"disabled for drives " : u"disabled for drive ") + JoinNames(names), u"Drive Letters");
}

std::u16string TypesSentence(std::uint32_t mask) {
  const std::uint32_t all = (std::uint32_t{1} << kDriveTypeCount) - 1;
  mask &= all;
  if (mask == 0) return Sentence(u"not disabled for any drive type", u"Drive Type");
  if (mask == all) return Sentence(u"disabled for every drive type", u"Drive Type");
  std::vector<std::u16string> names;
  for (int type = 0; type < kDriveTypeCount; ++type)
    if (mask >> type & 1) names.push_back(kDriveTypes[type].text);
  return Sentence(u"disabled for " + JoinNames(names) + u" drives", u"Drive Type");
}

}  // namespace

MachinePolicy ReadMachinePolicy(RegistryApi& reg) {
  return {ReadMask(reg, kUserNoDriveAutoRun), ReadMask(reg, kUserNoDriveTypeAutoRun)};
}

std::u16string MachinePolicyNotice(const MachinePolicy& policy) {
  std::u16string notice;
  if (policy.letters) notice = LettersSentence(*policy.letters);
  if (policy.types) notice += (notice.empty() ? u"" : u"\r\n") + TypesSentence(*policy.types);
  return notice;
}

std::u16string WithNotice(const std::u16string& message, const std::u16string& notice) {
  if (notice.empty()) return message;
  const std::size_t end = message.find(u"\r\n");
  if (end == std::u16string::npos) return message + u"\r\n" + notice;
  return message.substr(0, end) + u"\r\n" + notice + message.substr(end);
}

}  // namespace quellan::policy
