#include "ui/button/orvane_button.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "call_sequence.h"
#include "harness.h"

// uxtheme's entry points, recorded, exported for a ThemeLibrary loaded from this program. The drawing records the
// state asked for (-1: wrong part or rectangle); no theme data is recorded as NoTheme.
static struct {
  int open = 0;                   // theme handles not yet closed
  quellan::button::Sequence log;  // draws and the control's events
} g_theme;

template <class Function>
static Function Uxtheme(const char* name) {
  static const HMODULE dll = LoadLibraryW(L"uxtheme.dll");
  return quellan::win32::EntryPoint<Function>(dll, name);
}
static const auto SetWindowTheme = Uxtheme<HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR)>("SetWindowTheme");
static const auto SystemOpen = Uxtheme<HANDLE(WINAPI*)(HWND, LPCWSTR)>("OpenThemeData");
static const auto SystemDraw =
    Uxtheme<HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*)>("DrawThemeBackground");
static const auto SystemClose = Uxtheme<HRESULT(WINAPI*)(HANDLE)>("CloseThemeData");

extern "C" __declspec(dllexport) HANDLE WINAPI OpenThemeData(HWND hwnd, LPCWSTR classList) {
  HANDLE theme = SystemOpen(hwnd, classList);
  if (!theme) g_theme.log.push_back({quellan::button::NoTheme});
  g_theme.open += theme != nullptr;
  return theme;
}
extern "C" __declspec(dllexport) HRESULT WINAPI
    DrawThemeBackground(HANDLE theme, HDC dc, int part, int state, const RECT* r, const RECT* clip) {
  const bool whole = part == 1 && r->left == 0 && r->top == 0 && EqualRect(r, clip);
  g_theme.log.push_back({quellan::button::Draw, whole ? state : -1});
  return SystemDraw(theme, dc, part, state, r, clip);
}
extern "C" __declspec(dllexport) HRESULT WINAPI CloseThemeData(HANDLE theme) {
  --g_theme.open;
  return SystemClose(theme);
}

