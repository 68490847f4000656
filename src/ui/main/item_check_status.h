#pragma once
// The one-line status sentence composed when an entry's tick changes in one of the two check
// lists: "AutoRun for Drive C is Disabled", "AutoRun for CD/DVD Drives is Enabled".
#include <string>

namespace quellan::mainwindow {

std::u16string DriveStatus(const std::u16string& entry, bool ticked);
std::u16string DriveTypeStatus(const std::u16string& entry, bool ticked);

}  // namespace quellan::mainwindow
