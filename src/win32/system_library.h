#pragma once
// Where the program's DLLs come from. An administrator may start it from a folder anyone could drop
// a DLL into (Downloads), so every DLL it loads itself comes from the system folder, never from the
// program's own folder or the current directory.
#include <windows.h>

namespace quellan::win32 {

// Restricts the search for every later load by name, the system's own included, to the system
// folder. The first thing the program does. Without the entry point (Windows 7 without its update)
// only the program's own loads are protected, by LoadSystemLibrary.
void RestrictDllSearch();

// The named DLL from the system folder (or, for comctl32, the version the program's manifest asks
// for); null when it cannot be loaded. Never freed: it is kept for the life of the process.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The common control classes (tool tips) from the system's comctl32, which the program loads at run
// time rather than importing, so that no copy beside the program is picked up before it starts.
void InitCommonControlClasses(DWORD classes);

}  // namespace quellan::win32
