#include "policy/autoplay_switches.h"

#include "policy/registry.h"

namespace quellan::policy {
namespace {

bool IsOn(RegistryApi& reg, const PolicyLocation& at) {
  return GetRegDword(reg, at.root, std::u16string(at.keyPath), std::u16string(at.valueName)) == 1u;
}

}  // namespace

SwitchStates ReadAutoplaySwitches(RegistryApi& reg) {
  SwitchStates states{};
  for (std::size_t i = 0; i < states.size(); ++i) states[i] = IsOn(reg, kAutoplaySwitches[i].location);
  return states;
}

LocationWrite FlipAutoplaySwitch(RegistryApi& reg, const AutoplaySwitch& item) {
  const PolicyLocation& at = item.location;
  const std::u16string path(at.keyPath), name(at.valueName);
  const std::optional<std::uint32_t> value = IsOn(reg, at) ? item.offValue : 1u;
  const auto data = static_cast<std::int32_t>(value.value_or(0));
  return {at, data, value ? SetRegDword(reg, at.root, path, name, data) : DeleteRegValue(reg, at.root, path, name), {}};
}

}  // namespace quellan::policy
