#pragma once
// The registration file of a save: the four values it would write and the AutoPlay switches as
// stored, in the text form regedit exports and imports.
#include <array>
#include <cstdint>
#include <string>

#include "policy/autoplay_switches.h"

namespace quellan::policy {

// "Windows Registry Editor Version 5.00", a blank line, then one "[HIVE\key path]" section per key
// of kSaveLocations and then kAutoplaySwitches, in the order the keys first come, each followed by a
// blank line. A section holds every value of its key in that order, each as "Name"=dword:xxxxxxxx
// (lower-case hex), or "Name"=- for a switch that is off by having no value; CRLF line ends,
// UTF-16LE with a byte-order mark. values are those SaveValues returns, in kSaveLocations order;
// switches as ReadAutoplaySwitches returns them.
std::string RegFileBytes(const std::array<std::int32_t, 4>& values, const SwitchStates& switches);

// The warning shown when the file cannot be written: the path, then the system's text on a line of
// its own.
std::u16string ExportFailedText(const std::u16string& path, const std::u16string& errorText);

}  // namespace quellan::policy
