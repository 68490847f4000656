// VniToUnicode against the literal in-place conversion, on texts made mostly of the letters and
// digits that form pairs: the two must agree, and the result is never longer than the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/vni.h"

namespace {

// The conversion done the slow, literal way: a working copy is rewritten in place, each pass scans
// positions 2 to N (counted from 1) with N fixed at the start of the pass although the copy
// shrinks, and a position past the current end holds no character.
std::u16string SplicedVniToUnicode(const std::u16string& text) {
  std::u16string work = text;
  for (int pass = 1; pass <= 2; ++pass) {
    const std::size_t n = work.size();
    for (std::size_t i = 2; i <= n && i <= work.size(); ++i)
      if (const char16_t made = quellan::modVie::VniLookup(work[i - 2], work[i - 1]))
        work = work.substr(0, i - 2) + made + work.substr(i);
  }
  return work;
}

// Letters that take markers, shaped vowels, digits, a space, and a letter that takes nothing.
constexpr char16_t kAlphabet[] = {u'a', u'A', u'e',   u'E',   u'i',   u'o',   u'O',   u'u',   u'U',   u'y',  u'd',
                                  u'D', u'x', u' ',   u'0',   u'1',   u'2',   u'3',   u'4',   u'5',   u'6',  u'7',
                                  u'8', u'9', 0x00E2, 0x00C2, 0x0103, 0x00EA, 0x00F4, 0x01A1, 0x01B0, 0x01AF};
constexpr std::size_t kAlphabetSize = sizeof kAlphabet / sizeof kAlphabet[0];
// The reference rebuilds the text at every pair; keep it quick.
constexpr std::size_t kMaxLength = 4096;

// A byte below 0xF0 picks from the alphabet; 0xF0 and above takes the next two bytes as any
// UTF-16 code unit, so surrogates and other scripts pass through too.
std::u16string Decode(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  for (std::size_t i = 0; i < size && text.size() < kMaxLength; ++i) {
    if (data[i] < 0xF0 || i + 2 >= size) {
      text += kAlphabet[data[i] % kAlphabetSize];
    } else {
      text += static_cast<char16_t>(data[i + 1] | data[i + 2] << 8);
      i += 2;
    }
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = Decode(data, size);
  const std::u16string converted = quellan::modVie::VniToUnicode(text);
  if (converted.size() > text.size()) std::abort();
  if (converted != SplicedVniToUnicode(text)) std::abort();
  return 0;
}
