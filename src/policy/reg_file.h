#pragma once
// The registration file of a save: the four values it would write, in the text form regedit
// exports and imports.
#include <array>
#include <cstdint>
#include <string>

namespace quellan::policy {

// "Windows Registry Editor Version 5.00", a blank line, then one "[HIVE\key path]" section per run
// of kSaveLocations in the same key, each value as "Name"=dword:xxxxxxxx (lower-case hex) and each
// section followed by a blank line; CRLF line ends, UTF-16LE with a byte-order mark. values are
// those SaveValues returns, in kSaveLocations order.
std::string RegFileBytes(const std::array<std::int32_t, 4>& values);

// The warning shown when the file cannot be written: the path, then the system's text on a line of
// its own.
std::u16string ExportFailedText(const std::u16string& path, const std::u16string& errorText);

}  // namespace quellan::policy
