// GetRegValue over the registry held in memory with any stored type and data and any step failing,
// and TrimAtNull / ToInt32 on any text. Aborts when a result departs from what the type and data
// call for, or when a key is left open or closed twice.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../support/fake_registry.h"
#include "policy/reg_value.h"
#include "policy/registry.h"

using namespace quellan::policy;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckText(const std::u16string& text) {
  const std::u16string trimmed = TrimAtNull(text);
  Check(text.compare(0, trimmed.size(), trimmed) == 0 && trimmed.find(u'\0') == std::u16string::npos);
  Check(trimmed.size() == text.size() || text[trimmed.size()] == u'\0');
  if (const auto number = ToInt32(RegValue{text})) {
    const std::string decimal = std::to_string(*number);
    Check(ToInt32(RegValue{std::u16string(decimal.begin(), decimal.end())}) == number);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  const std::uint8_t flags = data[0];
  const std::uint32_t type = data[1] | (data[2] << 8) | (data[3] << 16) | (std::uint32_t{data[4]} << 24);
  const std::string stored(data + 5, data + size);

  testing::FakeRegistry reg;
  reg.Seed(kHkeyCurrentUser, u"Software\\Fuzz", u"Value", type, stored);
  // Low two bits: which call fails, if any: 1 the open, 2 the query for the size, 3 the read.
  const int failing = flags & 3;
  if (failing == 1) reg.Fail(testing::RegCall::OpenKeyEx, 0, kErrorAccessDenied);
  if (failing >= 2) reg.Fail(testing::RegCall::QueryValueEx, failing - 2, testing::kErrorMoreData);
  const RegValue fallback = flags & 4 ? RegValue{std::u16string(u"fallback")} : RegValue{std::int16_t{0}};
  const RegValue result = GetRegValue(reg, kHkeyCurrentUser, u"Software\\Fuzz", u"Value", fallback);
  Check(reg.Balanced());

  const bool fits = type == kRegSz || ((type == kRegBinary || type == kRegDword) && stored.size() <= 4);
  if (failing || !fits) {
    Check(result == fallback);
  } else if (type == kRegSz) {
    // The data up to its first NUL; without one, less any trailing spaces.
    std::u16string expected(data + 5, data + size);
    const std::size_t nul = expected.find(u'\0');
    if (nul != std::u16string::npos) expected.resize(nul);
    while (nul == std::u16string::npos && !expected.empty() && expected.back() == u' ') expected.pop_back();
    Check(result == RegValue{expected});
  } else {
    std::uint32_t pattern = 0;
    for (std::size_t i = 0; i < stored.size(); ++i) pattern |= std::uint32_t{std::uint8_t(stored[i])} << (8 * i);
    Check(result == RegValue{static_cast<std::int32_t>(pattern)});
  }

  // The same bytes as text, one and two bytes a character.
  CheckText(std::u16string(data + 5, data + size));
  std::u16string wide;
  for (std::size_t i = 5; i + 1 < size; i += 2) wide += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  CheckText(wide);
  return 0;
}
