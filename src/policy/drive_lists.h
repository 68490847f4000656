#pragma once
// The fixed entries of the two check lists: the 26 drive letters and the 7 drive types.
#include <cstdint>
#include <string>

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

// The letter-mask bit of a drive-letter entry: its first character's distance from "A". An entry
// that does not start with "A" .. "Z" has none.
inline std::uint32_t LetterBit(const std::u16string& entryText) {
  const int number = entryText.empty() ? -1 : static_cast<int>(entryText[0]) - static_cast<int>(u'A');
  return number >= 0 && number < kDriveLetterCount ? std::uint32_t{1} << number : 0;
}

// Appends "A" .. "Z" to lstDrvs and the drive-type rows, with their item data, to lstDrvTypes. Both
// lists are expected to be empty. List offers AddItem(text), NewIndex() and SetItemData(index, data).
template <class List>
void FillDriveLists(List& lstDrvs, List& lstDrvTypes) {
  for (char16_t code = u'A'; code <= u'Z'; ++code) lstDrvs.AddItem(std::u16string(1, code));
  for (const DriveTypeRow& row : kDriveTypes) {
    lstDrvTypes.AddItem(row.text);
    lstDrvTypes.SetItemData(lstDrvTypes.NewIndex(), row.itemData);
  }
}

}  // namespace quellan::policy
