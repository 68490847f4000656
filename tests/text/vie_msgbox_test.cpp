// The localised message box shown for real, watched by the test's own CBT hook and a thread timer.
#include "text/vie_msgbox.h"

#include <gtest/gtest.h>

#include <map>

#include "../support/harness.h"

namespace quellan::modVie {
namespace {

const std::u16string kBoxFont = u"Tahoma 13 0 500 0 0 0 0", kText = u"Ti\u1EC7n \u00EDch";
const char16_t kDong[] = u"\u0110\u00F3ng", kThoat[] = u"Tho\u00E1t", kThuLai[] = u"Th\u1EED l\u1EA1i";

struct Seen {
  explicit Seen(int press = IDOK, bool intrude = false) : press(press), intrude(intrude) {}
  int press;     // the button the timer clicks
  bool intrude;  // show a look-alike while the box is being made
  HWND activated = nullptr, box = nullptr, owner = nullptr;
  std::u16string title;
  std::vector<testing::Child> shown, intruderShown;
  win32::UniqueWindow intruder;
} g;

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
  SendMessageW(GetDlgItem(g.box, g.press), BM_CLICK, 0, 0);
}

// In place for the whole run, installed before any box's hook: this thread shows only the boxes tested.
const win32::UniqueHook g_hook(SetWindowsHookExW(WH_CBT, &TestHook, nullptr, GetCurrentThreadId()));
const UINT_PTR g_timer = SetTimer(nullptr, 0, 15, &Tick);

// Each kind of box, the button pressed, and the captions its buttons must show (null: the system's).
const std::tuple<UINT, int, std::map<int, const char16_t*>> kBoxes[] = {
    {MB_OK | MB_ICONINFORMATION, IDOK, {{IDOK, kDong}}},
    {MB_OKCANCEL, IDCANCEL, {{IDOK, kDong}, {IDCANCEL, kThoat}}},
    {MB_ABORTRETRYIGNORE, IDABORT, {{IDABORT, nullptr}, {IDRETRY, kThuLai}, {IDIGNORE, nullptr}}},
    {MB_YESNOCANCEL, IDYES, {{IDYES, u"C\u00F3"}, {IDNO, u"Kh\u00F4ng"}, {IDCANCEL, kThoat}}},
    {MB_YESNO, IDNO, {{IDYES, u"C\u00F3"}, {IDNO, u"Kh\u00F4ng"}}},
    {MB_RETRYCANCEL, IDRETRY, {{IDRETRY, kThuLai}, {IDCANCEL, kThoat}}},
    {MB_CANCELTRYCONTINUE, IDTRYAGAIN, {{IDCANCEL, kThoat}, {IDTRYAGAIN, nullptr}, {IDCONTINUE, nullptr}}},
};

// Prompt and title converted; the font on the message text (not the icon) and on the relabelled
// buttons only, deleted once the box is gone; the owner and the button chosen passed through.
TEST(VieMsgBox, DressesEveryKindOfBoxAndReturnsTheButtonChosen) {
  const win32::UniqueWindow owner = MakeLookalike();
  for (const auto& [flags, press, buttons] : kBoxes) {
    SCOPED_TRACE(flags);
    g = Seen(press);
    EXPECT_EQ(VieMsgBox(u"Tie65n i1ch", flags, u"Tho6ng ba1o!", owner.get()), press);
    EXPECT_TRUE(g.box && g.owner == owner.get() && g.title == u"Th\u00F4ng b\u00E1o!");
    int texts = 0;
    for (const testing::Child& child : g.shown) {
      const char16_t* caption = child.className == u"Button" ? buttons.at(child.id) : nullptr;
      texts += child.text == kText && GetObjectType(child.hfont) == 0;
      EXPECT_EQ(child.font == kBoxFont, child.text == kText || caption) << child.id;
      EXPECT_TRUE(!caption || child.text == caption) << child.id;
    }
    EXPECT_EQ(texts, 1) << "the message text, its font deleted since";
  }
}

// A look-alike activated as the box is made is the first window activated: it is dressed, the box is
// not. A MessageBoxW that cannot show (owner gone) fails and leaves no hook to dress the next box.
TEST(VieMsgBox, DressesTheFirstWindowActivatedOnlyAndLeavesNoHook) {
  g = Seen(IDOK, true);
  EXPECT_EQ(VieMsgBox(u"x", MB_OKCANCEL, u"x", nullptr), IDOK);
  ASSERT_TRUE(g.intruder && g.box && g.activated == g.intruder.get());
  std::map<int, std::u16string> dressed;
  for (const testing::Child& child : g.intruderShown) dressed[child.id] = child.font == kBoxFont ? child.text : u"";
  EXPECT_EQ(dressed, (std::map<int, std::u16string>{{IDOK, kDong}, {IDCANCEL, kThoat}, {99, u"text"}}));
  for (const testing::Child& child : g.shown) EXPECT_TRUE(child.font != kBoxFont && child.text != kDong) << child.id;
  const HWND gone = MakeLookalike().get();
  g = Seen();
  EXPECT_EQ(VieMsgBox(u"x", MB_OK, u"x", gone), MessageBoxW(gone, L"x", L"x", MB_OK));
  EXPECT_EQ(std::exchange(g.box, nullptr), nullptr);
  EXPECT_EQ(MessageBoxW(nullptr, L"x", L"x", MB_OK), IDOK);
  ASSERT_TRUE(g.box);
  for (const testing::Child& child : g.shown) EXPECT_TRUE(child.font != kBoxFont && child.text != kDong) << child.id;
}

}  // namespace
}  // namespace quellan::modVie
