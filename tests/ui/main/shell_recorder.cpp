// Stands in for a browser or a messenger in the link tests: writes the arguments after the first
// (which names the record file), one a line, and the show command it was given. The record appears
// whole: it is written aside and then renamed.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
  const int argc = __argc;
  wchar_t** const argv = __wargv;  // the C runtime's, parsed from the command line
  if (argc < 2) return 2;
  STARTUPINFOW startup{};
  GetStartupInfoW(&startup);
  const std::wstring part = std::wstring(argv[1]) + L".part";
  FILE* file = _wfopen(part.c_str(), L"wb");
  if (!file) return 1;
  for (int i = 2; i < argc; ++i) fprintf(file, "%ls\n", argv[i]);
  fprintf(file, "show=%d\n", (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1);
  fclose(file);
  return MoveFileW(part.c_str(), argv[1]) ? 0 : 1;
}
