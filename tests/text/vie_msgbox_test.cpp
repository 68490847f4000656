// The localised message box shown for real, watched by the test's own CBT hook and a thread timer.
#include "text/vie_msgbox.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "../support/harness.h"
#include "text/vni.h"
#include "ui/main/about_text.h"
#include "ui/main/maker_identity.h"

namespace quellan::modVie {
namespace {

using Dressing = std::map<int, std::u16string>;  // control id: its text
const char16_t kDong[] = u"\u0110\u00F3ng", kThoat[] = u"Tho\u00E1t", kThuLai[] = u"Th\u1EED l\u1EA1i";

struct Seen {
  int press = IDOK;      // the button the timer clicks
  bool intrude = false;  // show a look-alike while the box is being made
  HWND activated = nullptr, box = nullptr, owner = nullptr;
  std::u16string title{};
  std::vector<testing::Child> shown{}, intruderShown{};
  win32::UniqueWindow intruder{};
} g;

// The controls that wore the box's font (Tahoma, 13 units, weight 500), marked where it still exists.
Dressing Dressed(const std::vector<testing::Child>& children) {
  Dressing dressed;
  for (const testing::Child& child : children)
    if (child.font == u"Tahoma 13 0 500 0 0 0 0")
      dressed[child.id] = child.text + (GetObjectType(child.hfont) ? u" (font not deleted)" : u"");
  return dressed;
}

// Laid out for its text in the font it wears: the text control holds every line and the buttons lie
// below it, inside the box. Every letter of text and title has a glyph, from Tahoma or from the font
// Tahoma links to: drawn, it differs from a character no font has.
void CheckLayout(HWND box) {
  const HWND text = GetDlgItem(box, 0xFFFF);
  const win32::WindowDc dc(text);
  const win32::SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
  RECT client{}, given{};
  GetClientRect(box, &client);
  MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
  GetWindowRect(text, &given);
  RECT needed{0, 0, given.right - given.left, 0};
  const std::u16string shown = testing::WindowText(text), letters = shown + testing::WindowText(box);
  DrawTextW(dc.get(), win32::Wide(shown), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  EXPECT_TRUE(needed.right <= given.right - given.left && needed.bottom <= given.bottom - given.top);
  for (HWND button = nullptr; (button = FindWindowExW(box, button, L"Button", nullptr));) {
    RECT r{};
    GetWindowRect(button, &r);
    EXPECT_TRUE(r.top >= given.bottom && r.left >= client.left && r.right <= client.right && r.bottom <= client.bottom);
  }
  const auto drawn = [&dc](char16_t letter) {
    const RECT cell{0, 0, 32, 32};
    ExtTextOutW(dc.get(), 0, 0, ETO_OPAQUE, &cell, reinterpret_cast<const wchar_t*>(&letter), 1, nullptr);
    return testing::Capture(dc.get(), cell);
  };
  const testing::Picture missing = drawn(u'\uFFFF');
  for (const char16_t letter : std::set<char16_t>(letters.begin(), letters.end()))
    EXPECT_TRUE(letter < 0x80 || !(drawn(letter) == missing)) << std::hex << int{letter};
}

// A window shaped like a message box without an icon: OK, Cancel and a single Static.
win32::UniqueWindow MakeLookalike() {
  win32::UniqueWindow window(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 200, 40, 0, 0, 0, 0));
  for (const auto& [className, text, id] :
       {std::tuple{L"Button", L"OK", IDOK}, {L"Button", L"Cancel", IDCANCEL}, {L"Static", L"text", 99}})
    CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE, id, 0, 60, 20, window.get(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  return window;
}

LRESULT CALLBACK TestHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && std::exchange(g.intrude, false))
    ShowWindow((g.intruder = MakeLookalike()).get(), SW_SHOWNORMAL);
  if (code == HCBT_ACTIVATE && !g.activated) g.activated = reinterpret_cast<HWND>(wParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (!(g.box = testing::FindThreadWindow(L"#32770"))) return;
  g.owner = GetWindow(g.box, GW_OWNER), g.title = testing::WindowText(g.box), g.shown = testing::Children(g.box);
  if (g.intruder) g.intruderShown = testing::Children(g.intruder.get());
  CheckLayout(g.box);
  SendMessageW(GetDlgItem(g.box, g.press), BM_CLICK, 0, 0);
}

// In place for the whole run, installed before any box's hook: this thread shows only the boxes tested.
const win32::UniqueHook g_hook(SetWindowsHookExW(WH_CBT, &TestHook, nullptr, GetCurrentThreadId()));
const UINT_PTR g_timer = SetTimer(nullptr, 0, 15, &Tick);

// Each kind of box, the button pressed, and the buttons relabelled (the others keep the system's captions).
const std::tuple<UINT, int, Dressing> kBoxes[] = {
    {MB_ICONINFORMATION, IDOK, {{IDOK, kDong}}},
    {MB_OKCANCEL, IDCANCEL, {{IDOK, kDong}, {IDCANCEL, kThoat}}},
    {MB_ABORTRETRYIGNORE, IDABORT, {{IDRETRY, kThuLai}}},
    {MB_YESNOCANCEL, IDYES, {{IDYES, u"C\u00F3"}, {IDNO, u"Kh\u00F4ng"}, {IDCANCEL, kThoat}}},
    {MB_YESNO, IDNO, {{IDYES, u"C\u00F3"}, {IDNO, u"Kh\u00F4ng"}}},
    {MB_RETRYCANCEL, IDRETRY, {{IDRETRY, kThuLai}, {IDCANCEL, kThoat}}},
    {MB_CANCELTRYCONTINUE, IDTRYAGAIN, {{IDCANCEL, kThoat}}},
};

// Every kind of box showing the about box's text, for a system message font smaller than the box's own,
// so that each must grow to its text: text and title converted, the font on the message text (not
// the icon) and the relabelled buttons only, deleted once the box is gone, owner and result passed on.
TEST(VieMsgBox, DressesEveryKindOfBoxAndReturnsTheButtonChosen) {
  const mainwindow::AboutText about = mainwindow::BuildAboutText(identity::kProductName, identity::kVersionMajor,
                                                                 identity::kVersionMinor, mainwindow::BuiltIdentity());
  NONCLIENTMETRICSW system{}, smaller;
  system.cbSize = sizeof system;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0);
  (smaller = system).lfMessageFont.lfHeight = -9;
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof smaller, &smaller, 0);
  const win32::UniqueWindow owner = MakeLookalike();
  for (auto [flags, press, dressing] : kBoxes) {
    SCOPED_TRACE(flags);
    g = Seen{press};
    EXPECT_EQ(VieMsgBox(about.text, flags, about.title, owner.get()), press);
    EXPECT_TRUE(g.box && g.owner == owner.get() && g.title == VniToUnicode(about.title));
    dressing[0xFFFF] = VniToUnicode(about.text);  // the message text
    EXPECT_EQ(Dressed(g.shown), dressing);
  }
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof system, &system, 0);
}

