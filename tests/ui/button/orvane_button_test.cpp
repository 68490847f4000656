#include "ui/button/orvane_button.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/forms/colour.h"
#include "ui/forms/font_handle.h"

namespace quellan::button {

// Reaches the control's private redraw and probes.
struct OrvaneButtonAccess {
  static void DrawButton(OrvaneButton& b, int state) { b.m_logic.DrawButton(state); }
  static int Look(const OrvaneButton& b) { return b.m_lastLook.state; }
  static unsigned long Redraws(const OrvaneButton& b) { return b.m_redraws; }
  static bool TimerRunning(const OrvaneButton& b) { return b.m_timerRunning; }
};

namespace {

using Access = OrvaneButtonAccess;
using Picture = std::vector<COLORREF>;

constexpr RECT kButtonRect{20, 30, 150, 67};  // 130 x 37 pixels in the host's client area
constexpr POINT kFarAway{700, 600};           // on the desktop, away from every test window

UINT g_lastMessage = 0;
HWND g_dialog = nullptr;  // when set, the dialog manager sees the keys first (Tab, Enter)

// Dispatches messages until done() holds (asked after each message) or the time runs out.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 1000) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      g_lastMessage = msg.message;
      if (!g_dialog || !IsDialogMessageW(g_dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      if (done && done()) return true;
    }
    if (done && done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}
void PumpFor(DWORD ms) { PumpUntil(nullptr, ms); }
// Dispatches up to and including the next message `id`, so a test sees the control right after it.
bool PumpThrough(UINT id) {
  g_lastMessage = 0;
  return PumpUntil([id] { return g_lastMessage == id; });
}

void SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

// A real pointer move through the input queue, so the window under the pointer gets WM_MOUSEMOVE.
void PointerTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Rounded up, so that the system's conversion back (rounding down) lands on the same pixel.
  input.mi.dx =
      static_cast<LONG>((screen.x * 65536LL + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy =
      static_cast<LONG>((screen.y * 65536LL + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  PumpFor(0);
}

void Keys(std::initializer_list<int> keys) {  // a positive code presses, a negative one releases
  for (int key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key < 0 ? -key : key);
    input.ki.dwFlags = key < 0 ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
  }
  PumpFor(100);
}

POINT CentreOf(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The real pointer position in the control's client coordinates, "x y".
std::string PointerIn(HWND hwnd) {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hwnd, &p);
  return std::to_string(p.x) + " " + std::to_string(p.y);
}

// A container window at (100, 100), active, with the pointer away from it.
class Host : public forms::Window {
 public:
  Host() {
    PointerTo(kFarAway);
    RegisterClassOnce(L"QuellanButtonTestHost", 0, nullptr, GetSysColorBrush(COLOR_WINDOW));
    Create(L"QuellanButtonTestHost", L"host", WS_POPUP | WS_VISIBLE, 0, 100, 100, 400, 200, nullptr);
    SetForegroundWindow(m_hwnd);
    SetFocus(m_hwnd);
    PumpFor(0);
  }
};

std::unique_ptr<OrvaneButton> MakeButton(HWND parent, const char16_t* caption = u"Refresh", RECT r = kButtonRect,
                                         int id = 101) {
  forms::PropertySet stored;
  stored.Set("Caption", std::u16string(caption));
  return OrvaneButton::Create(parent, id, r, stored, forms::MakeFont(u"Tahoma", 8.25f), 96);
}

std::shared_ptr<const ThemeLibrary> NoThemes() {
  static auto missing = std::make_shared<const ThemeLibrary>(L"quellan-no-such-theme-library.dll");
  return missing;
}

// The events the control raised to its container, as text, in order.
struct EventLog {
  explicit EventLog(OrvaneButton& b) {
    ButtonEvents& e = b.Events();
    e.Click = [this] { lines.push_back("Click"); };
    e.DblClick = [this] { lines.push_back("DblClick"); };
    e.MouseDown = [this](std::int16_t& bt, std::int16_t& s, float& x, float& y) { Add("MouseDown", bt, s, x, y); };
    e.MouseUp = [this](std::int16_t& bt, std::int16_t& s, float& x, float& y) { Add("MouseUp", bt, s, x, y); };
    e.KeyDown = [this](std::int16_t& k, std::int16_t& s) { Add("KeyDown", k, s); };
    e.KeyPress = [this](std::int16_t& k) { Add("KeyPress", k); };
    e.KeyUp = [this](std::int16_t& k, std::int16_t& s) { Add("KeyUp", k, s); };
  }
  void Add(const char* name, int a, int b = -1, float x = -1, float y = -1) {
    std::string line = std::string(name) + " " + std::to_string(a);
    if (b >= 0) line += " " + std::to_string(b);
    if (x >= 0) line += " " + std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y));
    lines.push_back(line);
  }
  std::vector<std::string> lines;
};

Picture Pixels(HDC dc, int width = 130, int height = 37) {
  Picture p;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) p.push_back(GetPixel(dc, x, y));
  }
  return p;
}

Picture Image(const OrvaneButton& b) { return Pixels(b.Surface().Dc(), b.Surface().Width(), b.Surface().Height()); }

// The classic face and a caption drawn by hand with the control's font, for comparison.
Picture ClassicReference(const OrvaneButton& b, unsigned frameState, const wchar_t* text, unsigned format,
                         COLORREF textColour) {
  forms::WindowDc screen(nullptr);
  forms::MemoryDc dc(screen.get());
  forms::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), 130, 37));
  forms::SelectedObject selectBitmap(dc.get(), bitmap.get());
  RECT r{0, 0, 130, 37};
  DrawFrameControl(dc.get(), &r, DFC_BUTTON, frameState);
  forms::Font font = forms::CreateFontHandle(*b.Font(), 96);
  forms::SelectedObject selectFont(dc.get(), font.get());
  SetBkMode(dc.get(), TRANSPARENT);
  SetTextColor(dc.get(), textColour);
  DrawTextW(dc.get(), text, -1, &r, format);
  return Pixels(dc.get());
}

