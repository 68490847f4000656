#pragma once
// The window's "Export as .reg file..." command.
#include <windows.h>

#include "policy/autorun_policy.h"
#include "policy/registry_api.h"

namespace quellan::mainwindow {

// Asks for a file name with the common Save dialog ("Quellan AutoRun.reg" proposed) and writes the
// registration file of what a save of ticks would write there, with the AutoPlay switches as
// stored. A file that could not be written is reported in a warning box with the system's text; a
// cancelled dialog writes nothing.
void ExportRegFile(HWND owner, policy::RegistryApi& registry, const policy::AutorunTicks& ticks);

}  // namespace quellan::mainwindow
