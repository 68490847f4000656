#include "ui/button/orvane_button.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "harness.h"
#include "ui/forms/font_handle.h"

// uxtheme's entry points, recorded, exported for a ThemeLibrary loaded from this program. The drawing records the
// state asked for ('?': wrong part or rectangle) and, unless told to succeed, paints a stain and fails, so the control
// must draw its classic face over it. No theme data is recorded as "NoTheme" (state '-').
static struct {
  int open = 0;  // theme handles not yet closed
  char state = 0;
  std::string log;  // draws and the control's events: "Draw 2, MouseDown 1 0 65 18"
  HRESULT result = E_FAIL;
} g_theme;

static void Record(const std::string& entry) { g_theme.log += (g_theme.log.empty() ? "" : ", ") + entry; }

template <class Function>
static Function Uxtheme(const char* name) {
  static const HMODULE dll = LoadLibraryW(L"uxtheme.dll");
  return quellan::win32::EntryPoint<Function>(dll, name);
}

static const auto SetWindowTheme = Uxtheme<HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR)>("SetWindowTheme");

extern "C" __declspec(dllexport) HANDLE WINAPI OpenThemeData(HWND hwnd, LPCWSTR classList) {
  HANDLE theme = Uxtheme<decltype(&OpenThemeData)>("OpenThemeData")(hwnd, classList);
  if (!theme) g_theme.state = '-', Record("NoTheme");
  return g_theme.open += theme != nullptr, theme;
}
extern "C" __declspec(dllexport) HRESULT WINAPI
    DrawThemeBackground(HANDLE theme, HDC dc, int part, int state, const RECT* r, const RECT* clip) {
  const bool whole = part == 1 && r->left == 0 && r->top == 0 && EqualRect(r, clip);
  g_theme.state = whole ? static_cast<char>('0' + state) : '?';
  Record(std::string("Draw ") + g_theme.state);
  if (g_theme.result == S_OK)
    return Uxtheme<decltype(&DrawThemeBackground)>("DrawThemeBackground")(theme, dc, part, state, r, clip);
  return FillRect(dc, r, GetSysColorBrush(COLOR_HIGHLIGHT)), g_theme.result;
}
extern "C" __declspec(dllexport) HRESULT WINAPI CloseThemeData(HANDLE theme) {
  return --g_theme.open, Uxtheme<decltype(&CloseThemeData)>("CloseThemeData")(theme);
}

namespace quellan::button {
namespace {

// What the control should show in the state it last asked for, drawn by hand: visual style or classic face, caption.
harness::Picture Expected(const OrvaneButton& b, const std::u16string& caption, HRESULT themed, COLORREF text) {
  const char state = g_theme.state;
  RECT r;
  GetClientRect(b.hwnd(), &r);
  win32::WindowDc screen(nullptr);
  win32::MemoryDc dc(screen.get());
  win32::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), r.right, r.bottom));
  win32::SelectedObject selectBitmap(dc.get(), bitmap.get());
  FillRect(dc.get(), &r, GetSysColorBrush(COLOR_BTNFACE));
  if (themed != S_OK || state == '-' || !ThemeLibrary::System().Draw(nullptr, dc.get(), L"Button", 1, state - '0', r))
    DrawFrameControl(dc.get(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | (state == '3' ? DFCS_PUSHED : 0));
  win32::Font font = forms::CreateFontHandle(*b.Font(), 96);
  win32::SelectedObject selectFont(dc.get(), font.get());
  SetBkMode(dc.get(), TRANSPARENT);
  SetTextColor(dc.get(), text);
  DrawTextW(dc.get(), win32::Wide(caption), -1, &r, 0x01A5);
  return harness::Capture(dc.get(), r);
}

// Steps, with an argument: To pixels right of the centre, Down/Up 0 left or 1 right, Key a key (< 0: Shift held), Space
// 1 down or 0 up, Style 0 the window's visual style off (no class: Wine refuses "") or 1 on, Send a message.
enum Op { To, Down, Up, Steal, Key, Space, Enable, Grow, Resize, Style, Send };

