// VniToUnicode against the literal in-place conversion, on texts made mostly of the letters and
// digits that form pairs: the two must agree.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "text/vni.h"

// The slow, literal way: two passes over a working copy rewritten in place, each scanning positions
// 2 to N (from 1) with N fixed at the start of the pass although the copy shrinks.
static std::u16string Spliced(std::u16string work) {
  for (int pass = 1; pass <= 2; ++pass)
    for (std::size_t i = 2, n = work.size(); i <= n && i <= work.size(); ++i)
      if (const char16_t made = quellan::modVie::VniLookup(work[i - 2], work[i - 1]))
        work = work.substr(0, i - 2) + made + work.substr(i);
  return work;
}

// Letters that take markers, shaped vowels, digits, a space, and a letter that takes nothing.
constexpr std::u16string_view kAlphabet = u"aAeEioOuUydDx 0123456789\u00E2\u00C2\u0103\u00EA\u00F4\u01A1\u01B0\u01AF";

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A byte below 0xF0 picks from the alphabet; 0xF0 and above takes the next two bytes as any UTF-16
  // code unit. At most 4096 characters keep the reference quick.
  std::u16string text;
  for (std::size_t i = 0; i < size && text.size() < 4096; ++i) {
    const bool anyUnit = data[i] >= 0xF0 && i + 2 < size;
    text += anyUnit ? static_cast<char16_t>(data[i + 1] | data[i + 2] << 8) : kAlphabet[data[i] % kAlphabet.size()];
    i += anyUnit ? 2 : 0;
  }
  if (quellan::modVie::VniToUnicode(text) != Spliced(text)) std::abort();
  return 0;
}
