#include "text/vni.h"

namespace quellan::modVie {
namespace {

struct VniPair {
  char16_t letter;
  char16_t digit;  // the marker typed after the letter
  char16_t result;
};

// Tone digits: 1 acute, 2 grave, 3 hook above, 4 tilde, 5 dot below. Shape digits: 6 circumflex,
// 7 horn, 8 breve; 9 strokes d and D. Letters match by exact code unit, so case matters.
// clang-format off
constexpr VniPair kVniTable[] = {
    // a A; â Â (typed a6 A6); ă Ă (typed a8 A8)
    {u'a',   '1', 0x00E1}, {u'a',   '2', 0x00E0}, {u'a',   '3', 0x1EA3}, {u'a',   '4', 0x00E3}, {u'a',   '5', 0x1EA1},
    {u'A',   '1', 0x00C1}, {u'A',   '2', 0x00C0}, {u'A',   '3', 0x1EA2}, {u'A',   '4', 0x00C3}, {u'A',   '5', 0x1EA0},
    {0x00E2, '1', 0x1EA5}, {0x00E2, '2', 0x1EA7}, {0x00E2, '3', 0x1EA9}, {0x00E2, '4', 0x1EAB}, {0x00E2, '5', 0x1EAD},
    {0x00C2, '1', 0x1EA4}, {0x00C2, '2', 0x1EA6}, {0x00C2, '3', 0x1EA8}, {0x00C2, '4', 0x1EAA}, {0x00C2, '5', 0x1EAC},
    {0x0103, '1', 0x1EAF}, {0x0103, '2', 0x1EB1}, {0x0103, '3', 0x1EB3}, {0x0103, '4', 0x1EB5}, {0x0103, '5', 0x1EB7},
    {0x0102, '1', 0x1EAE}, {0x0102, '2', 0x1EB0}, {0x0102, '3', 0x1EB2}, {0x0102, '4', 0x1EB4}, {0x0102, '5', 0x1EB6},
    // e E; ê Ê (typed e6 E6)
    {u'e',   '1', 0x00E9}, {u'e',   '2', 0x00E8}, {u'e',   '3', 0x1EBB}, {u'e',   '4', 0x1EBD}, {u'e',   '5', 0x1EB9},
    {u'E',   '1', 0x00C9}, {u'E',   '2', 0x00C8}, {u'E',   '3', 0x1EBA}, {u'E',   '4', 0x1EBC}, {u'E',   '5', 0x1EB8},
    {0x00EA, '1', 0x1EBF}, {0x00EA, '2', 0x1EC1}, {0x00EA, '3', 0x1EC3}, {0x00EA, '4', 0x1EC5}, {0x00EA, '5', 0x1EC7},
    {0x00CA, '1', 0x1EBE}, {0x00CA, '2', 0x1EC0}, {0x00CA, '3', 0x1EC2}, {0x00CA, '4', 0x1EC4}, {0x00CA, '5', 0x1EC6},
    // i I
    {u'i',   '1', 0x00ED}, {u'i',   '2', 0x00EC}, {u'i',   '3', 0x1EC9}, {u'i',   '4', 0x0129}, {u'i',   '5', 0x1ECB},
    {u'I',   '1', 0x00CD}, {u'I',   '2', 0x00CC}, {u'I',   '3', 0x1EC8}, {u'I',   '4', 0x0128}, {u'I',   '5', 0x1ECA},
    // o O; ô Ô (typed o6 O6); ơ Ơ (typed o7 O7)
    {u'o',   '1', 0x00F3}, {u'o',   '2', 0x00F2}, {u'o',   '3', 0x1ECF}, {u'o',   '4', 0x00F5}, {u'o',   '5', 0x1ECD},
    {u'O',   '1', 0x00D3}, {u'O',   '2', 0x00D2}, {u'O',   '3', 0x1ECE}, {u'O',   '4', 0x00D5}, {u'O',   '5', 0x1ECC},
    {0x00F4, '1', 0x1ED1}, {0x00F4, '2', 0x1ED3}, {0x00F4, '3', 0x1ED5}, {0x00F4, '4', 0x1ED7}, {0x00F4, '5', 0x1ED9},
    {0x00D4, '1', 0x1ED0}, {0x00D4, '2', 0x1ED2}, {0x00D4, '3', 0x1ED4}, {0x00D4, '4', 0x1ED6}, {0x00D4, '5', 0x1ED8},
    {0x01A1, '1', 0x1EDB}, {0x01A1, '2', 0x1EDD}, {0x01A1, '3', 0x1EDF}, {0x01A1, '4', 0x1EE1}, {0x01A1, '5', 0x1EE3},
    {0x01A0, '1', 0x1EDA}, {0x01A0, '2', 0x1EDC}, {0x01A0, '3', 0x1EDE}, {0x01A0, '4', 0x1EE0}, {0x01A0, '5', 0x1EE2},
    // u U; ư Ư (typed u7 U7)
    {u'u',   '1', 0x00FA}, {u'u',   '2', 0x00F9}, {u'u',   '3', 0x1EE7}, {u'u',   '4', 0x0169}, {u'u',   '5', 0x1EE5},
    {u'U',   '1', 0x00DA}, {u'U',   '2', 0x00D9}, {u'U',   '3', 0x1EE6}, {u'U',   '4', 0x0168}, {u'U',   '5', 0x1EE4},
    {0x01B0, '1', 0x1EE9}, {0x01B0, '2', 0x1EEB}, {0x01B0, '3', 0x1EED}, {0x01B0, '4', 0x1EEF}, {0x01B0, '5', 0x1EF1},
    {0x01AF, '1', 0x1EE8}, {0x01AF, '2', 0x1EEA}, {0x01AF, '3', 0x1EEC}, {0x01AF, '4', 0x1EEE}, {0x01AF, '5', 0x1EF0},
    // y Y
    {u'y',   '1', 0x00FD}, {u'y',   '2', 0x1EF3}, {u'y',   '3', 0x1EF7}, {u'y',   '4', 0x1EF9}, {u'y',   '5', 0x1EF5},
    {u'Y',   '1', 0x00DD}, {u'Y',   '2', 0x1EF2}, {u'Y',   '3', 0x1EF6}, {u'Y',   '4', 0x1EF8}, {u'Y',   '5', 0x1EF4},
    // Shapes and the stroke.
    {u'a', '6', 0x00E2}, {u'A', '6', 0x00C2}, {u'e', '6', 0x00EA}, {u'E', '6', 0x00CA}, {u'o', '6', 0x00F4},
    {u'O', '6', 0x00D4}, {u'o', '7', 0x01A1}, {u'O', '7', 0x01A0}, {u'u', '7', 0x01B0}, {u'U', '7', 0x01AF},
    {u'a', '8', 0x0103}, {u'A', '8', 0x0102}, {u'd', '9', 0x0111}, {u'D', '9', 0x0110},
};
// clang-format on

// One left-to-right pass. A recognised pair is replaced by its character and the scan resumes
// after the digit, so the character just made is never paired with what follows it in this pass.
// Appending to a fresh buffer gives the same text as shortening the working copy in place at each
// pair, without moving the rest of the text every time.
std::u16string ConvertPass(const std::u16string& text) {
  std::u16string out;
  out.reserve(text.size());
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    const char16_t made = i + 1 < size ? VniLookup(text[i], text[i + 1]) : 0;
    if (made != 0) {
      out.push_back(made);
      i += 2;
    } else {
      out.push_back(text[i]);
      ++i;
    }
  }
  return out;
}

}  // namespace

char16_t VniLookup(char16_t letter, char16_t digit) {
  if (digit < u'1' || digit > u'9') return 0;
  for (const VniPair& pair : kVniTable) {
    if (pair.letter == letter && pair.digit == digit) return pair.result;
  }
  return 0;
}

// Two passes: the first makes the shaped vowels (and any tone on a plain letter), the second puts
// a tone on a vowel shaped in the first, which is how "e65" becomes one letter.
std::u16string VniToUnicode(const std::u16string& text) { return ConvertPass(ConvertPass(text)); }

}  // namespace quellan::modVie