int CountColour(const Picture& p, COLORREF colour) { return static_cast<int>(std::count(p.begin(), p.end(), colour)); }

// ---- creation ----

TEST(OrvaneButton, CreationShowsTheCaptionAndStartsTheHoverTimer) {
  Host host;
  auto b = MakeButton(host.hwnd(), u"Save Setting");
  ASSERT_TRUE(b);
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(b->hwnd(), GWL_STYLE));
  EXPECT_EQ(style & (WS_CHILD | WS_TABSTOP | WS_VISIBLE | WS_DISABLED), DWORD{WS_CHILD | WS_TABSTOP | WS_VISIBLE});
  EXPECT_NE(GetClassLongPtrW(b->hwnd(), GCL_STYLE) & CS_DBLCLKS, 0u);
  EXPECT_EQ(GetDlgCtrlID(b->hwnd()), 101);
  // Window finders and screen readers see the caption.
  EXPECT_EQ(FindWindowExW(host.hwnd(), nullptr, L"QuellanOrvaneButton", L"Save Setting"), b->hwnd());
  b->Caption(u"Refresh");
  EXPECT_EQ(FindWindowExW(host.hwnd(), nullptr, nullptr, L"Refresh"), b->hwnd());
  // Resize and Show drew the idle look (and the caption write once more); the timer runs until its first tick.
  EXPECT_EQ(Access::Redraws(*b), 3u);
  EXPECT_TRUE(Access::TimerRunning(*b));
  ASSERT_TRUE(PumpUntil([&] { return !Access::TimerRunning(*b); }));
  EXPECT_EQ(Access::Redraws(*b), 4u);
  EXPECT_EQ(Access::Look(*b), kStateNormal);
  // A newly placed instance: the defaults (nothing to store) and 1320 x 510 twips.
  auto ambient = forms::MakeFont(u"Arial", 9.0f);
  for (int dpi : {96, 144}) {
    auto placed = OrvaneButton::CreateNew(host.hwnd(), 7, POINT{5, 6}, ambient, dpi);
    ASSERT_TRUE(placed);
    RECT r;
    GetWindowRect(placed->hwnd(), &r);
    EXPECT_EQ(r.right - r.left, dpi == 96 ? 88 : 132);
    EXPECT_EQ(r.bottom - r.top, dpi == 96 ? 34 : 51);
    EXPECT_EQ(placed->Caption(), u"UniButton");
    EXPECT_EQ(*placed->Font(), *ambient);
    forms::PropertySet stored;
    placed->WriteProperties(stored);
    EXPECT_TRUE(stored.empty());
  }
}

