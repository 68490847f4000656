#include "ui/effect/frm_eff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "ui/forms/handles.h"
#include "ui/forms/persistent_surface.h"
#include "ui/forms/window.h"

namespace quellan::effect {
namespace {

const int W = GetSystemMetrics(SM_CXSCREEN);
const int H = GetSystemMetrics(SM_CYSCREEN);
using Picture = std::vector<std::uint32_t>;  // W x H, 0x00RRGGBB, top row first

// A colour of its own for every pixel, so that a shift by one pixel shows.
std::uint32_t Pattern(int x, int y) { return (x & 255) << 16 | (y & 255) << 8 | (x >> 8) << 4 | y >> 8; }

BITMAPINFO ScreenSizedDib() {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), W, -H, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  return info;
}

// The screen, read through the screen's DC as the effect reads it. Wine copies a window's drawing
// to the display at ReleaseDC, or at a PeekMessage 50 ms after the last copy; the effect keeps its
// DC, so the display gets that moment first.
Picture CaptureScreen() {
  Sleep(60);
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
  forms::WindowDc screen(nullptr);
  forms::MemoryDc memory(screen.get());
  BITMAPINFO info = ScreenSizedDib();
  void* bits = nullptr;
  forms::Bitmap dib(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  forms::SelectedObject selected(memory.get(), dib.get());
  BitBlt(memory.get(), 0, 0, W, H, screen.get(), 0, 0, SRCCOPY);
  GdiFlush();
  Picture picture(static_cast<const std::uint32_t*>(bits), static_cast<const std::uint32_t*>(bits) + W * H);
  for (std::uint32_t& p : picture) p &= 0xFFFFFF;
  return picture;
}

// Pixels of the picture where `checked` holds and the colour is not `expected`.
long Differences(const Picture& picture, const std::function<std::uint32_t(int, int)>& expected,
                 const std::function<bool(int, int)>& checked) {
  long count = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) count += checked(x, y) && picture[y * W + x] != expected(x, y);
  return count;
}
bool Everywhere(int, int) { return true; }

void Pump() {
  for (int i = 0; i < 5; ++i, Sleep(10))
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
}

// A full-screen window showing the pattern: the "desktop" the effect covers.
class Backdrop : public forms::Window {
 public:
  Backdrop() {
    RegisterClassOnce(L"QuellanTestBackdrop");
    Create(L"QuellanTestBackdrop", L"", WS_POPUP, 0, 0, 0, W, H, nullptr);
    m_surface.Attach(m_hwnd, RGB(0, 0, 0));
    Picture pattern(W * H);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) pattern[y * W + x] = Pattern(x, y);
    BITMAPINFO info = ScreenSizedDib();
    SetDIBitsToDevice(m_surface.Dc(), 0, 0, W, H, 0, 0, 0, H, pattern.data(), &info, DIB_RGB_COLORS);
    ShowWindow(m_hwnd, SW_SHOW);
    Pump();
  }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_ERASEBKGND) return 1;
    if (msg != WM_PAINT) return Window::OnMessage(msg, wp, lp);
    m_surface.Paint();
    return 0;
  }

 private:
  forms::PersistentSurface m_surface;
};

INPUT Mouse(DWORD flags, DWORD data = 0) {
  INPUT input{INPUT_MOUSE, {}};
  input.mi.dwFlags = flags;
  input.mi.mouseData = data;
  return input;
}
INPUT Key(WORD key, DWORD flags = 0) {
  INPUT input{INPUT_KEYBOARD, {}};
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  return input;
}
void Send(std::vector<INPUT> inputs) { SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }
void ClickLeft() { Send({Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)}); }

// Runs the effect with every random number equal to `value`, calling onStep(n) just before step n
// draws (after n - 1 complete steps); returns the number of steps begun. A run that does not end
// fails instead of hanging: at step 3000 its window is destroyed, at 3100 the test program ends.
int RunEffect(frmEff& effect, float value, const std::function<void(int)>& onStep) {
  int calls = 0;
  effect.doeffect([&] {
    const int step = calls++ / 4 + 1;
    if (calls % 4 == 1) onStep(step);
    if (step == 3000 && calls % 4 == 1) {
      ADD_FAILURE() << "the effect did not end; destroying its window";
      DestroyWindow(effect.hwnd());
    } else if (step == 3100) {
      std::fprintf(stderr, "the effect goes on after its window was destroyed\n");
      ExitProcess(3);
    }
    return value;
  });
  return (calls + 3) / 4;
}

class FrmEffTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(W / 2, H / 2);
    m_backdrop = std::make_unique<Backdrop>();
    m_before = CaptureScreen();
    ASSERT_EQ(Differences(m_before, Pattern, Everywhere), 0) << "the backdrop is not on the screen";
  }
  // The effect's window is gone, its GDI objects with it, and the real desktop shows again.
  void ExpectDesktopBack(HWND effectWindow) {
    EXPECT_FALSE(IsWindow(effectWindow));
    Pump();
    EXPECT_EQ(WindowFromPoint(POINT{W / 2, H / 2}), m_backdrop->hwnd());
    EXPECT_EQ(Differences(CaptureScreen(), Pattern, Everywhere), 0);
  }
  std::unique_ptr<Backdrop> m_backdrop;
  Picture m_before;
};

TEST_F(FrmEffTest, ShowsTheSnapshotThenSmearsItUpAndLeftUntilClicked) {
  struct Case {
    float value;  // every random number
    int steps;    // complete steps before the click
  } cases[] = {{0.0f, 10}, {0.5f, 6}, {0.25f, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const long gdiBefore = forms::GdiCounter::Live();
    Picture shown, smeared, repainted;
    HWND hwnd = nullptr;
    int steps = 0;
    {
      frmEff effect;
      steps = RunEffect(effect, c.value, [&](int step) {
        if (step == 1) {
          hwnd = effect.hwnd();
          RECT r{};
          GetWindowRect(hwnd, &r);
          EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == W && r.bottom == H);
          EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), WS_POPUP);
          for (POINT p : {POINT{0, 0}, POINT{W - 1, H - 1}}) EXPECT_EQ(WindowFromPoint(p), hwnd);
          shown = CaptureScreen();
        } else if (step == c.steps + 1) {
          smeared = CaptureScreen();
          // The persistent picture still holds the snapshot: a repaint undoes the smear.
          InvalidateRect(hwnd, nullptr, FALSE);
          UpdateWindow(hwnd);
          repainted = CaptureScreen();
          ClickLeft();
        }
      });
    }
    EXPECT_EQ(steps, c.steps + 1) << "the click did not end the effect at that step";
    EXPECT_EQ(forms::GdiCounter::Live(), gdiBefore);
    EXPECT_EQ(Differences(shown, Pattern, Everywhere), 0);
    EXPECT_EQ(Differences(repainted, Pattern, Everywhere), 0);
    // Every step copies the block at (x0, y0) one pixel up and left, so after k steps a pixel shows
    // what lay k pixels down and right of it, and nothing outside the block moves. Pixels traced
    // back to beyond the screen's edge are not checked.
    const int x0 = N((W - 128) * c.value), y0 = N((H - 128) * c.value), k = c.steps;
    auto inBlock = [&](int x, int y) { return x >= x0 - 1 && x <= x0 + 985 && y >= y0 - 1 && y <= y0 + 985; };
    auto traced = [&](int x, int y) {
      return x + k <= std::min(x0 + 986, W - 1) && y + k <= std::min(y0 + 986, H - 1);
    };
    auto movedFrom = [&](int x, int y) { return Pattern(x + k, y + k); };
    EXPECT_EQ(Differences(smeared, movedFrom, [&](int x, int y) { return inBlock(x, y) && traced(x, y); }), 0);
    EXPECT_EQ(Differences(smeared, Pattern, [&](int x, int y) { return !inBlock(x, y); }), 0);
    ExpectDesktopBack(hwnd);
  }
}

// Key presses the effect's window takes from the queue.
HWND g_keyTarget = nullptr;
int g_keys = 0;
LRESULT CALLBACK CountKeys(int code, WPARAM wp, LPARAM lp) {
  const MSG* msg = reinterpret_cast<const MSG*>(lp);
  if (code == HC_ACTION && wp == PM_REMOVE && msg->hwnd == g_keyTarget && msg->message == WM_KEYDOWN) ++g_keys;
  return CallNextHookEx(nullptr, code, wp, lp);
}
void CALLBACK DestroyKeyTarget(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  DestroyWindow(g_keyTarget);
}

