#pragma once
// The fixed entries of the two check lists: the 26 drive letters and the 7 drive types.
#include <cstdint>

#include "policy/check_list_model.h"

namespace quellan::policy {

struct DriveTypeRow {
  const char16_t* text;
  std::int32_t itemData;  // the bit of the type in the type mask; the position is the type code
};

// In the system's drive-type order (DRIVE_UNKNOWN 0 ... DRIVE_RAMDISK 6).
inline constexpr DriveTypeRow kDriveTypes[] = {
    {u"Unknown", 1},  {u"No Root Directory", 2}, {u"Removable", 4}, {u"Fixed", 8},
    {u"Network", 16}, {u"CD/DVD", 32},           {u"RAM Disk", 64},
};
inline constexpr int kDriveTypeCount = static_cast<int>(sizeof kDriveTypes / sizeof kDriveTypes[0]);
inline constexpr int kDriveLetterCount = 26;

// Appends "A" .. "Z" to lstDrvs and the drive-type rows, with their item data, to lstDrvTypes. Both
// lists are expected to be empty; entries are unticked.
void FillDriveLists(CheckListModel& lstDrvs, CheckListModel& lstDrvTypes);

}  // namespace quellan::policy
