// Start-up time of the program: from the start of the process to its first painted main window,
// divided by the same for a minimal Win32 window program built alongside. A window counts as
// painted when it is visible and nothing of it waits to be repainted.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring Beside(const wchar_t* relative) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1) + relative;
}

struct Found {
  DWORD process;
  const wchar_t* className;
  HWND hwnd;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (owner == f->process && lstrcmpW(name, f->className) == 0) {
    f->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND TopLevelWindowOf(DWORD process, const wchar_t* className) {
  Found found{process, className, nullptr};
  EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&found));
  return found.hwnd;
}

// Milliseconds from CreateProcess to the first painted window of the class; -1 on failure.
double StartUp(const std::wstring& exe, const wchar_t* className) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  double elapsed = -1;
  for (;;) {
    HWND hwnd = TopLevelWindowOf(process.dwProcessId, className);
    QueryPerformanceCounter(&now);
    const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
    if (hwnd && IsWindowVisible(hwnd) && !GetUpdateRect(hwnd, nullptr, FALSE)) {
      elapsed = ms;
      PostMessageW(hwnd, WM_CLOSE, 0, 0);
      break;
    }
    if (ms > 20000 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
    Sleep(1);
  }
  if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  const std::wstring quellan = Beside(L"..\\src\\app\\Quellan.exe");
  const std::wstring minimal = Beside(L"minimal_window.exe");
  constexpr int kRuns = 15;
  std::vector<double> program, yardstick;
  StartUp(minimal, L"QuellanMinimalWindow");  // warms the file cache and the Wine server
  StartUp(quellan, L"QuellanMain");
  for (int i = 0; i < kRuns; ++i) {
    const double a = StartUp(quellan, L"QuellanMain");
    const double b = StartUp(minimal, L"QuellanMinimalWindow");
    if (a < 0 || b <= 0) {
      std::fprintf(stderr, "a window did not appear\n");
      return 1;
    }
    program.push_back(a);
    yardstick.push_back(b);
  }
  const double p = Median(program), y = Median(yardstick);
  std::fprintf(stderr, "first painted window: Quellan %.1f ms, minimal window %.1f ms (medians of %d)\n", p, y, kRuns);
  std::printf("%s\t%.3f\t%s\n", "main window start-up / minimal window start-up", p / y, "<=1.3");
  return 0;
}