TEST_F(FrmEffTest, KeysNeverEndTheEffectButEachOfTheseDoes) {
  struct Case {
    const char* what;
    std::function<void(HWND)> act;
    int stepsAfter;  // at most, after the act (a timer takes some milliseconds to come due)
    bool quits;
  } cases[] = {
      {"left button", [](HWND) { ClickLeft(); }, 0, false},
      {"right button",
       [](HWND) {
         Send({Mouse(MOUSEEVENTF_RIGHTDOWN), Mouse(MOUSEEVENTF_RIGHTUP)});
       },
       0, false},
      {"middle button",
       [](HWND) {
         Send({Mouse(MOUSEEVENTF_MIDDLEDOWN), Mouse(MOUSEEVENTF_MIDDLEUP)});
       },
       0, false},
      {"x button",
       [](HWND) {
         Send({Mouse(MOUSEEVENTF_XDOWN, XBUTTON1), Mouse(MOUSEEVENTF_XUP, XBUTTON1)});
       },
       0, false},
      {"WM_CLOSE", [](HWND h) { PostMessageW(h, WM_CLOSE, 0, 0); }, 0, false},
      {"SC_CLOSE", [](HWND h) { PostMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0, false},
      {"Alt+F4",
       [](HWND) {
         Send({Key(VK_MENU), Key(VK_F4), Key(VK_F4, KEYEVENTF_KEYUP), Key(VK_MENU, KEYEVENTF_KEYUP)});
       },
       0, false},
      {"DestroyWindow in a handler", [](HWND) { SetTimer(nullptr, 0, 1, DestroyKeyTarget); }, 2000, false},
      {"WM_QUIT", [](HWND) { PostQuitMessage(7); }, 0, true},
  };
  forms::UniqueHook hook(SetWindowsHookExW(WH_GETMESSAGE, CountKeys, nullptr, GetCurrentThreadId()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const long gdiBefore = forms::GdiCounter::Live();
    g_keys = 0;
    int keysBeforeAct = -1;
    int steps = 0;
    {
      frmEff effect;
      steps = RunEffect(effect, 0.5f, [&](int step) {
        g_keyTarget = effect.hwnd();
        if (step == 2) {
          for (WORD key : {WORD('A'), WORD(VK_ESCAPE), WORD(VK_RETURN), WORD(VK_SPACE), WORD(VK_F4)})
            Send({Key(key), Key(key, KEYEVENTF_KEYUP)});
        } else if (step == 10) {
          keysBeforeAct = g_keys;
          c.act(g_keyTarget);
        }
      });
    }
    EXPECT_EQ(keysBeforeAct, 5) << "the keys did not all reach the running effect";
    EXPECT_GE(steps, 10);
    EXPECT_LE(steps, 10 + c.stepsAfter);
    EXPECT_EQ(forms::GdiCounter::Live(), gdiBefore);
    // A quit request is handed on to the application's loop, exactly once.
    MSG msg;
    const bool quit = PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_EQ(quit, c.quits);
    EXPECT_EQ(quit ? msg.wParam : 7u, 7u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    ExpectDesktopBack(g_keyTarget);
  }
}

// What a timer saw of the shared instance during one run.
struct SharedRun {
  std::weak_ptr<frmEff> instance;
  HWND hwnd = nullptr;
  bool nestedRunReturned = false;
  int ticks = 0;
} g_run;

void CALLBACK WatchSharedRun(HWND, UINT, UINT_PTR, DWORD) {
  const std::shared_ptr<frmEff> shared = frmEff::Shared();
  if (++g_run.ticks == 1 && shared && IsWindowVisible(shared->hwnd())) {
    g_run.instance = shared;
    g_run.hwnd = shared->hwnd();
    RunSharedEffect();  // asked for while a run goes on: joins it instead of starting another
    g_run.nestedRunReturned = IsWindow(g_run.hwnd) && frmEff::Shared() == shared;
    ClickLeft();
  } else if (g_run.ticks > 300 && shared) {
    DestroyWindow(shared->hwnd());  // watchdog
  }
}

TEST_F(FrmEffTest, EverySharedRunIsAFreshWindowAndEmptiesTheSlot) {
  HWND previous = nullptr;
  for (int run = 0; run < 2; ++run) {
    EXPECT_EQ(frmEff::Shared(), nullptr);
    g_run = SharedRun{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, WatchSharedRun);
    RunSharedEffect();
    KillTimer(nullptr, timer);
    EXPECT_LT(g_run.ticks, 300) << "the click did not end the run";
    EXPECT_TRUE(g_run.nestedRunReturned);
    EXPECT_TRUE(g_run.instance.expired()) << "the run's window object outlived the run";
    EXPECT_EQ(frmEff::Shared(), nullptr);
    EXPECT_NE(g_run.hwnd, previous);
    ExpectDesktopBack(g_run.hwnd);
    previous = g_run.hwnd;
  }
}

}  // namespace
}  // namespace quellan::effect
