#include "policy/reg_file.h"

#include <algorithm>
#include <vector>

#include "policy/autorun_policy.h"
#include "policy/registry.h"

namespace quellan::policy {
namespace {

std::u16string Hex8(std::int32_t value) {
  const auto pattern = static_cast<std::uint32_t>(value);
  std::u16string digits(8, u'0');
  for (int i = 0; i < 8; ++i) digits[7 - i] = u"0123456789abcdef"[pattern >> (4 * i) & 0xF];
  return digits;
}

}  // namespace

std::string RegFileBytes(const std::array<std::int32_t, 4>& values, const SwitchStates& switches) {
  struct Line {
    PolicyLocation at;
    std::u16string data;
  };
  std::vector<Line> lines;
  for (std::size_t i = 0; i < kSaveLocations.size(); ++i)
    lines.push_back({kSaveLocations[i], u"dword:" + Hex8(values[i])});
  for (std::size_t i = 0; i < kAutoplaySwitches.size(); ++i) {
    const std::optional<std::uint32_t> value = switches[i] ? 1u : kAutoplaySwitches[i].offValue;
    lines.push_back(
        {kAutoplaySwitches[i].location, value ? u"dword:" + Hex8(static_cast<std::int32_t>(*value)) : u"-"});
  }
  // One section per key, in the order the keys first come, holding every value of that key.
  const auto sameKey = [](const PolicyLocation& a, const PolicyLocation& b) {
    return a.root == b.root && a.keyPath == b.keyPath;
  };
  std::u16string text = u"Windows Registry Editor Version 5.00\r\n";
  for (auto first = lines.begin(); first != lines.end(); ++first) {
    if (std::any_of(lines.begin(), first, [&](const Line& earlier) { return sameKey(earlier.at, first->at); }))
      continue;
    text += u"\r\n[" + HiveName(first->at.root) + u"\\";
    text += first->at.keyPath;
    text += u"]\r\n";
    for (auto line = first; line != lines.end(); ++line) {
      if (!sameKey(line->at, first->at)) continue;
      text += u"\"";
      text += line->at.valueName;
      text += u"\"=" + line->data + u"\r\n";
    }
  }
  text += u"\r\n";
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::u16string ExportFailedText(const std::u16string& path, const std::u16string& errorText) {
  return u"Could not export to " + path + u":\r\n" + errorText;
}

}  // namespace quellan::policy
