// The machine-wide policy on the registry held in memory, as the notice the window shows for it.
#include "policy/machine_policy.h"

#include <gtest/gtest.h>

#include "../support/fake_registry.h"
#include "policy/autorun_policy.h"
#include "policy/registry.h"

namespace quellan::policy::testing {
namespace {

// Only values under HKEY_LOCAL_MACHINE with a numeric reading count (a stored 0 too, a text as a
// REG_SZ), never the user's (3 here); letters past "Z" and types past bit 6 are not named.
TEST(MachinePolicy, IsReadFromTheMachineAndNamesWhatItDisables) {
  using Mask = std::optional<std::uint32_t>;
  const std::tuple<Mask, Mask, const char*, const char16_t*, const char16_t*> cases[] = {
      {{}, {}, nullptr, nullptr, nullptr},
      {0u, 0xFFFFFFFFu, nullptr, u"not disabled for any drive letter", u"disabled for every drive type"},
      {0xFFFFFFFFu, 0x80u, nullptr, u"disabled for every drive letter", u"not disabled for any drive type"},
      {0x20000BBu, 0x24u, nullptr, u"disabled for drives A, B, D-F, H and Z",
       u"disabled for Removable and CD/DVD drives"},
      {{}, 0x91u, "C:", nullptr, u"disabled for Unknown and Network drives"},
      {{}, {}, "0xFC000004", u"disabled for drive C", nullptr},
  };
  for (const auto& [letters, types, lettersText, lettersSay, typesSay] : cases) {
    FakeRegistry reg;
    for (const auto& [at, v] : {std::pair{kUserNoDriveAutoRun, letters}, {kUserNoDriveTypeAutoRun, types}})
      SetRegDword(reg, v ? kHkeyLocalMachine : kHkeyCurrentUser, std::u16string(at.keyPath),
                  std::u16string(at.valueName), static_cast<std::int32_t>(v.value_or(3)));
    if (lettersText) reg.Seed(kHkeyLocalMachine, kExplorerPolicyPath, u"NoDriveAutoRun", kRegSz, lettersText);
    std::u16string notice;
    for (const auto& [what, ticks] : {std::pair{lettersSay, u"Drive Letters"}, {typesSay, u"Drive Type"}})
      if (what)
        notice += (notice.empty() ? u"AutoRun is " : u"\r\nAutoRun is ") + std::u16string(what) +
                  u" on this computer by a machine-wide policy, whatever the " + ticks + u" ticks say.";
    EXPECT_EQ(MachinePolicyNotice(ReadMachinePolicy(reg)), notice);
  }
}

}  // namespace
}  // namespace quellan::policy::testing
