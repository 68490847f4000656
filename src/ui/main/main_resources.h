#pragma once
// Resource numbers shared by the executable's resource script and the main window.
#define IDI_QUELLAN 1
