#pragma once
// Two more of the user's values that people switch off with AutoRun, each shown as a checkable item
// of the window's system menu: ticked when the value stored is a REG_DWORD 1. Choosing an item writes
// the other state at once; "off" gives back what Windows has without the program.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "policy/autorun_policy.h"
#include "policy/registry_api.h"

namespace quellan::policy {

struct AutoplaySwitch {
  PolicyLocation location;
  std::u16string_view caption;
  std::optional<std::uint32_t> offValue;  // what "off" writes; empty: the value is deleted
};

inline constexpr PolicyLocation kDisableAutoplay{
    kHkeyCurrentUser, u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers", u"DisableAutoplay"};
inline constexpr PolicyLocation kNoAutorun{kHkeyCurrentUser, kExplorerPolicyPath, u"NoAutorun"};

// In menu order. The Settings app writes 0 when AutoPlay is switched back on; "NoAutorun" is absent
// by default.
inline constexpr std::array<AutoplaySwitch, 2> kAutoplaySwitches{{
    {kDisableAutoplay, u"Turn off AutoPlay pop-ups", 0},
    {kNoAutorun, u"Run no AutoRun commands", std::nullopt},
}};

// Whether each switch is on as stored, in kAutoplaySwitches order. A value of another type or number is off.
using SwitchStates = std::array<bool, kAutoplaySwitches.size()>;
SwitchStates ReadAutoplaySwitches(RegistryApi& reg);

// Writes the state opposite to the one stored (on: 1; off: offValue, or no value). The outcome's
// status is 0 or the system's error code; FailureReport names a failure.
LocationWrite FlipAutoplaySwitch(RegistryApi& reg, const AutoplaySwitch& item);

}  // namespace quellan::policy
