// The localised message box, shown for real: a CBT hook of the test's own (installed first, so it
// is reached through the box's hook) records what the system made, a thread timer reads the box
// once it runs its modal loop, and a real mouse click chooses a button.
#include "text/vie_msgbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace quellan::modVie {
namespace {

// What the user must read: the prompt and title below after conversion, and the new captions.
const std::u16string kPrompt = u"Tie65n i1ch: Quellan\r\nChu71c na8ng: Ta81t Autorun...\r\n";
const std::wstring kPromptShown = L"Ti\u1EC7n \u00EDch: Quellan\r\nCh\u1EE9c n\u0103ng: T\u1EAFt Autorun...\r\n";
const std::u16string kTitle = u"Tho6ng ba1o!";
const std::wstring kTitleShown = L"Th\u00F4ng b\u00E1o!";

const wchar_t kDong[] = L"\u0110\u00F3ng";
const wchar_t kCo[] = L"C\u00F3";
const wchar_t kKhong[] = L"Kh\u00F4ng";
const wchar_t kThuLai[] = L"Th\u1EED l\u1EA1i";
const wchar_t kThoat[] = L"Tho\u00E1t";

struct WindowDeleter {
  void operator()(HWND window) const {
    if (IsWindow(window)) DestroyWindow(window);
  }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;
struct HookDeleter {
  void operator()(HHOOK hook) const { EXPECT_TRUE(UnhookWindowsHookEx(hook)); }
};
using OwnedHook = std::unique_ptr<std::remove_pointer_t<HHOOK>, HookDeleter>;

std::wstring Text(HWND window) {
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, &text[0], static_cast<int>(text.size())));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

struct Control {
  HWND hwnd;
  int id;
  std::wstring className;
  std::wstring text;
  HFONT font;
};

// The direct children of a window, in the order the system keeps them.
std::vector<Control> Children(HWND parent) {
  std::vector<Control> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back({child, GetDlgCtrlID(child), ClassOf(child), Text(child),
                        reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0))});
  }
  return children;
}

const Control* Find(const std::vector<Control>& controls, int id) {
  for (const Control& control : controls) {
    if (control.id == id && control.className == L"Button") return &control;
  }
  return nullptr;
}

// A window shaped like a message box (an icon Static, OK and Cancel buttons, a text Static):
// whatever dresses a window it should not will change this one. It serves as the boxes' owner,
// which is activated again when a box closes, and as the next window activated after a box.
OwnedWindow MakeLookalike(DWORD visible, bool withIcon = true) {
  static const ATOM kClass = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuellanTestLookalike";
    return RegisterClassW(&windowClass);
  }();
  EXPECT_NE(kClass, 0);
  OwnedWindow window(CreateWindowExW(0, L"QuellanTestLookalike", L"lookalike", WS_POPUP | WS_CAPTION | visible, 60, 60,
                                     240, 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  const struct {
    const wchar_t* className;
    const wchar_t* text;
    int id;
  } kChildren[] = {{L"Static", L"", 20},
                   {L"Button", L"OK", IDOK},
                   {L"Button", L"Cancel", IDCANCEL},
                   {L"Static", L"lookalike text", 0xFFFF}};
  int x = 0;
  for (const auto& child : kChildren) {
    if (child.id == 20 && !withIcon) continue;
    CreateWindowExW(0, child.className, child.text, WS_CHILD | WS_VISIBLE, x, 10, 50, 20, window.get(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)), GetModuleHandleW(nullptr), nullptr);
    x += 55;
  }
  return window;
}

struct FontSeen {
  LOGFONTW logFont = {};
  int bytes = 0;
};

FontSeen Describe(HFONT font) {
  FontSeen seen;
  seen.bytes = GetObjectW(font, sizeof seen.logFont, &seen.logFont);
  return seen;
}

// One call of VieMsgBox, driven by the hook and the timer below.
struct Session {
  int pressId = 0;
  // Seen by the test's hook, which the box's hook passes every call on to.
  std::vector<int> codes;
  HWND activated = nullptr;
  std::vector<Control> atActivation;
  // Seen by the timer while the box runs.
  HWND box = nullptr;
  std::wstring title;
  HWND owner = nullptr;
  std::vector<Control> shown;
  FontSeen textFont;  // read while the box is up: the font is deleted once it has gone
  bool clicked = false;
  bool forcedClosed = false;
  int ticks = 0;
  // With interceptCreation, the test's hook makes and activates a look-alike with a single Static
  // when the box is being created, ahead of the box's own activation.
  bool interceptCreation = false;
  OwnedWindow intruder;
  std::vector<Control> intruderShown;
  FontSeen intruderFont;
};

