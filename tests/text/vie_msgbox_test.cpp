// The localised message box, shown for real. The test's own CBT hook, installed first, is reached
// through the box's hook and sees each window as the system made it; a thread timer reads the box
// while it runs its modal loop and clicks a button.
#include "text/vie_msgbox.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ui/forms/handles.h"

namespace quellan::modVie {
namespace {

const std::u16string kTitle = u"Tho6ng ba1o!";
const std::u16string kPrompt = u"Tie65n i1ch: Quellan\r\nChu71c na8ng: Ta81t Autorun...";
const std::wstring kPromptShown = L"Ti\u1EC7n \u00EDch: Quellan\r\nCh\u1EE9c n\u0103ng: T\u1EAFt Autorun...";
// Face, height, width, weight, italic, underline, strike-out and character set, as Children reads them.
const std::wstring kBoxFont = L"Tahoma 13 0 500 0 0 0 0";
const wchar_t kDong[] = L"\u0110\u00F3ng", kThoat[] = L"Tho\u00E1t", kThuLai[] = L"Th\u1EED l\u1EA1i";

// A window's text or class name, read with GetWindowTextW or GetClassNameW.
std::wstring Read(int(WINAPI* get)(HWND, LPWSTR, int), HWND window) {
  wchar_t text[256] = {};
  get(window, text, 256);
  return text;
}

struct Child {
  int id;
  std::wstring className, text, font;
  HFONT hfont;
};

// The direct children of a window, with their fonts described while the fonts exist.
std::vector<Child> Children(HWND parent) {
  std::vector<Child> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const HFONT hfont = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    LOGFONTW f = {};
    std::wostringstream font;
    if (GetObjectW(hfont, sizeof f, &f)) {
      font << f.lfFaceName << ' ' << f.lfHeight << ' ' << f.lfWidth << ' ' << f.lfWeight << ' ' << int{f.lfItalic}
           << ' ' << int{f.lfUnderline} << ' ' << int{f.lfStrikeOut} << ' ' << int{f.lfCharSet};
    }
    children.push_back(
        {GetDlgCtrlID(child), Read(GetClassNameW, child), Read(GetWindowTextW, child), font.str(), hfont});
  }
  return children;
}

// A window shaped like a message box without an icon: OK, Cancel and a single Static.
forms::UniqueWindow MakeLookalike() {
  forms::UniqueWindow window(
      CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 200, 40, nullptr, nullptr, nullptr, nullptr));
  using Expected = std::tuple<const wchar_t*, const wchar_t*, int>;
  for (const auto& [className, text, id] :
       {Expected{L"Button", L"OK", IDOK}, Expected{L"Button", L"Cancel", IDCANCEL}, Expected{L"Static", L"text", 99}}) {
    CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE, id, 0, 60, 20, window.get(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }
  return window;
}

struct Session {
  int press = IDOK;        // the button the timer clicks
  bool intrude = false;    // show a look-alike while the box is being created
  bool sawCreate = false;  // calls other than the activation are passed on too
  HWND activated = nullptr, box = nullptr, owner = nullptr;
  std::wstring title;
  std::vector<Child> atActivation, shown, intruderShown;
  forms::UniqueWindow intruder;
};
Session* g_session = nullptr;

LRESULT CALLBACK TestHook(int code, WPARAM wParam, LPARAM lParam) {
  Session& s = *g_session;
  s.sawCreate |= code == HCBT_CREATEWND;
  if (code == HCBT_CREATEWND && std::exchange(s.intrude, false)) {
    s.intruder = MakeLookalike();
    ShowWindow(s.intruder.get(), SW_SHOWNORMAL);
  }
  if (code == HCBT_ACTIVATE && s.activated == nullptr) {
    s.activated = reinterpret_cast<HWND>(wParam);
    s.atActivation = Children(s.activated);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  Session& s = *g_session;
  const HWND box = GetActiveWindow();
  if (box == nullptr || !IsWindowVisible(box) || Read(GetClassNameW, box) != L"#32770") return;
  s.box = box;
  s.owner = GetWindow(box, GW_OWNER);
  s.title = Read(GetWindowTextW, box);
  s.shown = Children(box);
  if (s.intruder) s.intruderShown = Children(s.intruder.get());
  SendMessageW(GetDlgItem(box, s.press), BM_CLICK, 0, 0);
  if (IsWindowVisible(box)) EndDialog(box, -1);  // the click did not close it
}

// Runs `show` with the test's hook and timer in place.
template <class Show>
int Drive(Session& session, Show show) {
  g_session = &session;
  const forms::UniqueHook hook(SetWindowsHookExW(WH_CBT, &TestHook, nullptr, GetCurrentThreadId()));
  const UINT_PTR timer = SetTimer(nullptr, 0, 15, &Tick);
  EXPECT_TRUE(hook && timer);
  const int result = show();
  KillTimer(nullptr, timer);
  return result;
}

// Each kind of box with its buttons and the captions they must show; null where the system's stays.
const std::pair<UINT, std::map<int, const wchar_t*>> kBoxes[] = {
    {MB_OK, {{IDOK, kDong}}},
    {MB_OKCANCEL, {{IDOK, kDong}, {IDCANCEL, kThoat}}},
    {MB_ABORTRETRYIGNORE, {{IDABORT, nullptr}, {IDRETRY, kThuLai}, {IDIGNORE, nullptr}}},
    {MB_YESNOCANCEL, {{IDYES, L"C\u00F3"}, {IDNO, L"Kh\u00F4ng"}, {IDCANCEL, kThoat}}},
    {MB_YESNO, {{IDYES, L"C\u00F3"}, {IDNO, L"Kh\u00F4ng"}}},
    {MB_RETRYCANCEL, {{IDRETRY, kThuLai}, {IDCANCEL, kThoat}}},
    {MB_CANCELTRYCONTINUE, {{IDCANCEL, kThoat}, {IDTRYAGAIN, nullptr}, {IDCONTINUE, nullptr}}},
    {MB_OK | MB_ICONINFORMATION, {{IDOK, kDong}}},
};

TEST(VieMsgBox, DressesEveryKindOfBoxAndReturnsTheButtonChosen) {
  const forms::UniqueWindow owner = MakeLookalike();
  for (const auto& [flags, buttons] : kBoxes) {
    for (const auto& pressed : buttons) {
      SCOPED_TRACE(::testing::Message() << "flags " << flags << ", pressing " << pressed.first);
      Session s;
      s.press = pressed.first;
      EXPECT_EQ(Drive(s, [&] { return VieMsgBox(kPrompt, flags, kTitle, owner.get()); }), pressed.first);
      ASSERT_NE(s.box, nullptr);
      EXPECT_EQ(s.owner, owner.get());
      EXPECT_TRUE(s.activated == s.box && s.sawCreate) << "the box's hook must pass every call on";
      EXPECT_EQ(s.title, L"Th\u00F4ng b\u00E1o!");
      // The test's hook, reached first, saw the box as the system made it. The font goes on the
      // message text (not on the icon) and on the relabelled buttons only.
      ASSERT_EQ(s.shown.size(), s.atActivation.size());
      const Child* text = nullptr;
      for (std::size_t k = 0; k < s.shown.size(); ++k) {
        const Child& child = s.shown[k];
        if (child.text == kPromptShown) text = &child;
        EXPECT_EQ(child.font == kBoxFont, child.text == kPromptShown || child.text != s.atActivation[k].text)
            << child.text << " in " << child.font;
        if (child.className != L"Button") continue;
        const auto caption = buttons.find(child.id);
        ASSERT_NE(caption, buttons.end()) << "button " << child.id;
        EXPECT_EQ(child.text, caption->second ? caption->second : s.atActivation[k].text);
      }
      ASSERT_NE(text, nullptr);
      EXPECT_EQ(GetObjectType(text->hfont), 0u) << "the font outlived the box";
    }
  }
}

TEST(VieMsgBox, DressesTheFirstWindowActivatedOnlyAndLeavesNoHook) {
  // A look-alike with a single Static, activated while the box is being created, is the first
  // window activated since the hook went in: it is dressed, and the box is not.
  Session s;
  s.intrude = true;
  EXPECT_EQ(Drive(s, [&] { return VieMsgBox(kPrompt, MB_OKCANCEL, kTitle, nullptr); }), IDOK);
  ASSERT_TRUE(s.intruder && s.box);
  EXPECT_EQ(s.activated, s.intruder.get());
  std::map<int, std::wstring> texts;
  for (const Child& child : s.intruderShown) {
    texts[child.id] = child.text;
    EXPECT_EQ(child.font, kBoxFont) << child.id;
  }
  EXPECT_EQ(texts, (std::map<int, std::wstring>{{IDOK, kDong}, {IDCANCEL, kThoat}, {99, L"text"}}));
  for (const Child& child : s.shown) EXPECT_TRUE(child.font != kBoxFont && child.text != kDong) << child.id;

  // After that box, and after one MessageBoxW cannot show (its owner is gone; the system's failure
  // is returned), the next box of this thread keeps the system's look.
  const HWND gone = MakeLookalike().get();
  Session failed, failedVie, next;
  EXPECT_EQ(Drive(failedVie, [&] { return VieMsgBox(kPrompt, MB_OK, kTitle, gone); }),
            Drive(failed, [&] { return MessageBoxW(gone, L"x", L"x", MB_OK); }));
  EXPECT_TRUE(failed.box == nullptr && failedVie.box == nullptr);
  EXPECT_EQ(Drive(next, [] { return MessageBoxW(nullptr, L"x", L"x", MB_OK); }), IDOK);
  ASSERT_EQ(next.activated, next.box);
  for (const Child& child : next.shown) EXPECT_TRUE(child.font != kBoxFont && child.text != kDong) << child.id;
}

}  // namespace
}  // namespace quellan::modVie
