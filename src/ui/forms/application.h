#pragma once
// The application object: the program's title and version, read from its version resource.
#include <windows.h>

#include <string>

namespace quellan::forms {

struct ApplicationInfo {
  std::u16string title;  // "Quellan"
  int major = 0;
  int minor = 0;
};

// The product's own name and version, used when a module carries no version resource (a test
// program, for instance).
ApplicationInfo BuiltInApplicationInfo();

// Title and version of the running executable (ProductName and the file version's major and minor).
ApplicationInfo Application();

// The same, read from the version resource of the module file at `path`. Whatever the file does
// not provide (no resource, no ProductName, an empty one) comes from BuiltInApplicationInfo().
ApplicationInfo ApplicationInfoOf(const wchar_t* path);

}  // namespace quellan::forms