TEST(OrvaneButton, RealInputGivesTheSequenceAndPicturesOfItsPath) {
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  const ThemeLibrary theme(program);
  // A release over the control ends the capture, after which the system moves the pointer (hot).
  const std::string click = "Draw 2, MouseDown 1 0 65 18, Draw 3, MouseUp 1 0 65 18, Draw 5, Click, Draw 2";
  // clang-format off
  // themed: what the visual-style drawing returns; expected: the draws and events after creation.
  const struct { const char* name; StoredProperties stored; HRESULT themed; std::vector<std::pair<Op, int>> acts;
                 std::string expected; } rows[] = {
      {"hover: hot while over, idle at the first tick after the pointer left; a style change shows at the next redraw",
       {{}, {}, {}, u"A caption much longer than the control is wide, on one line"}, S_OK, {{To, 0}, {Style, 0},
       {To, 300}, {Style, 1}, {To, 0}, {To, 300}}, "Draw 2, NoTheme, Draw 2, Draw 1"},
      {"press, drag out (a tick falls back to focused) and back, release outside: no Click; resized: idle",
       {{}, {}, {}, u"Refresh"}, E_FAIL, {{To, 0}, {Down, 0}, {To, 150}, {To, 0}, {To, 150}, {Up, 0}, {Resize, 9}},
       "Draw 2, MouseDown 1 0 65 18, Draw 3, Draw 2, Draw 5, Draw 3, Draw 2, MouseUp 1 0 215 18, Draw 5, "
       "Draw 1 (focused)"},
      {"right press: nothing drawn while held, no focus, no Click", {255, {}, {}, u""}, E_FAIL, {{To, 0}, {Down, 1},
       {To, 3}, {Up, 1}}, "Draw 2, MouseDown 2 0 65 18, MouseUp 2 0 68 18, Draw 1, Draw 2"},
      {"double click: one Click, the second press a MouseDown at the origin", {{}, {}, {}, u"&&"}, E_FAIL,
       {{To, 0}, {Down, 0}, {Up, 0}, {Down, 0}, {Up, 0}},
       click + ", MouseDown 1 0 0 0, Draw 3, MouseUp 1 0 65 18, Draw 5, Draw 2 (focused)"},
      {"a press whose capture another window takes makes no Click", {}, S_OK, {{To, 20}, {Down, 0}, {Steal, 0},
       {Up, 0}}, "Draw 2, MouseDown 1 0 85 18, Draw 3, MouseUp 1 0 85 18, Draw 5 (focused)"},
      {"key events first; Space: pressed, Click at its release unless the focus left; Enter: Click; Tab: focus on",
       {{}, {}, {}, u"&Save"}, E_FAIL, {{To, 0}, {Down, 0}, {Up, 0}, {Space, 1}, {Space, 0}, {Key, VK_RETURN},
       {Space, 1}, {Key, VK_TAB}, {Key, -VK_TAB}, {Space, 0}, {Key, -'A'}, {Key, VK_TAB}}, click + ", KeyDown 32 0, "
       "Draw 3, KeyPress 32, KeyUp 32 0, Draw 5, Click, KeyDown 13 0, Click, KeyPress 13, KeyUp 13 0, KeyDown 32 0, "
       "Draw 3, KeyPress 32, Draw 1, Draw 5, KeyUp 9 1, KeyUp 16 0, KeyUp 32 0, KeyDown 16 1, KeyDown 65 1, "
       "KeyPress 65, KeyUp 65 1, KeyUp 16 0, Draw 1"},
      {"disabled: no input, no BM_CLICK; enabled: idle, BM_CLICK a Click; a font changed in place shows at the next "
       "redraw", {255, false, {}, u"Save Setting"}, E_FAIL, {{To, 0}, {Down, 0}, {Up, 0}, {Send, BM_CLICK},
       {Enable, 1}, {Send, BM_CLICK}, {Grow, 4}, {Resize, 9}, {Enable, 0}}, "Draw 1, Click, Draw 1, Draw 4"},
  };
  // clang-format on
  const long gdi = win32::GdiCounter::Live();
  for (const auto& row : rows) {
    win32::UniqueWindow host(CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 400,
                                             200, nullptr, nullptr, nullptr, nullptr));
    harness::MoveTo({700, 600});
    g_theme.result = row.themed, g_theme.log.clear();
    OrvaneButton b, next;
    auto log = [](const char* name) {
      return [name](auto&... args) { Record((std::string(name) + ... + (' ' + std::to_string(int(args))))); };
    };
    b.Events() = {log("Click"),     log("DblClick"), log("KeyDown"), log("KeyPress"), log("KeyUp"),
                  log("MouseDown"), nullptr,         log("MouseUp"), nullptr};
    b.UseThemeLibrary(theme);
    ASSERT_TRUE(b.Create(host.get(), 1, {20, 30, 150, 67}, row.stored, forms::MakeFont(u"Tahoma", 8.25f), 96));
    ASSERT_TRUE(next.Create(host.get(), 2, {20, 100, 150, 137}, {}, forms::MakeFont(u"Tahoma", 8.25f), 96));
    const std::u16string caption = row.stored.Caption.value_or(u"UniButton");
    EXPECT_EQ(harness::WindowText(b.hwnd()), caption);
    EXPECT_EQ(SendMessageW(b.hwnd(), WM_GETOBJECT, 0, OBJID_QUERYCLASSNAMEIDX), 65536 + 2);  // oleacc's "Button"
    const std::string created = b.Enabled() ? "Draw 1, Draw 1, Draw 1, " : "Draw 4, Draw 4, Draw 4, ";  // and a tick
    harness::Pump(150, host.get());
    for (const auto& [op, arg] : row.acts) {
      if (op == To) harness::MoveTo(harness::ScreenPoint(b.hwnd(), {65 + arg, 18}));  // from the centre
      if (op == Down || op == Up) (op == Down ? harness::Press : harness::Release)(harness::Mouse(arg));
      if (op == Steal) SetCapture(host.get()), ReleaseCapture();
      if (op == Key) harness::Key(static_cast<WORD>(arg < 0 ? -arg : arg), arg < 0);
      if (op == Space) keybd_event(VK_SPACE, 0, arg ? 0 : KEYEVENTF_KEYUP, 0);
      if (op == Style) SetWindowTheme(b.hwnd(), arg ? nullptr : L" ", arg ? nullptr : L" ");
      if (op == Send) SendMessageW(b.hwnd(), static_cast<UINT>(arg), 0, 0);
      if (op == Enable) b.Enabled(arg != 0);
      if (op == Grow) b.Font()->size += static_cast<float>(arg);
      if (op == Resize) SetWindowPos(b.hwnd(), nullptr, 0, 0, 130 + arg, 37 + arg, SWP_NOMOVE | SWP_NOZORDER);
      harness::Pump(op == To ? 250 : 100, host.get());  // a move is followed by at least one tick
      const std::string step = std::string(row.name) + ", after " + g_theme.log;
      EXPECT_EQ(g_theme.open, 0) << step;       // no theme handle outlives its drawing
      if (op == Grow || op == Style) continue;  // the picture keeps the font and style it was drawn with
      const COLORREF text = g_theme.state == '4' ? GetSysColor(COLOR_BTNSHADOW)
                                                 : row.stored.ForeColor.value_or(GetSysColor(COLOR_BTNTEXT));
      EXPECT_EQ(harness::CaptureClient(b.hwnd()), Expected(b, caption, row.themed, text)) << step;
    }
    harness::Pump(350, host.get());  // settled: no tick draws any more
    EXPECT_EQ(g_theme.log + (GetFocus() == b.hwnd() ? " (focused)" : ""), created + row.expected) << row.name;
  }
  EXPECT_EQ(win32::GdiCounter::Live(), gdi);  // every font, bitmap and DC freed with its control
}

}  // namespace
}  // namespace quellan::button