// ---- real input ----

TEST(OrvaneButton, HoverDrawsHotAndLeavingDrawsIdleAtTheNextTickThenStops) {
  Host host;
  auto b = MakeButton(host.hwnd());
  PumpUntil([&] { return !Access::TimerRunning(*b); });
  PointerTo(CentreOf(b->hwnd()));
  ASSERT_TRUE(PumpUntil([&] { return Access::Look(*b) == kStateHot; }));
  PumpFor(250);  // ticks with the pointer still over change nothing
  EXPECT_EQ(Access::Look(*b), kStateHot);
  EXPECT_TRUE(Access::TimerRunning(*b));

  SetCursorPos(kFarAway.x, kFarAway.y);  // leaves without any move reaching the control
  const DWORD left = GetTickCount();
  ASSERT_TRUE(PumpUntil([&] { return Access::Look(*b) == kStateNormal; }));
  EXPECT_LE(GetTickCount() - left, 400u);
  EXPECT_FALSE(Access::TimerRunning(*b));
  const unsigned long redraws = Access::Redraws(*b);
  PumpFor(350);
  EXPECT_EQ(Access::Redraws(*b), redraws);  // idle: no more ticks, no more drawing
}

TEST(OrvaneButton, PressDragOutAndBackReleaseOutsideMakesNoClick) {
  Host host;
  auto b = MakeButton(host.hwnd());
  EventLog log(*b);
  const POINT centre = CentreOf(b->hwnd());
  PointerTo(centre);
  const std::string at = PointerIn(b->hwnd());
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return Access::Look(*b) == kStatePressed; }));
  EXPECT_EQ(GetCapture(), b->hwnd());
  EXPECT_EQ(GetFocus(), b->hwnd());  // the press took the focus and kept the pressed look
  PointerTo({centre.x + 150, centre.y});
  EXPECT_TRUE(PumpUntil([&] { return Access::Look(*b) == kStateHot; }));
  PointerTo(centre);
  EXPECT_TRUE(PumpUntil([&] { return Access::Look(*b) == kStatePressed; }));
  PointerTo({centre.x + 150, centre.y});
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpThrough(WM_LBUTTONUP));
  EXPECT_EQ(Access::Look(*b), kStateDefaulted);
  EXPECT_EQ(GetCapture(), nullptr);
  PumpFor(20);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"MouseDown 1 0 " + at, "MouseUp 1 0 " + PointerIn(b->hwnd())}));
}

TEST(OrvaneButton, DoubleClickGivesOneClickAndASecondMouseDownAtTheOrigin) {
  Host host;
  auto b = MakeButton(host.hwnd());
  EventLog log(*b);
  PointerTo(CentreOf(b->hwnd()));
  const std::string at = PointerIn(b->hwnd());
  for (UINT press : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpThrough(press));
    EXPECT_EQ(GetCapture(), b->hwnd());  // the second press: the control's own capture
    EXPECT_EQ(Access::Look(*b), kStatePressed);
    SendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpThrough(WM_LBUTTONUP));
    EXPECT_EQ(Access::Look(*b), kStateDefaulted);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  PumpFor(50);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"MouseDown 1 0 " + at, "MouseUp 1 0 " + at, "Click",
                                                 "MouseDown 1 0 0 0", "MouseUp 1 0 " + at}));
}

TEST(OrvaneButton, PressWhoseCaptureWasTakenMakesNoClick) {
  Host host;
  auto b = MakeButton(host.hwnd());
  EventLog log(*b);
  PointerTo(CentreOf(b->hwnd()));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpThrough(WM_LBUTTONDOWN));
  SetCapture(host.hwnd());  // another window takes the mouse (a menu, a modal loop)
  ReleaseCapture();
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpThrough(WM_LBUTTONUP));
  EXPECT_EQ(Access::Look(*b), kStateDefaulted);  // the release still ends the press
  PumpFor(20);
  ASSERT_EQ(log.lines.size(), 2u);
  EXPECT_EQ(log.lines[1].substr(0, 9), "MouseUp 1");
}

