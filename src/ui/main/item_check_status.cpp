#include "ui/main/item_check_status.h"

namespace quellan::mainwindow {

namespace {
const char16_t* State(bool ticked) { return ticked ? u"Disabled" : u"Enabled"; }
}  // namespace

std::u16string DriveStatus(const std::u16string& entry, bool ticked) {
  return u"AutoRun for Drive " + entry + u" is " + State(ticked);
}

std::u16string DriveTypeStatus(const std::u16string& entry, bool ticked) {
  return u"AutoRun for " + entry + u" Drives is " + State(ticked);
}

}  // namespace quellan::mainwindow