Session* g_session = nullptr;

LRESULT CALLBACK TestCbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (g_session != nullptr && code >= 0) {
    g_session->codes.push_back(code);
    if (code == HCBT_ACTIVATE && wParam != 0 && g_session->activated == nullptr) {
      g_session->activated = reinterpret_cast<HWND>(wParam);
      g_session->atActivation = Children(g_session->activated);
    }
    if (code == HCBT_CREATEWND && g_session->interceptCreation && !g_session->intruder &&
        ClassOf(reinterpret_cast<HWND>(wParam)) == L"#32770") {
      g_session->intruder = MakeLookalike(0, false);
      ShowWindow(g_session->intruder.get(), SW_SHOWNORMAL);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
  if (ClassOf(window) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void ClickAt(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  Session& session = *g_session;
  ++session.ticks;
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&box));
  if (box == nullptr) return;
  if (session.ticks > 200) {  // about three seconds: the click went astray; close it to go on
    session.forcedClosed = true;
    EndDialog(box, 0);
    return;
  }
  if (session.clicked) return;
  session.box = box;
  session.title = Text(box);
  session.owner = GetWindow(box, GW_OWNER);
  session.shown = Children(box);
  for (const Control& control : session.shown) {
    if (control.text == kPromptShown) session.textFont = Describe(control.font);
  }
  if (session.intruder) {
    session.intruderShown = Children(session.intruder.get());
    for (const Control& control : session.intruderShown) {
      if (control.className == L"Static") session.intruderFont = Describe(control.font);
    }
  }
  const Control* target = Find(session.shown, session.pressId);
  if (target == nullptr) {
    session.forcedClosed = true;
    EndDialog(box, 0);
    return;
  }
  session.clicked = true;
  ClickAt(target->hwnd);
}

// Runs a call that shows a box, with the test's hook and timer around it; the timer presses the
// button session.pressId.
template <class ShowBox>
int Drive(Session& session, ShowBox showBox) {
  g_session = &session;
  int result = -2;
  {
    OwnedHook hook(SetWindowsHookExW(WH_CBT, &TestCbtHook, nullptr, GetCurrentThreadId()));
    EXPECT_TRUE(hook);
    const UINT_PTR timer = SetTimer(nullptr, 0, 15, &Tick);
    EXPECT_NE(timer, 0u);
    result = showBox();
    KillTimer(nullptr, timer);
  }
  g_session = nullptr;
  return result;
}

int Show(Session& session, std::uint32_t flags, HWND owner) {
  return Drive(session, [&] { return VieMsgBox(kPrompt, flags, kTitle, owner); });
}

void ExpectSameChildren(const std::vector<Control>& before, const std::vector<Control>& after) {
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t k = 0; k < after.size(); ++k) {
    EXPECT_EQ(after[k].text, before[k].text) << "child " << k;
    EXPECT_EQ(after[k].font, before[k].font) << "child " << k;
  }
}

// Activates a new look-alike under the test's hook and reports whether anything changed it.
void ExpectNextActivationUntouched() {
  OwnedWindow lookalike = MakeLookalike(0);
  ASSERT_TRUE(lookalike);
  const std::vector<Control> before = Children(lookalike.get());
  Session watch;
  g_session = &watch;
  {
    OwnedHook hook(SetWindowsHookExW(WH_CBT, &TestCbtHook, nullptr, GetCurrentThreadId()));
    ShowWindow(lookalike.get(), SW_SHOWNORMAL);
  }
  g_session = nullptr;
  ASSERT_EQ(watch.activated, lookalike.get()) << "the look-alike was never activated, so it proves nothing";
  ExpectSameChildren(before, Children(lookalike.get()));
}

