#include "ui/forms/screen.h"

#include <windows.h>

#include "ui/forms/handles.h"

namespace quellan::forms {

ScreenMetrics Screen() {
  WindowDc screen(nullptr);
  return ScreenFromPixels(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                          GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY));
}

}  // namespace quellan::forms
