#pragma once
// The machine-wide Explorer policy: "NoDriveAutoRun" and "NoDriveTypeAutoRun" under
// HKEY_LOCAL_MACHINE. The system lets them override the user's values that the window edits, so the
// window only reads them and says so; the program never writes them.
#include <cstdint>
#include <optional>
#include <string>

#include "policy/registry_api.h"

namespace quellan::policy {

struct MachinePolicy {
  std::optional<std::uint32_t> letters, types;  // empty when missing or without a numeric reading
};

MachinePolicy ReadMachinePolicy(RegistryApi& reg);

// Empty when neither mask is present; otherwise one sentence per present mask, letters first,
// joined by "\r\n", naming the drive letters (runs of three or more as "C-F") or the drive types
// the policy disables.
std::u16string MachinePolicyNotice(const MachinePolicy& policy);

// A message with the notice put after its first line; the message alone when there is no notice.
std::u16string WithNotice(const std::u16string& message, const std::u16string& notice);

}  // namespace quellan::policy