TEST(OrvaneButton, RightPressDrawsNothingAndTakesNoFocus) {
  Host host;
  auto b = MakeButton(host.hwnd());
  EventLog log(*b);
  const POINT centre = CentreOf(b->hwnd());
  PointerTo(centre);
  ASSERT_TRUE(PumpUntil([&] { return Access::Look(*b) == kStateHot; }));
  const unsigned long redraws = Access::Redraws(*b);
  SendMouse(MOUSEEVENTF_RIGHTDOWN);
  ASSERT_TRUE(PumpThrough(WM_RBUTTONDOWN));
  EXPECT_EQ(GetCapture(), b->hwnd());
  PointerTo({centre.x + 3, centre.y + 2});  // moves with the right button held change nothing,
  PumpFor(150);                             // nor do ticks with the pointer over the control
  EXPECT_EQ(Access::Redraws(*b), redraws);
  const std::string at = PointerIn(b->hwnd());
  SendMouse(MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(PumpThrough(WM_RBUTTONUP));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Access::Look(*b), kStateNormal);  // the release redraws idle
  PumpFor(20);
  ASSERT_GE(log.lines.size(), 2u);
  EXPECT_EQ(log.lines.front().substr(0, 13), "MouseDown 2 0");
  EXPECT_EQ(log.lines.back(), "MouseUp 2 0 " + at);
  EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), "Click"), 0);
  EXPECT_NE(GetFocus(), b->hwnd());
}

TEST(OrvaneButton, DisabledControlTakesNoInput) {
  Host host;
  auto b = MakeButton(host.hwnd());
  EventLog log(*b);
  b->Enabled(false);
  EXPECT_FALSE(IsWindowEnabled(b->hwnd()));
  EXPECT_EQ(Access::Look(*b), kStateDisabled);
  PointerTo(CentreOf(b->hwnd()));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  PumpFor(150);
  EXPECT_TRUE(log.lines.empty());
  EXPECT_EQ(Access::Look(*b), kStateDisabled);
  b->Enabled(true);
  EXPECT_EQ(Access::Look(*b), kStateNormal);
}

