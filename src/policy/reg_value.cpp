#include "policy/reg_value.h"

namespace quellan::policy {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

std::optional<std::int32_t> ParseHex(const std::u16string& text, std::size_t pos, std::size_t end) {
  if (pos == end) return std::nullopt;
  std::uint32_t pattern = 0;
  int significant = 0;
  for (; pos < end; ++pos) {
    const int digit = HexDigit(text[pos]);
    if (digit < 0) return std::nullopt;
    if (pattern != 0 || digit != 0) ++significant;
    if (significant > 8) return std::nullopt;
    pattern = (pattern << 4) | static_cast<std::uint32_t>(digit);
  }
  return static_cast<std::int32_t>(pattern);
}

std::optional<std::int32_t> ParseDecimal(const std::u16string& text, std::size_t pos, std::size_t end) {
  bool negative = false;
  if (pos < end && (text[pos] == u'+' || text[pos] == u'-')) negative = text[pos++] == u'-';
  if (pos == end) return std::nullopt;
  // Accumulated as a magnitude in 64 bits and stopped as soon as it leaves the 32-bit range, so
  // any number of digits is safe.
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t magnitude = 0;
  for (; pos < end; ++pos) {
    const char16_t c = text[pos];
    if (c < u'0' || c > u'9') return std::nullopt;
    magnitude = magnitude * 10 + (c - u'0');
    if (magnitude > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::optional<std::int32_t> NumericReading(const std::u16string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  if (end - begin >= 2) {
    const char16_t first = text[begin];
    const char16_t second = text[begin + 1];
    if ((first == u'0' && (second == u'x' || second == u'X')) || (first == u'&' && (second == u'H' || second == u'h')))
      return ParseHex(text, begin + 2, end);
  }
  return ParseDecimal(text, begin, end);
}

}  // namespace

std::optional<std::int32_t> ToInt32(const RegValue& value) {
  if (const auto* small = std::get_if<std::int16_t>(&value)) return *small;
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  return NumericReading(std::get<std::u16string>(value));
}

}  // namespace quellan::policy