namespace quellan::button {
namespace {

Sequence Then(Sequence first, const Sequence& next) {
  first.insert(first.end(), next.begin(), next.end());
  return first;
}

// Steps, with an argument: To pixels right of the centre, Down/Up 0 left or 1 right, Key a key (< 0: Shift held), Space
// 1 down or 0 up, Style 0 the window's visual style off (no class: Wine refuses "") or 1 on, Send a message.
enum Act { To, Down, Up, Steal, Key, Space, Enabled, Resize, Style, Send };

TEST(OrvaneButton, RealInputGivesTheSequenceOfItsPath) {
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  const ThemeLibrary theme(program);
  // A release over the control ends the capture, after which the system moves the pointer (hot).
  const Sequence click{{Draw, 2}, {MouseDown, 1, 0, 65, 18}, {Draw, 3}, {MouseUp, 1, 0, 65, 18}, {Draw, 5}, {Click},
                       {Draw, 2}};
  // clang-format off
  // expected: the draws and events after the acts, and whether the control keeps the focus at the end.
  const struct { const char* name; StoredProperties stored; std::vector<std::pair<Act, int>> acts;
                 Sequence expected; bool focused; } rows[] = {
      {"hover: hot while over, idle at the first tick after the pointer left; a style change shows at the next redraw",
       {{}, {}, {}, u"A caption much longer than the control is wide, on one line"}, {{To, 0}, {Style, 0},
       {To, 300}, {Style, 1}, {To, 0}, {To, 300}}, {{Draw, 2}, {NoTheme}, {Draw, 2}, {Draw, 1}}, false},
      {"press, drag out (a tick falls back to focused) and back, release outside: no Click; resized: idle",
       {{}, {}, {}, u"Refresh"}, {{To, 0}, {Down, 0}, {To, 150}, {To, 0}, {To, 150}, {Up, 0}, {Resize, 9}},
       {{Draw, 2}, {MouseDown, 1, 0, 65, 18}, {Draw, 3}, {Draw, 2}, {Draw, 5}, {Draw, 3}, {Draw, 2},
        {MouseUp, 1, 0, 215, 18}, {Draw, 5}, {Draw, 1}}, true},
      {"right press: nothing drawn while held, no focus, no Click", {255, {}, {}, u""}, {{To, 0}, {Down, 1},
       {To, 3}, {Up, 1}}, {{Draw, 2}, {MouseDown, 2, 0, 65, 18}, {MouseUp, 2, 0, 68, 18}, {Draw, 1}, {Draw, 2}}, false},
      {"double click: one Click, the second press a MouseDown at the origin", {{}, {}, {}, u"&&"},
       {{To, 0}, {Down, 0}, {Up, 0}, {Down, 0}, {Up, 0}},
       Then(click, {{MouseDown, 1, 0, 0, 0}, {Draw, 3}, {MouseUp, 1, 0, 65, 18}, {Draw, 5}, {Draw, 2}}), true},
      {"a press whose capture another window takes makes no Click", {}, {{To, 20}, {Down, 0}, {Steal, 0},
       {Up, 0}}, {{Draw, 2}, {MouseDown, 1, 0, 85, 18}, {Draw, 3}, {MouseUp, 1, 0, 85, 18}, {Draw, 5}}, true},
      {"key events first; Space: pressed, Click at its release unless the focus left; Enter: Click; Tab: focus on",
       {{}, {}, {}, u"&Save"}, {{To, 0}, {Down, 0}, {Up, 0}, {Space, 1}, {Space, 0}, {Key, VK_RETURN},
       {Space, 1}, {Key, VK_TAB}, {Key, -VK_TAB}, {Space, 0}, {Key, -'A'}, {Key, VK_TAB}},
       Then(click, {{KeyDown, 32, 0}, {Draw, 3}, {KeyPress, 32}, {KeyUp, 32, 0}, {Draw, 5}, {Click}, {KeyDown, 13, 0},
                    {Click}, {KeyPress, 13}, {KeyUp, 13, 0}, {KeyDown, 32, 0}, {Draw, 3}, {KeyPress, 32}, {Draw, 1},
                    {Draw, 5}, {KeyUp, 9, 1}, {KeyUp, 16, 0}, {KeyUp, 32, 0}, {KeyDown, 16, 1}, {KeyDown, 65, 1},
                    {KeyPress, 65}, {KeyUp, 65, 1}, {KeyUp, 16, 0}, {Draw, 1}}), false},
      {"disabled: no input, no BM_CLICK; enabled: idle, BM_CLICK a Click; resized: idle",
       {255, false, {}, u"Save Setting"}, {{To, 0}, {Down, 0}, {Up, 0}, {Send, BM_CLICK}, {Enabled, 1},
       {Send, BM_CLICK}, {Resize, 9}, {Enabled, 0}},
       {{Draw, 1}, {Click}, {Draw, 1}, {Draw, 4}}, false},
  };
  // clang-format on
  const long gdi = win32::GdiCounter::Live();
  for (const auto& row : rows) {
    win32::UniqueWindow host(CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 400,
                                             200, nullptr, nullptr, nullptr, nullptr));
    harness::MoveTo({700, 600});
    g_theme.log.clear();
    OrvaneButton b, next;
    auto log = [](Op op) { return [op](auto&... args) { g_theme.log.emplace_back(op, args...); }; };
    b.Events() = {log(Click),     log(DblClick), log(KeyDown), log(KeyPress), log(KeyUp),
                  log(MouseDown), nullptr,       log(MouseUp), nullptr};
    b.UseThemeLibrary(theme);
    ASSERT_TRUE(b.Create(host.get(), 1, {20, 30, 150, 67}, row.stored, forms::MakeFont(u"Tahoma", 8.25f), 96));
    ASSERT_TRUE(next.Create(host.get(), 2, {20, 100, 150, 137}, {}, forms::MakeFont(u"Tahoma", 8.25f), 96));
    EXPECT_EQ(harness::WindowText(b.hwnd()), row.stored.Caption.value_or(u"UniButton"));
    EXPECT_EQ(SendMessageW(b.hwnd(), WM_GETOBJECT, 0, OBJID_QUERYCLASSNAMEIDX), 65536 + 2);  // oleacc's "Button"
    harness::Pump(150, host.get());  // Resize, Show and a tick draw it idle
    EXPECT_EQ(std::exchange(g_theme.log, {}), Sequence(3, {Draw, b.Enabled() ? 1 : 4})) << row.name;
    for (const auto& [act, arg] : row.acts) {
      if (act == To) harness::MoveTo(harness::ScreenPoint(b.hwnd(), {65 + arg, 18}));  // from the centre
      if (act == Down || act == Up) (act == Down ? harness::Press : harness::Release)(harness::Mouse(arg));
      if (act == Steal) SetCapture(host.get()), ReleaseCapture();
      if (act == Key) harness::Key(static_cast<WORD>(arg < 0 ? -arg : arg), arg < 0);
      if (act == Space) keybd_event(VK_SPACE, 0, arg ? 0 : KEYEVENTF_KEYUP, 0);
      if (act == Style) SetWindowTheme(b.hwnd(), arg ? nullptr : L" ", arg ? nullptr : L" ");
      if (act == Send) SendMessageW(b.hwnd(), static_cast<UINT>(arg), 0, 0);
      if (act == Enabled) b.Enabled(arg != 0);
      if (act == Resize) SetWindowPos(b.hwnd(), nullptr, 0, 0, 130 + arg, 37 + arg, SWP_NOMOVE | SWP_NOZORDER);
      harness::Pump(act == To ? 250 : 100, host.get());  // a move is followed by at least one tick
      EXPECT_EQ(g_theme.open, 0) << row.name << ", after " << ::testing::PrintToString(g_theme.log);
    }
    harness::Pump(350, host.get());  // settled: no tick draws any more
    EXPECT_EQ(g_theme.log, row.expected) << row.name;
    EXPECT_EQ(GetFocus() == b.hwnd(), row.focused) << row.name;
  }
  EXPECT_EQ(win32::GdiCounter::Live(), gdi);  // every font, bitmap and DC freed with its control
}

// Idle, hot, pressed, pressed and dragged off (focused), disabled, and enabled again after its font grew: themed,
// then classic. One picture each, stacked, compared with button-looks.png.
TEST(OrvaneButton, LooksAsItsReferenceThemedAndClassic) {
  const win32::UniqueWindow host(CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100,
                                                 200, 100, nullptr, nullptr, nullptr, nullptr));
  harness::Picture looks;
  for (const wchar_t* style : {static_cast<const wchar_t*>(nullptr), L" "}) {
    harness::MoveTo({700, 600});
    OrvaneButton b;
    ASSERT_TRUE(b.Create(host.get(), 1, {20, 30, 150, 67}, {255, {}, {}, u"&Save Setting"},
                         forms::MakeFont(u"Tahoma", 8.25f), 96));
    SetWindowTheme(b.hwnd(), style, style);
    for (int look = 0; look < 6; ++look) {
      if (look == 1 || look == 3) harness::MoveTo(look == 1 ? harness::ScreenPoint(b.hwnd()) : POINT{700, 600});
      if (look == 2) harness::Press(harness::Mouse::Left);
      if (look == 5) b.Font()->size += 4;
      if (look >= 4) b.Enabled(look == 5);
      harness::Pump(250, host.get());
      const harness::Picture tile = harness::CaptureClient(b.hwnd());
      looks.width = tile.width, looks.height += tile.height;
      looks.pixels.insert(looks.pixels.end(), tile.pixels.begin(), tile.pixels.end());
    }
    harness::Release(harness::Mouse::Left);
  }
  EXPECT_TRUE(harness::MatchesReference(looks, QUELLAN_REFERENCES "/button-looks.ppm"));
}

}  // namespace
}  // namespace quellan::button
