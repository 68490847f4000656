// Start-up time of the program: from the start of the process to its first painted main window,
// divided by the same for two programs built alongside: the same window tree made with plain calls
// (the floor for this window), and a minimal one-window program (a guard against regressions that
// the window tree would not explain). A window counts as painted when it is visible and nothing of
// it waits to be repainted. The programs take turns, so that a busy machine slows each alike.
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
  struct Program {
    std::wstring exe;
    const wchar_t* className;
    std::vector<double> ms;
  };
  Program programs[] = {{Beside(L"..\\src\\app\\Quellan.exe"), L"QuellanMain", {}},
                        {Beside(L"same_tree_window.exe"), L"QuellanMain", {}},
                        {Beside(L"minimal_window.exe"), L"QuellanMinimalWindow", {}}};
  constexpr int kRuns = 21;
  for (Program& p : programs) StartUp(p.exe, p.className);  // warms the file cache and the Wine server
  for (int i = 0; i < kRuns; ++i) {
    for (Program& p : programs) {
      const double ms = StartUp(p.exe, p.className);
      if (ms <= 0) {
        std::fprintf(stderr, "no window appeared for %ls\n", p.exe.c_str());
        return 1;
      }
      p.ms.push_back(ms);
    }
  }
  const double quellan = Median(programs[0].ms), sameTree = Median(programs[1].ms), minimal = Median(programs[2].ms);
  std::fprintf(
      stderr,
      "first painted window, medians of %d: Quellan %.1f ms, same-tree yardstick %.1f ms, minimal window %.1f ms\n",
      kRuns, quellan, sameTree, minimal);
  std::printf("%s\t%.3f\t%s\n", "main window start-up / same-tree yardstick", quellan / sameTree, "<=1.10");
  std::printf("%s\t%.3f\t%s\n", "main window start-up / minimal window", quellan / minimal, "<=1.8");
  return 0;
}
