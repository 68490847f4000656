#include "ui/effect/frm_eff.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "harness.h"

namespace quellan::effect {
namespace {

const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);

// A colour of its own for every pixel, so that a shift by one pixel shows.
long long Pattern(int x, int y) { return (x & 255) << 16 | (y & 255) << 8 | (x >> 8) << 4 | y >> 8; }

// Whether the screen shows expected(x, y) wherever that is not -1. Wine shows a window's drawing a
// while after it is made: the screen is read again, after pumping, until it matches.
bool Shows(const std::function<long long(int, int)>& expected) {
  for (int tries = 0; tries < 10; ++tries) {
    harness::Pump(60);
    const harness::Picture screen = harness::Capture(nullptr, RECT{0, 0, W, H});
    int i = 0;
    while (i < W * H && (expected(i % W, i / W) < 0 || screen.pixels[i] == expected(i % W, i / W))) ++i;
    if (i == W * H) return true;
  }
  return false;
}

// Over a desktop showing the pattern: what each run shows, and how each act ends it (quit code handed on).
TEST(FrmEff, SmearsTheSnapshotUpAndLeftUntilAButtonOrClose) {
  std::vector<DWORD> pixels(W * H);  // 0x00RRGGBB, top row first
  for (int i = 0; i < W * H; ++i) pixels[i] = Pattern(i % W, i / W);
  const win32::Bitmap picture(CreateBitmap(W, H, 1, 32, pixels.data()));
  const win32::UniqueWindow desktop(CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP | WS_VISIBLE | SS_BITMAP, 0, 0, W,
                                                    H, nullptr, nullptr, nullptr, nullptr));
  SendMessageW(desktop.get(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
  // Every number is 0.5: each step copies the block at (x0, y0) one pixel up and left, so after k steps
  // a pixel of it shows the one k down and right.
  const int k = 9, x0 = N((W - 128) * 0.5f), y0 = N((H - 128) * 0.5f);
  auto smeared = [&](int x, int y) -> long long {
    if (x < x0 - 1 || x > x0 + 985 || y < y0 - 1 || y > y0 + 985) return Pattern(x, y);
    return x + k > x0 + 986 || x + k >= W || y + k > y0 + 986 || y + k >= H ? -1 : Pattern(x + k, y + k);
  };
  const std::tuple<const char*, void (*)(HWND), int> cases[] = {
      {"left button", [](HWND h) { harness::Click(harness::ScreenPoint(h), harness::Mouse::Left); }, -1},
      {"right button", [](HWND h) { harness::Click(harness::ScreenPoint(h), harness::Mouse::Right); }, -1},
      {"middle button", [](HWND h) { harness::Click(harness::ScreenPoint(h), harness::Mouse::Middle); }, -1},
      {"X button", [](HWND h) { PostMessageW(h, WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON1), 0); }, -1},
      {"WM_CLOSE", [](HWND h) { PostMessageW(h, WM_CLOSE, 0, 0); }, -1},
      {"WM_QUIT", [](HWND) { PostQuitMessage(7); }, 7},
      {"DestroyWindow", [](HWND h) { DestroyWindow(h); }, -1}};
  for (const auto& [what, act, quit] : cases) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(Shows(Pattern)) << "the desktop does not show (again)";
    const long gdi = win32::GdiCounter::Live();
    std::shared_ptr<frmEff> effect = frmEff::Shared() = std::make_shared<frmEff>();
    int calls = 0;  // four numbers a step
    effect->doeffect([&, act = act] {
      if (calls == 0) {
        for (POINT p : {POINT{0, 0}, POINT{W - 1, H - 1}}) EXPECT_EQ(WindowFromPoint(p), effect->hwnd());
        EXPECT_EQ(GetFocus(), effect->hwnd()) << "keys would not reach the effect";
        EXPECT_TRUE(Shows(Pattern)) << "the snapshot is not shown unchanged";
        for (WORD key : {WORD('A'), WORD(VK_ESCAPE), WORD(VK_RETURN), WORD(VK_SPACE), WORD(VK_F4)}) harness::Key(key);
        effect->doeffect([&] { return DestroyWindow(effect->hwnd()), 0.5f; });  // a nested run must return at once
      } else if (calls == 4 * k) {
        EXPECT_TRUE(Shows(smeared));
        InvalidateRect(effect->hwnd(), nullptr, FALSE);
        EXPECT_TRUE(Shows(Pattern)) << "the window does not repaint from the snapshot";
        act(effect->hwnd());
      }
      if (calls++ == 4 * 3000) PostQuitMessage(0), DestroyWindow(effect->hwnd());  // an act that did not end it
      return 0.5f;
    });
    EXPECT_EQ(calls, 4 * (k + 1)) << "the act did not end the effect at that step";
    EXPECT_EQ(win32::GdiCounter::Live(), gdi + 2) << "more than the snapshot's DC and bitmap outlived the run";
    MSG msg{};
    EXPECT_EQ(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? int(msg.wParam) : -1, quit);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was handed on twice";
    EXPECT_EQ(effect->hwnd(), nullptr) << "the window was not closed";
    EXPECT_EQ(frmEff::Shared(), nullptr);
    effect.reset();  // its picture goes with it
    EXPECT_EQ(win32::GdiCounter::Live(), gdi);
  }
}

}  // namespace
}  // namespace quellan::effect