TEST(OrvaneButton, FocusLooksAndResizeShowsIdle) {
  Host host;
  auto b = MakeButton(host.hwnd());
  SetFocus(b->hwnd());
  EXPECT_EQ(Access::Look(*b), kStateDefaulted);
  SetWindowPos(b->hwnd(), nullptr, 0, 0, 140, 40, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(Access::Look(*b), kStateNormal);
  EXPECT_EQ(b->Surface().Width(), 140);
  SetFocus(host.hwnd());
  SetFocus(b->hwnd());
  EXPECT_EQ(Access::Look(*b), kStateDefaulted);
  b->Enabled(false);  // disabling the focused control takes its focus away
  EXPECT_NE(GetFocus(), b->hwnd());
  EXPECT_EQ(Access::Look(*b), kStateDisabled);
}

TEST(OrvaneButton, KeysRaiseKeyEventsOnlyAndTabMovesTheFocus) {
  Host host;
  auto first = MakeButton(host.hwnd(), u"Refresh", kButtonRect, 1);
  auto second = MakeButton(host.hwnd(), u"Save Setting", RECT{200, 30, 330, 67}, 2);
  EventLog log(*first);
  SetFocus(first->hwnd());
  g_dialog = host.hwnd();
  Keys({VK_SPACE, -VK_SPACE, VK_RETURN, -VK_RETURN});
  Keys({VK_SHIFT, 'A', -'A', -VK_SHIFT});
  Keys({VK_TAB, -VK_TAB});
  g_dialog = nullptr;
  EXPECT_EQ(log.lines, (std::vector<std::string>{"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0", "KeyDown 13 0",
                                                 "KeyPress 13", "KeyUp 13 0", "KeyDown 16 1", "KeyDown 65 1",
                                                 "KeyPress 65", "KeyUp 65 1", "KeyUp 16 0"}));
  EXPECT_EQ(GetFocus(), second->hwnd());
}

// ---- pictures ----

TEST(OrvaneButton, ClassicLookShowsTheStates) {
  Host host;
  auto b = MakeButton(host.hwnd());
  b->UseThemeLibrary(NoThemes());
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  Picture looks[6];
  for (int state = 1; state <= 5; ++state) {
    // Whatever the surface held before is covered completely.
    forms::Brush red(CreateSolidBrush(RGB(255, 0, 0)));
    RECT all{0, 0, 130, 37};
    FillRect(b->Surface().Dc(), &all, red.get());
    Access::DrawButton(*b, state);
    looks[state] = Image(*b);
  }
  EXPECT_EQ(looks[1], looks[2]);
  EXPECT_EQ(looks[1], looks[5]);
  EXPECT_EQ(looks[1], ClassicReference(*b, DFCS_BUTTONPUSH, L"Refresh", 0x01A5, text));
  EXPECT_EQ(looks[3], ClassicReference(*b, DFCS_BUTTONPUSH | DFCS_PUSHED, L"Refresh", 0x01A5, text));
  EXPECT_NE(looks[1], looks[3]);
  b->Enabled(false);
  EXPECT_EQ(Image(*b), ClassicReference(*b, DFCS_BUTTONPUSH, L"Refresh", 0x01A5, GetSysColor(COLOR_BTNSHADOW)));
  b->Enabled(true);
  b->ForeColor(forms::Rgb(255, 0, 0));  // an RGB ForeColor colours the caption
  EXPECT_EQ(Image(*b), ClassicReference(*b, DFCS_BUTTONPUSH, L"Refresh", 0x01A5, RGB(255, 0, 0)));
  // An unusable theme library (no entry points) draws the classic look as well.
  b->UseThemeLibrary(std::make_shared<const ThemeLibrary>(L"kernel32.dll"));
  b->ForeColor(0x80000012);
  EXPECT_EQ(Image(*b), looks[1]);
}

TEST(OrvaneButton, CaptionPrefixesLongAndEmptyCaptions) {
  Host host;
  auto b = MakeButton(host.hwnd());
  b->UseThemeLibrary(NoThemes());
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  b->Caption(u"&&");
  EXPECT_EQ(Image(*b), ClassicReference(*b, DFCS_BUTTONPUSH, L"&", 0x01A5 | DT_NOPREFIX, text));
  b->Caption(u"");
  EXPECT_EQ(Image(*b), ClassicReference(*b, DFCS_BUTTONPUSH, L"", 0x01A5, text));
  // "&A" underlines the A: the pictures differ only below the letter.
  b->Caption(u"&A");
  const Picture underlined = Image(*b);
  b->Caption(u"A");
  const Picture plain = Image(*b);
  ASSERT_NE(underlined, plain);
  int lowestDifference = -1, lowestLetter = -1;
  for (int i = 0; i < 130 * 37; ++i) {
    if (underlined[i] != plain[i]) lowestDifference = std::max(lowestDifference, i / 130);
    if (plain[i] == text && i % 130 > 3 && i % 130 < 126 && i / 130 > 3 && i / 130 < 33) lowestLetter = i / 130;
  }
  EXPECT_GT(lowestDifference, lowestLetter);
  // A caption wider than the control: one line, centred, its ends cut by both edges.
  b->Caption(u"A caption much longer than the control is wide, which stays on one line");
  const Picture wide = Image(*b);
  int top = 37, bottom = -1, left = 130, right = -1;
  for (int i = 0; i < 130 * 37; ++i) {
    const int x = i % 130, y = i / 130;
    if (wide[i] != text || x < 2 || x > 127 || y < 2 || y > 34) continue;
    top = std::min(top, y);
    bottom = std::max(bottom, y);
    left = std::min(left, x);
    right = std::max(right, x);
  }
  EXPECT_LT(bottom - top, 16);
  EXPECT_LE(left, 8);
  EXPECT_GE(right, 121);
}

TEST(OrvaneButton, ThemedFaceWhereVisualStylesAreUsable) {
  Host host;
  auto b = MakeButton(host.hwnd());
  forms::WindowDc dc(host.hwnd());
  const RECT r{0, 0, 50, 20};
  EXPECT_FALSE(ThemeLibrary::System()->Draw(host.hwnd(), dc.get(), L"QuellanNoSuchClass", 1, 1, r));
  EXPECT_FALSE(NoThemes()->Usable());
  if (!ThemeLibrary::System()->Draw(b->hwnd(), dc.get(), L"Button", 1, 1, r)) GTEST_SKIP() << "no visual style";
  Picture looks[6];
  for (int state = 1; state <= 5; ++state) {
    Access::DrawButton(*b, state);
    looks[state] = Image(*b);
  }
  EXPECT_NE(looks[1], looks[2]);
  EXPECT_NE(looks[1], looks[3]);
  b->Enabled(false);
  const Picture disabled = Image(*b);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_GT(CountColour(disabled, shadow), CountColour(looks[4], shadow));  // the caption in the shadow colour
  b->Enabled(true);
  b->UseThemeLibrary(NoThemes());
  Access::DrawButton(*b, kStateNormal);
  EXPECT_NE(Image(*b), looks[1]);
}

// ---- properties, persistence, repainting, resources ----

TEST(OrvaneButton, SavedAndLoadedPropertiesGiveTheSameControl) {
  Host host;
  auto original = MakeButton(host.hwnd(), u"Save Setting");
  original->UseThemeLibrary(NoThemes());
  original->ForeColor(forms::Rgb(0, 0, 255));
  original->Font(forms::MakeFont(u"Tahoma", 12.0f, 700));
  original->Caption(u"L\u01b0u &c\u00e0i \u0111\u1eb7t");
  forms::PropertySet stored;
  original->WriteProperties(stored);
  auto reread = forms::PropertySet::Parse(stored.Serialise());
  ASSERT_TRUE(reread);
  auto copy =
      OrvaneButton::Create(host.hwnd(), 102, RECT{20, 100, 150, 137}, *reread, forms::MakeFont(u"Tahoma", 8.25f), 96);
  ASSERT_TRUE(copy);
  copy->UseThemeLibrary(NoThemes());
  Access::DrawButton(*copy, kStateNormal);
  EXPECT_EQ(Image(*copy), Image(*original));
  wchar_t windowText[64] = {};
  GetWindowTextW(copy->hwnd(), windowText, 64);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(windowText)), original->Caption());
  // A stored disabled state creates a disabled window.
  reread->Set("Enabled", false);
  auto disabled =
      OrvaneButton::Create(host.hwnd(), 103, RECT{200, 100, 330, 137}, *reread, forms::MakeFont(u"Tahoma", 8.25f), 96);
  ASSERT_TRUE(disabled);
  EXPECT_FALSE(IsWindowEnabled(disabled->hwnd()));
  EXPECT_EQ(Access::Look(*disabled), kStateDisabled);
}

