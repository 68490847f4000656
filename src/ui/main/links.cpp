#include "ui/main/links.h"

#include <string>

#include "ui/main/maker_identity.h"
#include "win32/handles.h"

namespace quellan::mainwindow {

namespace {
// The show command handed to the shell with both links: 0 (SW_HIDE), as the program always did.
constexpr int kShowCommand = 0;
constexpr const char* kMessengerCommand = "ymsgr:sendIM?";
constexpr const char* kMessengerGreeting = "&m=Hello hello^^";
constexpr WORD kHandCursor = 32649;  // IDC_HAND

// shell32 is loaded at the first link click rather than at start-up: it is large, and most runs
// never open a link. The result is not looked at, as with a direct call.
void CallShellExecuteA(HWND owner, const char* operation, const char* file, const char* parameters,
                       const char* directory, int show) {
  using ShellExecuteAFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  static const auto shellExecute = win32::EntryPoint<ShellExecuteAFn>(LoadLibraryW(L"shell32.dll"), "ShellExecuteA");
  if (shellExecute) shellExecute(owner, operation, file, parameters, directory, show);
}
}  // namespace

void OpenHomePage(HWND owner) { CallShellExecuteA(owner, "", identity::kHomePageUrl, "", "", kShowCommand); }

void OpenMessenger(HWND owner) {
  const std::string address = std::string(kMessengerCommand) + identity::kMessengerId + kMessengerGreeting;
  CallShellExecuteA(owner, nullptr, address.c_str(), nullptr, nullptr, kShowCommand);
}

void sethand() {
  // Any handle but null is a cursor: system cursor handles may have the top bit set, so a signed
  // comparison with zero would turn some valid ones away. Without a hand cursor the pointer keeps
  // its shape.
  if (HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(kHandCursor))) SetCursor(hand);
}

}  // namespace quellan::mainwindow
