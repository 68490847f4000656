// The registration file of a save, byte for byte.
#include "policy/reg_file.h"

#include <gtest/gtest.h>

namespace quellan::policy {
// Lower-case hex, all 32 bits of a negative value, one section per key in save order, each followed
// by a blank line; CRLF; UTF-16LE after a byte-order mark.
TEST(RegFileBytes, IsTheFileRegeditWritesForTheFourLocations) {
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\CDRom]\r\n\"AutoRun\"=dword:00000001\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
      "\"NoDriveAutoRun\"=dword:0200abcd\r\n\"NoDriveTypeAutoRun\"=dword:ffffff91\r\n\r\n"
      "[HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
      "\"NoDriveTypeAutoRun\"=dword:0000007f\r\n\r\n";
  std::string expected = "\xFF\xFE";
  for (const char c : text) expected += {c, '\0'};
  EXPECT_EQ(RegFileBytes({1, 0x0200ABCD, -111, 0x7F}), expected);
}

}  // namespace quellan::policy
