#pragma once
// Entry points looked up at run time, for DLLs the program must start without (uxtheme) or need
// not load before they are used (shell32).
#include <windows.h>

namespace quellan::forms {

// GetProcAddress's result as the entry point's own type (through a plain function pointer type,
// the conversion the compiler accepts without a cast-function-type warning); null when the
// module or the entry point is missing.
template <class Function>
Function EntryPoint(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace quellan::forms
