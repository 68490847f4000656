#pragma once
// The application object: the program's title and version, read from its version resource.
#include <string>

namespace quellan::forms {

struct ApplicationInfo {
  std::u16string title;  // "Quellan"
  int major = 0;
  int minor = 0;
};

// Title and version of the running executable (ProductName and the file version's major and minor).
ApplicationInfo Application();

}  // namespace quellan::forms
