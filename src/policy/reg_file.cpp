#include "policy/reg_file.h"

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

std::string RegFileBytes(const std::array<std::int32_t, 4>& values) {
  std::u16string text = u"Windows Registry Editor Version 5.00\r\n";
  for (std::size_t i = 0; i < kSaveLocations.size(); ++i) {
    const PolicyLocation& at = kSaveLocations[i];
    if (i == 0 || at.root != kSaveLocations[i - 1].root || at.keyPath != kSaveLocations[i - 1].keyPath) {
      text += u"\r\n[" + HiveName(at.root) + u"\\";
      text += at.keyPath;
      text += u"]\r\n";
    }
    text += u"\"";
    text += at.valueName;
    text += u"\"=dword:" + Hex8(values[i]) + u"\r\n";
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
