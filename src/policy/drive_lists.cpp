#include "policy/drive_lists.h"

namespace quellan::policy {

void FillDriveLists(CheckListModel& lstDrvs, CheckListModel& lstDrvTypes) {
  for (char16_t code = u'A'; code <= u'Z'; ++code) lstDrvs.AddItem(std::u16string(1, code));
  for (const DriveTypeRow& row : kDriveTypes) {
    lstDrvTypes.AddItem(row.text);
    lstDrvTypes.SetItemData(lstDrvTypes.NewIndex(), row.itemData);
  }
}

}  // namespace quellan::policy