TEST(OrvaneButton, EveryRedrawReachesTheScreenAtTheNextRepaintAndRefreshChangesNothing) {
  Host host;
  auto b = MakeButton(host.hwnd());
  forms::WindowDc screen(b->hwnd());
  for (int state : {kStatePressed, kStateNormal, kStatePressed, kStateHot}) {
    for (int i = 0; i < 3; ++i) Access::DrawButton(*b, i == 2 ? state : kStateHot);
    UpdateWindow(b->hwnd());
    EXPECT_EQ(Pixels(screen.get()), Image(*b)) << state;
  }
  b->Caption(u"Changed");
  PumpFor(20);
  const Picture shown = Pixels(screen.get());
  EXPECT_EQ(shown, Image(*b));
  const unsigned long redraws = Access::Redraws(*b);
  b->refresh();
  EXPECT_EQ(Pixels(screen.get()), shown);
  EXPECT_EQ(Access::Redraws(*b), redraws);
}

TEST(OrvaneButton, FontChangesShowAtTheNextRedrawAndGdiObjectsBalance) {
  Host host;
  const long before = forms::GdiCounter::Live();
  {
    auto b = MakeButton(host.hwnd());
    b->UseThemeLibrary(NoThemes());
    Access::DrawButton(*b, kStateNormal);
    const Picture small = Image(*b);
    const long withButton = forms::GdiCounter::Live();
    b->Font()->size = 14.0f;  // shared object changed in place: nothing redrawn yet
    EXPECT_EQ(Image(*b), small);
    Access::DrawButton(*b, kStateNormal);
    EXPECT_NE(Image(*b), small);
    b->Font(forms::MakeFont(u"Tahoma", 8.25f));
    EXPECT_EQ(Image(*b), small);
    for (int i = 0; i < 3000; ++i) {
      if (i == 1500) b->UseThemeLibrary(ThemeLibrary::System());
      if (i % 100 == 0) b->Font()->size = 8.0f + static_cast<float>(i % 7);
      Access::DrawButton(*b, 1 + i % 5);
    }
    EXPECT_EQ(forms::GdiCounter::Live(), withButton);
  }
  EXPECT_EQ(forms::GdiCounter::Live(), before);
}

}  // namespace
}  // namespace quellan::button
