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
using Lines = std::vector<std::string>;

constexpr RECT kButtonRect{20, 30, 150, 67};  // 130 x 37 pixels in the host's client area
constexpr POINT kFarAway{700, 600};           // on the desktop, away from every test window

HWND g_dialog = nullptr;  // when set, the dialog manager sees the keys first (Tab, Enter)

// Dispatches messages until done() holds (asked after each message) or the time runs out.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 1000) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!g_dialog || !IsDialogMessageW(g_dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      if (done && done()) return true;
    }
    if ((done && done()) || GetTickCount() - start >= timeoutMs) return done && done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}
void PumpFor(DWORD ms) { PumpUntil(nullptr, ms); }
bool LookBecomes(const OrvaneButton& b, int state) {
  return PumpUntil([&] { return Access::Look(b) == state; }, 400);
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
  const LONG cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = static_cast<LONG>((screen.x * 65536LL + cx - 1) / cx);
  input.mi.dy = static_cast<LONG>((screen.y * 65536LL + cy - 1) / cy);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  PumpFor(0);
}

POINT CentreOf(HWND hwnd, int dx = 0) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return {(r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2};
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

// The events the control raised to its container, as text, in order ("MouseDown 1 0 65 18").
void Log(OrvaneButton& b, Lines& lines) {
  auto add = [&lines](std::string line, std::initializer_list<int> args) {
    for (int a : args) line += " " + std::to_string(a);
    lines.push_back(line);
  };
  auto mouse = [add](const char* name) {
    return [add, name](std::int16_t& bt, std::int16_t& s, float& x, float& y) {
      add(name, {bt, s, static_cast<int>(x), static_cast<int>(y)});
    };
  };
  ButtonEvents& e = b.Events();
  e.Click = [add] { add("Click", {}); };
  e.DblClick = [add] { add("DblClick", {}); };
  e.MouseDown = mouse("MouseDown");
  e.MouseUp = mouse("MouseUp");
  e.KeyDown = [add](std::int16_t& k, std::int16_t& s) { add("KeyDown", {k, s}); };
  e.KeyPress = [add](std::int16_t& k) { add("KeyPress", {k}); };
  e.KeyUp = [add](std::int16_t& k, std::int16_t& s) { add("KeyUp", {k, s}); };
}

Picture Pixels(HDC dc, int width = 130, int height = 37) {
  Picture p;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) p.push_back(GetPixel(dc, x, y));
  }
  return p;
}

Picture Image(const OrvaneButton& b) { return Pixels(b.Surface().Dc(), b.Surface().Width(), b.Surface().Height()); }

