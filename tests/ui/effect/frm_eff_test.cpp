#include "ui/effect/frm_eff.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "../../support/harness.h"

namespace quellan::effect {
namespace {

const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);

// A colour of its own for every pixel, so that a shift by one pixel shows.
long long Pattern(int x, int y) { return (x & 255) << 16 | (y & 255) << 8 | (x >> 8) << 4 | y >> 8; }

// Pixels of the screen that do not show expected(x, y) (unchecked where that is -1). Wine shows a
// window's drawing a while after it is made: the screen is read again, after pumping, until it matches.
long Mismatches(const std::function<long long(int, int)>& expected) {
  long count = 1;
  for (int tries = 0; count && tries < 10; ++tries) {
    testing::Pump(60);
    const testing::Picture screen = testing::Capture(nullptr, RECT{0, 0, W, H});
    count = 0;
    for (int i = 0; i < W * H; ++i) count += expected(i % W, i / W) >= 0 && screen.pixels[i] != expected(i % W, i / W);
  }
  return count;
}

// Runs the effect with every number 0.5, calling onStep(n) as step n begins; returns the steps begun.
// A run still going at step 3000 gets a quit request and loses its window, whichever ends it.
int RunEffect(frmEff& effect, const std::function<void(int)>& onStep) {
  int calls = 0;
  effect.doeffect([&] {
    if (calls++ % 4 == 0) onStep(calls / 4 + 1);
    if (calls == 4 * 3000 - 3) PostQuitMessage(0);
    if (calls == 4 * 3000 - 3) DestroyWindow(effect.hwnd());
    return 0.5f;
  });
  return (calls + 3) / 4;
}

// Over a desktop showing the pattern: what each run shows, and how each act ends it (quit code handed on).
TEST(FrmEff, SmearsTheSnapshotUpAndLeftUntilAButtonOrClose) {
  std::vector<DWORD> pixels(W * H);  // 0x00RRGGBB, top row first
  for (int i = 0; i < W * H; ++i) pixels[i] = Pattern(i % W, i / W);
  const win32::Bitmap picture(CreateBitmap(W, H, 1, 32, pixels.data()));
  const win32::UniqueWindow desktop(CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP | WS_VISIBLE | SS_BITMAP, 0, 0, W,
                                                    H, nullptr, nullptr, nullptr, nullptr));
  SendMessageW(desktop.get(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));

  const int k = 9, x0 = N((W - 128) * 0.5f), y0 = N((H - 128) * 0.5f);  // k complete steps before the act
  // After k one-pixel copies up and left of the block at (x0, y0), a pixel of it shows the one k down-right.
  auto smeared = [&](int x, int y) -> long long {
    if (x < x0 - 1 || x > x0 + 985 || y < y0 - 1 || y > y0 + 985) return Pattern(x, y);
    return x + k > x0 + 986 || x + k >= W || y + k > y0 + 986 || y + k >= H ? -1 : Pattern(x + k, y + k);
  };
  const std::tuple<const char*, void (*)(HWND), int> cases[] = {
      {"left button", [](HWND h) { testing::Click(testing::ScreenPoint(h), testing::Mouse::Left); }, -1},
      {"right button", [](HWND h) { testing::Click(testing::ScreenPoint(h), testing::Mouse::Right); }, -1},
      {"middle button", [](HWND h) { testing::Click(testing::ScreenPoint(h), testing::Mouse::Middle); }, -1},
      {"X button", [](HWND h) { PostMessageW(h, WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON1), 0); }, -1},
      {"Alt+F4", [](HWND h) { PostMessageW(h, WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN << 16); }, -1},
      {"WM_CLOSE", [](HWND h) { PostMessageW(h, WM_CLOSE, 0, 0); }, -1},
      {"WM_QUIT", [](HWND) { PostQuitMessage(7); }, 7},
      {"DestroyWindow", [](HWND h) { DestroyWindow(h); }, -1}};
  for (const auto& [what, act, quit] : cases) {
    SCOPED_TRACE(what);
    ASSERT_EQ(Mismatches(Pattern), 0) << "the desktop does not show (again)";
    const testing::GdiBalance balance;
    std::shared_ptr<frmEff> effect = frmEff::Shared() = std::make_shared<frmEff>();
    const int steps = RunEffect(*effect, [&, act = act](int step) {
      if (step == 1) {
        for (POINT p : {POINT{0, 0}, POINT{W - 1, H - 1}}) EXPECT_EQ(WindowFromPoint(p), effect->hwnd());
        EXPECT_EQ(GetFocus(), effect->hwnd()) << "keys would not reach the effect";
        EXPECT_EQ(Mismatches(Pattern), 0) << "the snapshot is not shown unchanged";
        for (WORD key : {WORD('A'), WORD(VK_ESCAPE), WORD(VK_RETURN), WORD(VK_SPACE), WORD(VK_F4)}) testing::Key(key);
        EXPECT_EQ(RunEffect(*effect, [](int) {}), 0) << "a nested run did not return at once";
      } else if (step == k + 1) {
        EXPECT_EQ(Mismatches(smeared), 0);
        InvalidateRect(effect->hwnd(), nullptr, FALSE);
        EXPECT_EQ(Mismatches(Pattern), 0) << "the window does not repaint from the snapshot";
        act(effect->hwnd());
      }
    });
    EXPECT_EQ(steps, k + 1) << "the act did not end the effect at that step";
    MSG msg{};
    EXPECT_EQ(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? int(msg.wParam) : -1, quit);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was handed on twice";
    EXPECT_EQ(effect->hwnd(), nullptr) << "the window was not closed";
    EXPECT_EQ(frmEff::Shared(), nullptr);
    effect.reset();  // its picture goes with it
    EXPECT_TRUE(balance.Balanced());
  }
}

}  // namespace
}  // namespace quellan::effect
