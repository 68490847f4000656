#pragma once
// The conversion done the slow, literal way, as the yardstick for VniToUnicode: a working copy is
// rewritten in place, each pass scans positions 2 to N (counted from 1) with N fixed at the start
// of the pass although the copy shrinks, and a position past the current end holds no character.
#include <cstddef>
#include <string>

#include "text/vni.h"

namespace quellan::modVie::testing {

inline char16_t ReferenceLookup(char16_t letter, char16_t digit) {
  for (const VniPair& pair : kVniTable) {
    if (pair.letter == letter && pair.digit == digit) return pair.result;
  }
  return 0;
}

inline std::u16string SplicedVniToUnicode(const std::u16string& text) {
  std::u16string work = text;
  for (int pass = 1; pass <= 2; ++pass) {
    const std::size_t n = work.size();
    for (std::size_t i = 2; i <= n; ++i) {
      if (i > work.size()) continue;  // the digit's position is past the end: nothing to match
      const char16_t made = ReferenceLookup(work[i - 2], work[i - 1]);
      if (made != 0) work = work.substr(0, i - 2) + made + work.substr(i);
    }
  }
  return work;
}

}  // namespace quellan::modVie::testing
