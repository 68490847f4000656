// GetRegValue with any stored value and any step failing, and ToInt32 on any text. Aborts when a read
// departs from what the type and data call for, a key is left open, or a number does not read back.
#include <cstdlib>

#include "../support/fake_registry.h"
#include "policy/registry.h"

using namespace quellan::policy;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  const std::uint32_t type = data[1] | data[2] << 8 | data[3] << 16 | std::uint32_t{data[4]} << 24;
  const std::string stored(data + 5, data + size);
  FakeRegistry reg;
  reg.Seed({kHkeyCurrentUser, u"Software\\Fuzz", u"Value"}, {type, stored});
  // The first byte's low two bits: which call fails, if any: 1 the open, 2 the query for the size, 3 the read.
  const int failing = data[0] & 3;
  const RegCall steps[] = {RegCall::OpenKey, RegCall::QuerySize, RegCall::QueryData};
  if (failing) reg.Fail(steps[failing - 1], 0, kErrorAccessDenied);
  const RegValue read = GetRegValue(reg, kHkeyCurrentUser, u"Software\\Fuzz", u"Value", kZeroDefault);

  // A text: the data up to its first NUL, or without one less any trailing spaces. A binary or DWORD
  // of up to 4 bytes: the integer, low byte first. Anything else, or a failure: the default.
  const std::u16string text(data + 5, data + size);  // one byte a character, as in the Latin-1 code page
  RegValue expected = kZeroDefault;
  if (!failing && type == kRegSz) {
    const std::size_t nul = text.find(u'\0');
    std::u16string value = text.substr(0, nul);
    while (nul == std::u16string::npos && !value.empty() && value.back() == u' ') value.pop_back();
    expected = value;
  } else if (!failing && (type == kRegBinary || type == kRegDword) && stored.size() <= 4) {
    std::uint32_t pattern = 0;
    for (std::size_t i = 0; i < stored.size(); ++i) pattern |= std::uint32_t{data[5 + i]} << (8 * i);
    expected = static_cast<std::int32_t>(pattern);
  }
  if (!(read == expected && reg.Balanced())) std::abort();

  if (const auto number = ToInt32(RegValue{text})) {
    const std::string decimal = std::to_string(*number);
    if (ToInt32(RegValue{std::u16string(decimal.begin(), decimal.end())}) != number) std::abort();
  }
  return 0;
}
