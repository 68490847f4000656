#include "ui/main/links.h"

#include <shellapi.h>

#include <string>

#include "ui/main/maker_identity.h"

namespace quellan::mainwindow {

namespace {
// The show command handed to the shell with both links: 0 (SW_HIDE), as the program always did.
constexpr int kShowCommand = 0;
constexpr const char* kMessengerCommand = "ymsgr:sendIM?";
constexpr const char* kMessengerGreeting = "&m=Hello hello^^";
constexpr WORD kHandCursor = 32649;  // IDC_HAND
}  // namespace

void OpenHomePage(HWND owner) { ShellExecuteA(owner, "", identity::kHomePageUrl, "", "", kShowCommand); }

void OpenMessenger(HWND owner) {
  const std::string address = std::string(kMessengerCommand) + identity::kMessengerId + kMessengerGreeting;
  ShellExecuteA(owner, nullptr, address.c_str(), nullptr, nullptr, kShowCommand);
}

void sethand() {
  // Any handle but null is a cursor: system cursor handles may have the top bit set, so a signed
  // comparison with zero would turn some valid ones away. Without a hand cursor the pointer keeps
  // its shape.
  if (HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(kHandCursor))) SetCursor(hand);
}

}  // namespace quellan::mainwindow
