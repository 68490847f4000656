// A DLL that leaves a mark when a process loads it: an empty file "<its own name>.loaded" in the
// folder that QUELLAN_MARK_DIR names. Copies of it, named as system DLLs, are planted beside a
// program to show that the program never loads them.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t folder[MAX_PATH], self[MAX_PATH], mark[2 * MAX_PATH];
  if (!GetEnvironmentVariableW(L"QUELLAN_MARK_DIR", folder, MAX_PATH) || !GetModuleFileNameW(module, self, MAX_PATH))
    return TRUE;
  wsprintfW(mark, L"%s\\%s.loaded", folder, wcsrchr(self, L'\\') + 1);  // a module's path is a full path
  CloseHandle(CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  return TRUE;
}
