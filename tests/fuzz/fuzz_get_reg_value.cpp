// GetRegValue over the in-memory registry with any stored type and data, any step failing, and
// TrimAtNull / ToInt32 on any text. Aborts when a result departs from what the type and data call
// for, or when a key is left open or closed twice.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "policy/memory_registry.h"
#include "policy/reg_value.h"
#include "policy/registry.h"

using namespace quellan::policy;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckText(const std::u16string& text) {
  const std::u16string trimmed = TrimAtNull(text);
  Check(trimmed.size() <= text.size() && text.compare(0, trimmed.size(), trimmed) == 0);
  Check(trimmed.find(u'\0') == std::u16string::npos);
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
  const std::vector<std::uint8_t> stored(data + 5, data + size);

  MemoryRegistry reg;
  reg.Seed(kHkeyCurrentUser, "Software\\Fuzz", "Value", type, stored);
  // Low three bits: which call fails, if any (the second query is skipped over the first).
  const int failing = flags & 7;
  if (failing == 1) reg.InjectFailure({RegCall::OpenKeyEx, kErrorAccessDenied});
  if (failing == 2) reg.InjectFailure({RegCall::QueryValueEx, kErrorFileNotFound});
  if (failing == 3) reg.InjectFailure({RegCall::QueryValueEx, kErrorMoreData, {}, {}, {}, 1, 1});
  const RegValue fallback = flags & 8 ? RegValue{std::u16string(u"fallback")} : RegValue{std::int16_t{0}};

  const RegValue result = GetRegValue(reg, kHkeyCurrentUser, u"Software\\Fuzz", u"Value", fallback);
  Check(reg.OpenKeys() == 0 && reg.BadCloses() == 0);

  const bool twoQueries = type == kRegSz || ((type == kRegBinary || type == kRegDword) && stored.size() <= 4);
  if (failing == 1 || failing == 2 || (failing == 3 && twoQueries)) {
    Check(result == fallback);
  } else if (type == kRegSz) {
    // The data up to its first NUL; without one, less any trailing spaces.
    std::u16string expected(stored.begin(), stored.end());
    const std::size_t nul = expected.find(u'\0');
    if (nul != std::u16string::npos) {
      expected.resize(nul);
    } else {
      while (!expected.empty() && expected.back() == u' ') expected.pop_back();
    }
    Check(result == RegValue{expected});
  } else if ((type == kRegBinary || type == kRegDword) && stored.size() <= 4) {
    std::uint32_t pattern = 0;
    for (std::size_t i = 0; i < stored.size(); ++i) pattern |= std::uint32_t{stored[i]} << (8 * i);
    Check(result == RegValue{static_cast<std::int32_t>(pattern)});
  } else {
    Check(result == fallback);
  }

  // The same bytes as text, one and two bytes a character.
  CheckText(std::u16string(stored.begin(), stored.end()));
  std::u16string wide;
  for (std::size_t i = 0; i + 1 < stored.size(); i += 2)
    wide += static_cast<char16_t>(stored[i] | (stored[i + 1] << 8));
  CheckText(wide);
  return 0;
}
