#include "ui/effect/frm_eff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ui/forms/handles.h"

namespace quellan::effect {
namespace {

const int W = GetSystemMetrics(SM_CXSCREEN);
const int H = GetSystemMetrics(SM_CYSCREEN);
using Picture = std::vector<std::uint32_t>;  // W x H, 0x00RRGGBB, top row first
BITMAPINFO kScreenDib{{sizeof(BITMAPINFOHEADER), W, -H, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};

// A colour of its own for every pixel, so that a shift by one pixel shows.
std::uint32_t Pattern(int x, int y) { return (x & 255) << 16 | (y & 255) << 8 | (x >> 8) << 4 | y >> 8; }

void Pump() {
  for (int i = 0; i < 5; ++i, Sleep(10))
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
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
  void* bits = nullptr;
  forms::Bitmap dib(CreateDIBSection(screen.get(), &kScreenDib, DIB_RGB_COLORS, &bits, nullptr, 0));
  forms::SelectedObject selected(memory.get(), dib.get());
  BitBlt(memory.get(), 0, 0, W, H, screen.get(), 0, 0, SRCCOPY);
  GdiFlush();
  Picture picture(static_cast<const std::uint32_t*>(bits), static_cast<const std::uint32_t*>(bits) + W * H);
  for (std::uint32_t& p : picture) p &= 0xFFFFFF;
  return picture;
}

// Pixels of the picture where `checked` holds and the colour is not `expected`.
long Differences(
    const Picture& picture, const std::function<std::uint32_t(int, int)>& expected,
    const std::function<bool(int, int)>& checked = [](int, int) { return true; }) {
  long count = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) count += checked(x, y) && picture[y * W + x] != expected(x, y);
  return count;
}

// A full-screen window showing the pattern: the "desktop" the effect covers.
struct Backdrop {
  Backdrop() {
    void* bits = nullptr;
    m_bitmap.reset(CreateDIBSection(nullptr, &kScreenDib, DIB_RGB_COLORS, &bits, nullptr, 0));
    for (int i = 0; i < W * H; ++i) static_cast<std::uint32_t*>(bits)[i] = Pattern(i % W, i / W);
    m_window.reset(CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP | WS_VISIBLE | SS_BITMAP | SS_NOTIFY, 0, 0, W, H,
                                   nullptr, nullptr, nullptr, nullptr));
    SendMessageW(m_window.get(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_bitmap.get()));
    Pump();
  }
  forms::Bitmap m_bitmap;
  forms::UniqueWindow m_window;
};

// One input event: a mouse event when key is 0, a key otherwise.
INPUT Input(DWORD flags, WORD key = 0, DWORD mouseData = 0) {
  INPUT input{key ? DWORD{INPUT_KEYBOARD} : DWORD{INPUT_MOUSE}, {}};
  if (key) input.ki = KEYBDINPUT{key, 0, flags, 0, 0};
  if (!key) input.mi = MOUSEINPUT{0, 0, mouseData, flags, 0, 0};
  return input;
}
void Send(std::vector<INPUT> inputs) { SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }
void ClickLeft() { Send({Input(MOUSEEVENTF_LEFTDOWN), Input(MOUSEEVENTF_LEFTUP)}); }

// Runs the effect with every random number equal to `value`, calling onStep(n) just before step n
// draws (after n - 1 complete steps); returns the number of steps begun. A run that does not end
// fails: at step 3000 its window is destroyed (a run that goes on even then meets the test's timeout).
int RunEffect(frmEff& effect, float value, const std::function<void(int)>& onStep) {
  int calls = 0;
  effect.doeffect([&] {
    const int step = calls++ / 4 + 1;
    if (calls % 4 == 1) onStep(step);
    if (step == 3000 && calls % 4 == 1) {
      ADD_FAILURE() << "the effect did not end; destroying its window";
      DestroyWindow(effect.hwnd());
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
    ASSERT_EQ(Differences(CaptureScreen(), Pattern), 0) << "the backdrop is not on the screen";
    m_gdiBefore = forms::GdiCounter::Live();
  }
  // The effect's window is gone, its GDI objects with it, and the real desktop shows again.
  void ExpectDesktopBack(HWND effectWindow) {
    EXPECT_FALSE(IsWindow(effectWindow));
    EXPECT_EQ(forms::GdiCounter::Live(), m_gdiBefore);
    Pump();
    EXPECT_EQ(WindowFromPoint(POINT{W / 2, H / 2}), m_backdrop->m_window.get());
    EXPECT_EQ(Differences(CaptureScreen(), Pattern), 0);
  }
  std::unique_ptr<Backdrop> m_backdrop;
  long m_gdiBefore = 0;
};

// Key presses the effect's window takes from the queue.
HWND g_target = nullptr;
int g_keys = 0;
LRESULT CALLBACK CountKeys(int code, WPARAM wp, LPARAM lp) {
  const MSG* msg = reinterpret_cast<const MSG*>(lp);
  if (code == HC_ACTION && wp == PM_REMOVE && msg->hwnd == g_target && msg->message == WM_KEYDOWN) ++g_keys;
  return CallNextHookEx(nullptr, code, wp, lp);
}

// Each run shows the snapshot, smears it up and left, ignores keys, and ends at once on the act.
TEST_F(FrmEffTest, SmearsTheSnapshotUpAndLeftIgnoringKeysUntilAButtonOrClose) {
  const DWORD kUp = KEYEVENTF_KEYUP;
  struct Case {
    const char* what;
    float value;               // every random number
    std::vector<INPUT> input;  // sent when not empty
    UINT message;              // otherwise: posted to the window, or WM_QUIT / WM_DESTROY done directly
    WPARAM wParam;
  } cases[] = {
      {"left button", 0.0f, {Input(MOUSEEVENTF_LEFTDOWN), Input(MOUSEEVENTF_LEFTUP)}, 0, 0},
      {"right button", 0.5f, {Input(MOUSEEVENTF_RIGHTDOWN), Input(MOUSEEVENTF_RIGHTUP)}, 0, 0},
      {"middle button", 0.5f, {Input(MOUSEEVENTF_MIDDLEDOWN), Input(MOUSEEVENTF_MIDDLEUP)}, 0, 0},
      {"x button", 0.5f, {Input(MOUSEEVENTF_XDOWN, 0, XBUTTON1), Input(MOUSEEVENTF_XUP, 0, XBUTTON1)}, 0, 0},
      {"Alt+F4", 0.5f, {Input(0, VK_MENU), Input(0, VK_F4), Input(kUp, VK_F4), Input(kUp, VK_MENU)}, 0, 0},
      {"WM_CLOSE", 0.5f, {}, WM_CLOSE, 0},
      {"SC_CLOSE", 0.5f, {}, WM_SYSCOMMAND, SC_CLOSE},
      {"WM_QUIT", 0.5f, {}, WM_QUIT, 7},
      {"DestroyWindow", 0.5f, {}, WM_DESTROY, 0},
  };
  const int k = 9;  // complete steps before the act
  forms::UniqueHook hook(SetWindowsHookExW(WH_GETMESSAGE, CountKeys, nullptr, GetCurrentThreadId()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_keys = 0;
    int keysBeforeAct = -1;
    Picture shown, smeared, repainted;
    auto effect = std::make_unique<frmEff>();
    const int steps = RunEffect(*effect, c.value, [&](int step) {
      g_target = effect->hwnd();
      if (step == 1) {
        // Borderless over the whole screen: a frame would show in the picture.
        for (POINT p : {POINT{0, 0}, POINT{W - 1, H - 1}}) EXPECT_EQ(WindowFromPoint(p), g_target);
        shown = CaptureScreen();
        for (WORD key : {WORD('A'), WORD(VK_ESCAPE), WORD(VK_RETURN), WORD(VK_SPACE), WORD(VK_F4)})
          Send({Input(0, key), Input(kUp, key)});
      } else if (step == k + 1) {
        keysBeforeAct = g_keys;
        smeared = CaptureScreen();
        InvalidateRect(g_target, nullptr, FALSE);  // the persistent picture still holds the snapshot
        UpdateWindow(g_target);
        repainted = CaptureScreen();
        if (!c.input.empty()) Send(c.input);
        if (c.message == WM_QUIT) PostQuitMessage(static_cast<int>(c.wParam));
        if (c.message == WM_DESTROY) DestroyWindow(g_target);  // gone before this step draws
        if (c.message == WM_CLOSE || c.message == WM_SYSCOMMAND) PostMessageW(g_target, c.message, c.wParam, 0);
      }
    });
    effect.reset();
    EXPECT_EQ(keysBeforeAct, 5) << "the keys did not all reach the running effect";
    EXPECT_EQ(steps, k + 1) << "the act did not end the effect at that step";
    EXPECT_EQ(Differences(shown, Pattern), 0);
    EXPECT_EQ(Differences(repainted, Pattern), 0);
    // Every step copies the block at (x0, y0) one pixel up and left, so after k steps a pixel shows
    // what lay k pixels down and right of it, and nothing outside the block moves. Pixels traced
    // back to beyond the screen's edge are not checked.
    const int x0 = N((W - 128) * c.value), y0 = N((H - 128) * c.value);
    auto inBlock = [&](int x, int y) { return x >= x0 - 1 && x <= x0 + 985 && y >= y0 - 1 && y <= y0 + 985; };
    auto traced = [&](int x, int y) {
      return x + k <= std::min(x0 + 986, W - 1) && y + k <= std::min(y0 + 986, H - 1);
    };
    auto movedFrom = [&](int x, int y) { return Pattern(x + k, y + k); };
    EXPECT_EQ(Differences(smeared, movedFrom, [&](int x, int y) { return inBlock(x, y) && traced(x, y); }), 0);
    EXPECT_EQ(Differences(smeared, Pattern, [&](int x, int y) { return !inBlock(x, y); }), 0);
    // A quit request is handed on to the application's loop, exactly once.
    MSG msg;
    EXPECT_EQ(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE), c.message == WM_QUIT);
    EXPECT_TRUE(c.message != WM_QUIT || msg.wParam == c.wParam) << msg.wParam;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    ExpectDesktopBack(g_target);
  }
}

// Clicks once the shared instance's window shows, and notes that window.
HWND g_shown = nullptr;
void CALLBACK ClickWhenShown(HWND, UINT, UINT_PTR, DWORD) {
  const std::shared_ptr<frmEff> shared = frmEff::Shared();
  if (!g_shown && shared && IsWindowVisible(shared->hwnd())) ClickLeft(), g_shown = shared->hwnd();
}

TEST_F(FrmEffTest, EachSharedRunIsAFreshWindowAndEmptiesTheSlot) {
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, ClickWhenShown);
  HWND previous = nullptr;
  for (int run = 0; run < 2; ++run, previous = g_shown) {
    g_shown = nullptr;
    RunSharedEffect();
    EXPECT_EQ(frmEff::Shared(), nullptr);
    EXPECT_NE(g_shown, nullptr);
    EXPECT_NE(g_shown, previous);
    ExpectDesktopBack(g_shown);
  }
  KillTimer(nullptr, timer);
}

}  // namespace
}  // namespace quellan::effect
