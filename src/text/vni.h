#pragma once
// VNI-typed text to Unicode: the program keeps its Vietnamese texts as ASCII in which a letter
// followed by a digit 1-9 stands for the accented letter ("Tho6ng ba1o!" is "Thông báo!").
#include <string>

namespace quellan::modVie {

// The precomposed letter for (letter, digit), or 0 when the pair is not one of the 134 of the
// conversion: 24 tone bases x 5 tone digits, then the shape and stroke digits 6-9.
char16_t VniLookup(char16_t letter, char16_t digit);

// Converts VNI-typed text in two left-to-right passes. In each pass a recognised (letter, digit)
// pair becomes one character, and the character just produced is not paired again in that pass,
// so "e65" takes its shape in the first pass and its tone in the second, while "e56" stays "ẹ6".
// Everything else is copied unchanged. Texts of any length are converted, in linear time.
std::u16string VniToUnicode(const std::u16string& text);

}  // namespace quellan::modVie
