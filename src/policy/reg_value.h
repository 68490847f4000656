#pragma once
// The value a registry read hands back: a 32-bit integer, a string, or the caller's default passed
// through unchanged. The program's default is a 16-bit 0, which stays distinguishable from a stored
// 32-bit 0.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace quellan::policy {

using RegValue = std::variant<std::int16_t, std::int32_t, std::u16string>;

// The default every read of this program passes: a 16-bit 0.
inline const RegValue kZeroDefault{std::int16_t{0}};

// The general value-to-integer conversion. Integers convert unchanged. A string converts by its
// numeric reading, which accepts:
//   - optional blanks (spaces, tabs) before and after the number;
//   - decimal digits with an optional leading "+" or "-", in the range of a signed 32-bit integer;
//   - hexadecimal digits after "0x", "0X", "&H" or "&h" (at most 8 significant digits), read as the
//     32-bit pattern, so "&HFFFFFFFF" is -1.
// Anything else (empty text, fractions, exponents, other characters, a number beyond 32 bits) has
// no numeric reading: the result is empty.
std::optional<std::int32_t> ToInt32(const RegValue& value);

}  // namespace quellan::policy