void ExpectTahoma(const FontSeen& font) {
  ASSERT_EQ(font.bytes, static_cast<int>(sizeof(LOGFONTW)));
  const LOGFONTW& logFont = font.logFont;
  EXPECT_STREQ(logFont.lfFaceName, L"Tahoma");
  EXPECT_EQ(logFont.lfHeight, 13);
  EXPECT_EQ(logFont.lfWidth, 0);
  EXPECT_EQ(logFont.lfWeight, 500);
  EXPECT_EQ(logFont.lfItalic, 0);
  EXPECT_EQ(logFont.lfUnderline, 0);
  EXPECT_EQ(logFont.lfStrikeOut, 0);
  EXPECT_EQ(logFont.lfCharSet, ANSI_CHARSET);
}

struct ButtonRow {
  int id;
  const wchar_t* systemCaption;  // what the system labels it
  const wchar_t* caption;        // what the user must read; null where the system's caption stays
};

struct BoxRow {
  std::uint32_t flags;
  std::vector<ButtonRow> buttons;
};

const BoxRow kBoxes[] = {
    {MB_OK, {{IDOK, L"OK", kDong}}},
    {MB_OKCANCEL, {{IDOK, L"OK", kDong}, {IDCANCEL, L"Cancel", kThoat}}},
    {MB_ABORTRETRYIGNORE,
     {{IDABORT, L"&Abort", nullptr}, {IDRETRY, L"&Retry", kThuLai}, {IDIGNORE, L"&Ignore", nullptr}}},
    {MB_YESNOCANCEL, {{IDYES, L"&Yes", kCo}, {IDNO, L"&No", kKhong}, {IDCANCEL, L"Cancel", kThoat}}},
    {MB_YESNO, {{IDYES, L"&Yes", kCo}, {IDNO, L"&No", kKhong}}},
    {MB_RETRYCANCEL, {{IDRETRY, L"&Retry", kThuLai}, {IDCANCEL, L"Cancel", kThoat}}},
    {MB_CANCELTRYCONTINUE,
     {{IDCANCEL, L"Cancel", kThoat}, {IDTRYAGAIN, L"&Try Again", nullptr}, {IDCONTINUE, L"&Continue", nullptr}}},
    {MB_OK | MB_ICONINFORMATION, {{IDOK, L"OK", kDong}}},
    {MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, {{IDYES, L"&Yes", kCo}, {IDNO, L"&No", kKhong}}},
};

// Everything one shown box must satisfy, whichever button is then chosen.
void ExpectDressedBox(const BoxRow& row, const Session& session, HWND owner) {
  ASSERT_FALSE(session.forcedClosed) << "the box had to be closed by force";
  ASSERT_NE(session.box, nullptr);
  EXPECT_EQ(session.activated, session.box) << "the test's hook did not see the box activated";
  EXPECT_NE(std::find(session.codes.begin(), session.codes.end(), HCBT_CREATEWND), session.codes.end());
  EXPECT_EQ(session.title, kTitleShown);
  EXPECT_EQ(session.owner, owner);

  // The message text is the Static child showing the converted prompt; it carries the new font.
  HFONT font = nullptr;
  int statics = 0;
  for (const Control& control : session.shown) {
    if (control.className != L"Static") continue;
    ++statics;
    if (control.text == kPromptShown) font = control.font;
  }
  EXPECT_EQ(statics, 2) << "icon and message text";
  ASSERT_NE(font, nullptr) << "no Static shows the converted prompt in the new font";
  ExpectTahoma(session.textFont);
  for (const Control& control : session.shown) {
    if (control.className == L"Static" && control.text != kPromptShown) {
      EXPECT_NE(control.font, font) << "icon";
    }
  }

  // Exactly the row's buttons; the table's captions relabelled and set in the font, the rest kept.
  std::size_t buttons = 0;
  for (const Control& control : session.shown) buttons += control.className == L"Button";
  EXPECT_EQ(buttons, row.buttons.size());
  for (const ButtonRow& button : row.buttons) {
    const Control* before = Find(session.atActivation, button.id);
    const Control* after = Find(session.shown, button.id);
    ASSERT_TRUE(before && after) << "button " << button.id;
    // The box's hook passes the activation on before it changes anything.
    EXPECT_EQ(before->text, button.systemCaption) << "button " << button.id;
    if (button.caption != nullptr) {
      EXPECT_EQ(after->text, button.caption) << "button " << button.id;
      EXPECT_EQ(after->font, font) << "button " << button.id;
    } else {
      EXPECT_EQ(after->text, before->text) << "button " << button.id;
      EXPECT_NE(after->font, font) << "button " << button.id;
    }
  }
}

class VieMsgBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_owner);
    m_ownerChildren = Children(m_owner.get());
  }
  // Only the box is dressed: the owner, active before and after it, keeps its captions and fonts.
  void TearDown() override { ExpectSameChildren(m_ownerChildren, Children(m_owner.get())); }
  HWND owner() const { return m_owner.get(); }

 private:
  OwnedWindow m_owner{MakeLookalike(WS_VISIBLE)};
  std::vector<Control> m_ownerChildren;
};

TEST_F(VieMsgBoxTest, DressesEveryKindOfBoxAndReturnsTheButtonChosen) {
  for (const BoxRow& row : kBoxes) {
    for (const ButtonRow& button : row.buttons) {
      SCOPED_TRACE(::testing::Message() << "flags " << row.flags << ", pressing " << button.id);
      Session session;
      session.pressId = button.id;
      const int result = Show(session, row.flags, owner());
      ExpectDressedBox(row, session, owner());
      EXPECT_TRUE(session.clicked);
      EXPECT_EQ(result, button.id);
      // The box is gone, and so is its font.
      EXPECT_FALSE(IsWindow(session.box));
      for (const Control& control : session.shown) {
        if (control.text == kPromptShown) {
          EXPECT_EQ(GetObjectType(control.font), 0u) << "font not deleted";
        }
      }
    }
  }
}

TEST_F(VieMsgBoxTest, LeavesNoHookBehind) {
  Session session;
  session.pressId = IDOK;
  ASSERT_EQ(Show(session, MB_OK | MB_ICONINFORMATION, owner()), IDOK);
  ExpectNextActivationUntouched();
}

TEST_F(VieMsgBoxTest, FailedBoxReturnsTheSystemResultAndLeavesNoHook) {
  // A destroyed window as owner: MessageBoxW fails before any window is activated.
  HWND gone = MakeLookalike(0).get();
  ASSERT_TRUE(gone);
  ASSERT_FALSE(IsWindow(gone));
  Session direct;
  direct.pressId = IDOK;
  const int system = Drive(direct, [gone] { return MessageBoxW(gone, L"x", L"x", MB_OK); });
  EXPECT_EQ(direct.box, nullptr) << "the system showed a box for a destroyed owner";
  Session session;
  session.pressId = IDOK;
  EXPECT_EQ(Show(session, MB_OK, gone), system);
  EXPECT_EQ(session.box, nullptr);
  EXPECT_EQ(session.activated, nullptr);
  ExpectNextActivationUntouched();
}

TEST_F(VieMsgBoxTest, DressesOnlyTheFirstWindowActivated) {
  // A window with a single Static, activated while the box is being created, is the first window
  // activated after the hook went in: it is the one dressed, and the box keeps the system's look.
  Session session;
  session.pressId = IDOK;
  session.interceptCreation = true;
  EXPECT_EQ(Show(session, MB_OK, owner()), IDOK);
  ASSERT_TRUE(session.intruder);
  EXPECT_EQ(session.activated, session.intruder.get());

  ExpectTahoma(session.intruderFont);
  const Control* ok = Find(session.intruderShown, IDOK);
  const Control* cancel = Find(session.intruderShown, IDCANCEL);
  ASSERT_TRUE(ok && cancel);
  EXPECT_EQ(ok->text, kDong);
  EXPECT_EQ(cancel->text, kThoat);
  EXPECT_NE(ok->font, nullptr);

  ASSERT_NE(session.box, nullptr);
  const Control* boxOk = Find(session.shown, IDOK);
  ASSERT_NE(boxOk, nullptr);
  EXPECT_EQ(boxOk->text, L"OK");
  EXPECT_NE(boxOk->font, ok->font);
  for (const Control& control : session.shown) EXPECT_NE(control.font, ok->font) << "box child " << control.id;
  // Converted all the same.
  EXPECT_EQ(session.title, kTitleShown);
}

}  // namespace
}  // namespace quellan::modVie