// A look-alike activated as the box is made is the first window activated: it is dressed, the box is
// not. A MessageBoxW that cannot show (owner gone) fails and leaves no hook to dress the next box.
TEST(VieMsgBox, DressesTheFirstWindowActivatedOnlyAndLeavesNoHook) {
  g = Seen{IDOK, true};
  EXPECT_EQ(VieMsgBox(u"x", MB_OKCANCEL, u"x", nullptr), IDOK);
  ASSERT_TRUE(g.intruder && g.box && g.activated == g.intruder.get());
  EXPECT_EQ(Dressed(g.intruderShown), (Dressing{{IDOK, kDong}, {IDCANCEL, kThoat}, {99, u"text"}}));
  EXPECT_EQ(Dressed(g.shown), Dressing{});
  const HWND gone = MakeLookalike().get();
  g = Seen{};
  EXPECT_EQ(VieMsgBox(u"x", MB_OK, u"x", gone), MessageBoxW(gone, L"x", L"x", MB_OK));
  EXPECT_EQ(std::exchange(g.box, nullptr), nullptr);
  EXPECT_EQ(MessageBoxW(nullptr, L"x", L"x", MB_OK), IDOK);
  ASSERT_TRUE(g.box);
  EXPECT_EQ(Dressed(g.shown), Dressing{});
}

}  // namespace
}  // namespace quellan::modVie