// The classic face and a caption drawn by hand with the control's font, for comparison.
Picture ClassicReference(const OrvaneButton& b, unsigned frameState, const wchar_t* text, COLORREF textColour,
                         unsigned format = 0x01A5) {
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

TEST(OrvaneButton, CreatedFromItsStoredSetOrPlacedNew) {
  Host host;
  auto stored = forms::PropertySet::Parse(u"Caption = \"Save Setting\"\nEnabled = false");
  ASSERT_TRUE(stored);
  auto b = OrvaneButton::Create(host.hwnd(), 101, kButtonRect, *stored, forms::MakeFont(u"Tahoma", 8.25f), 96);
  ASSERT_TRUE(b);
  EXPECT_FALSE(IsWindowEnabled(b->hwnd()));
  EXPECT_EQ(Access::Look(*b), kStateDisabled);
  // Window finders and screen readers see the caption.
  EXPECT_EQ(FindWindowExW(host.hwnd(), nullptr, L"QuellanOrvaneButton", L"Save Setting"), b->hwnd());
  b->Caption(u"Refresh");
  EXPECT_EQ(FindWindowExW(host.hwnd(), nullptr, nullptr, L"Refresh"), b->hwnd());
  // Resize, Show and the caption drew; the timer runs until its first tick, which draws again.
  EXPECT_EQ(Access::Redraws(*b), 3u);
  EXPECT_TRUE(PumpUntil([&] { return !Access::TimerRunning(*b) && Access::Redraws(*b) == 4; }));
  // A newly placed instance: the defaults (nothing to store) and 1320 x 510 twips.
  auto ambient = forms::MakeFont(u"Arial", 9.0f);
  for (int dpi : {96, 144}) {
    auto placed = OrvaneButton::CreateNew(host.hwnd(), 7, POINT{5, 6}, ambient, dpi);
    RECT r;
    GetWindowRect(placed->hwnd(), &r);
    EXPECT_EQ(r.right - r.left + r.bottom - r.top, dpi == 96 ? 88 + 34 : 132 + 51);
    EXPECT_EQ(placed->Caption(), u"UniButton");
    EXPECT_EQ(*placed->Font(), *ambient);
    forms::PropertySet written;
    placed->WriteProperties(written);
    EXPECT_TRUE(written.empty());
  }
}

// One step of real input, and the look the control shows after it (0: nothing redrawn at all).
struct Act {
  enum Op : DWORD {
    LeftDown = MOUSEEVENTF_LEFTDOWN,
    LeftUp = MOUSEEVENTF_LEFTUP,
    RightDown = MOUSEEVENTF_RIGHTDOWN,
    RightUp = MOUSEEVENTF_RIGHTUP,
    To = 0x10000,
    Away,
    Steal,
    Wait
  } op;
  int arg;  // To: pixels right of the control's centre; Wait: milliseconds
  int look;
};

TEST(OrvaneButton, RealInputGivesTheLooksAndEventsOfItsPath) {
  // The pointer starts away from the control; its centre is at (65, 18) in client coordinates.
  // clang-format off
  struct Row {
    const char* name;
    std::vector<Act> acts;
    Lines events;
    bool focused;
  } rows[] = {
      {"hover: hot while over, idle at the first tick after leaving without a move, then no more ticks",
       {{Act::To, 0, 2}, {Act::Wait, 250, 2}, {Act::Away, 0, 1}}, {}, false},
      {"press, drag out and back, release outside: no Click",
       {{Act::To, 0, 2}, {Act::LeftDown, 0, 3}, {Act::To, 150, 2}, {Act::To, 0, 3}, {Act::To, 150, 2}, {Act::LeftUp, 0, 5}},
       {"MouseDown 1 0 65 18", "MouseUp 1 0 215 18"}, true},
      {"right press: nothing drawn while held, no focus, no Click",
       {{Act::To, 0, 2}, {Act::RightDown, 0, 0}, {Act::To, 3, 0}, {Act::Wait, 150, 0}, {Act::RightUp, 0, 1}},
       {"MouseDown 2 0 65 18", "MouseUp 2 0 68 18"}, false},
      {"double click: one Click, the second press a MouseDown at the origin",
       {{Act::To, 0, 2}, {Act::LeftDown, 0, 3}, {Act::LeftUp, 0, 5}, {Act::LeftDown, 0, 3}, {Act::LeftUp, 0, 5}},
       {"MouseDown 1 0 65 18", "MouseUp 1 0 65 18", "Click", "MouseDown 1 0 0 0", "MouseUp 1 0 65 18"}, true},
      {"a press whose capture another window takes (a menu, a modal loop) makes no Click",
       {{Act::To, 20, 2}, {Act::LeftDown, 0, 3}, {Act::Steal, 0, 3}, {Act::LeftUp, 0, 5}},
       {"MouseDown 1 0 85 18", "MouseUp 1 0 85 18"}, true},
  };
  // clang-format on
  for (const Row& row : rows) {
    Host host;
    auto b = MakeButton(host.hwnd());
    Lines lines;
    Log(*b, lines);
    PumpUntil([&] { return !Access::TimerRunning(*b); });
    for (const Act& a : row.acts) {
      const unsigned long redraws = Access::Redraws(*b);
      const POINT centre = CentreOf(b->hwnd());
      if (a.op == Act::To) PointerTo({centre.x + a.arg, centre.y});
      if (a.op == Act::Away) SetCursorPos(kFarAway.x, kFarAway.y);  // no move reaches the control
      if (a.op == Act::Steal) SetCapture(host.hwnd()), ReleaseCapture();
      if (a.op == Act::Wait) PumpFor(a.arg);
      if (a.op < Act::To) SendMouse(a.op);
      const std::string step = std::string(row.name) + ", step " + std::to_string(&a - row.acts.data());
      if (a.look) {
        EXPECT_TRUE(LookBecomes(*b, a.look)) << step << ": look " << Access::Look(*b);
      } else {
        PumpFor(150);
        EXPECT_EQ(Access::Redraws(*b), redraws) << step;
      }
      const bool down = a.op == Act::LeftDown || a.op == Act::RightDown,
                 up = a.op == Act::LeftUp || a.op == Act::RightUp;
      EXPECT_TRUE((!down || GetCapture() == b->hwnd()) && (!up || !GetCapture())) << step << ": capture";
    }
    PumpFor(50);
    EXPECT_EQ(lines, row.events) << row.name;
    EXPECT_EQ(GetFocus() == b->hwnd(), row.focused) << row.name;
    PumpUntil([&] { return !Access::TimerRunning(*b); }, 300);  // a tick that finds the pointer gone
    const unsigned long redraws = Access::Redraws(*b);
    PumpFor(350);
    EXPECT_EQ(Access::Redraws(*b), redraws) << row.name;  // settled: no tick draws any more
  }
}

TEST(OrvaneButton, FocusResizeDisablingAndKeys) {
  Host host;
  auto b = MakeButton(host.hwnd(), u"Refresh", kButtonRect, 1);
  auto second = MakeButton(host.hwnd(), u"Save Setting", RECT{200, 30, 330, 67}, 2);
  Lines lines;
  Log(*b, lines);
  SetFocus(b->hwnd());
  EXPECT_EQ(Access::Look(*b), kStateDefaulted);
  SetWindowPos(b->hwnd(), nullptr, 0, 0, 140, 40, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(Access::Look(*b), kStateNormal);
  EXPECT_EQ(b->Surface().Width(), 140);
  // Keys raise key events only (Space and Enter make no Click); Tab moves the focus on.
  g_dialog = host.hwnd();
  for (int key : {VK_SPACE, -VK_SPACE, VK_RETURN, -VK_RETURN, VK_SHIFT, int{'A'}, -'A', -VK_SHIFT, VK_TAB, -VK_TAB}) {
    INPUT input{};  // a positive code presses, a negative one releases
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key < 0 ? -key : key);
    input.ki.dwFlags = key < 0 ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
  }
  PumpFor(100);
  g_dialog = nullptr;
  EXPECT_EQ(lines, (Lines{"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0", "KeyDown 13 0", "KeyPress 13", "KeyUp 13 0",
                          "KeyDown 16 1", "KeyDown 65 1", "KeyPress 65", "KeyUp 65 1", "KeyUp 16 0"}));
  EXPECT_EQ(GetFocus(), second->hwnd());
  SetFocus(b->hwnd());
  b->Enabled(false);  // disabling the focused control takes its focus away
  EXPECT_NE(GetFocus(), b->hwnd());
  EXPECT_FALSE(IsWindowEnabled(b->hwnd()));
  EXPECT_EQ(Access::Look(*b), kStateDisabled);
  // A disabled control takes no input.
  lines.clear();
  PointerTo(CentreOf(b->hwnd()));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  PumpFor(150);
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(Access::Look(*b), kStateDisabled);
  b->Enabled(true);
  EXPECT_EQ(Access::Look(*b), kStateNormal);
}

TEST(OrvaneButton, PicturesShowTheStatesReachTheScreenAndBalanceGdiObjects) {
  Host host;
  const long before = forms::GdiCounter::Live();
  {
    auto b = MakeButton(host.hwnd());
    b->UseThemeLibrary(NoThemes());
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    const long withButton = forms::GdiCounter::Live();
    Picture looks[6];
    for (int state = 1; state <= 5; ++state) {
      forms::Brush red(CreateSolidBrush(RGB(255, 0, 0)));  // whatever the surface held is covered
      RECT all{0, 0, 130, 37};
      FillRect(b->Surface().Dc(), &all, red.get());
      Access::DrawButton(*b, state);
      looks[state] = Image(*b);
    }
    EXPECT_EQ(looks[1], looks[2]);
    EXPECT_EQ(looks[1], looks[5]);
    EXPECT_EQ(looks[1], ClassicReference(*b, DFCS_BUTTONPUSH, L"Refresh", text));
    EXPECT_EQ(looks[3], ClassicReference(*b, DFCS_BUTTONPUSH | DFCS_PUSHED, L"Refresh", text));
    b->Enabled(false);
    EXPECT_EQ(Image(*b), ClassicReference(*b, DFCS_BUTTONPUSH, L"Refresh", GetSysColor(COLOR_BTNSHADOW)));
    b->Enabled(true);
    b->ForeColor(forms::Rgb(255, 0, 0));  // an RGB ForeColor colours the caption
    EXPECT_EQ(Image(*b), ClassicReference(*b, DFCS_BUTTONPUSH, L"Refresh", RGB(255, 0, 0)));
    // An unusable theme library (no entry points) draws the classic look as well.
    b->UseThemeLibrary(std::make_shared<const ThemeLibrary>(L"kernel32.dll"));
    b->ForeColor(0x80000012);
    EXPECT_EQ(Image(*b), looks[1]);
    // The shared font changed in place shows at the next redraw, not before.
    b->Font()->size = 14.0f;
    EXPECT_EQ(Image(*b), looks[1]);
    Access::DrawButton(*b, kStateNormal);
    EXPECT_NE(Image(*b), looks[1]);
    b->Font(forms::MakeFont(u"Tahoma", 8.25f));
    EXPECT_EQ(Image(*b), looks[1]);
    // Prefix processing: "&&" shows one ampersand. A caption wider than the control stays on one
    // line, centred, its ends cut by both edges. An empty caption draws the face alone.
    for (const wchar_t* caption : {L"&&", L"A caption much longer than the control is wide, on one line", L""}) {
      b->Caption(reinterpret_cast<const char16_t*>(caption));
      const bool prefix = caption[0] == L'&';
      EXPECT_EQ(Image(*b), ClassicReference(*b, DFCS_BUTTONPUSH, prefix ? L"&" : caption, text,
                                            0x01A5 | (prefix ? DT_NOPREFIX : 0)));
    }
    // Every redraw reaches the screen at the next repaint; refresh repaints without redrawing.
    forms::WindowDc screen(b->hwnd());
    for (int state : {kStatePressed, kStateNormal, kStateHot}) {
      for (int i = 0; i < 3; ++i) Access::DrawButton(*b, i == 2 ? state : kStateHot);
      UpdateWindow(b->hwnd());
      EXPECT_EQ(Pixels(screen.get()), Image(*b)) << state;
    }
    const unsigned long redraws = Access::Redraws(*b);
    b->refresh();
    PumpFor(20);
    EXPECT_EQ(Pixels(screen.get()), Image(*b));
    EXPECT_EQ(Access::Redraws(*b), redraws);
    for (int i = 0; i < 600; ++i) {
      if (i == 300) b->UseThemeLibrary(ThemeLibrary::System());
      if (i % 20 == 0) b->Font()->size = 8.0f + static_cast<float>(i % 7);
      Access::DrawButton(*b, 1 + i % 5);
    }
    EXPECT_EQ(forms::GdiCounter::Live(), withButton);
  }
  EXPECT_EQ(forms::GdiCounter::Live(), before);
}

}  // namespace
}  // namespace quellan::button
