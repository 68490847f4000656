#include "ui/forms/persistent_surface.h"

#include <gtest/gtest.h>

#include <memory>

#include "ui/forms/window.h"

namespace quellan::forms {
namespace {

// A plain top-level window that paints from its persistent image.
class Canvas : public Window {
 public:
  Canvas() {
    RegisterClassOnce(L"QuellanTestCanvas");
    Create(L"QuellanTestCanvas", L"canvas", WS_POPUP | WS_VISIBLE, 0, 10, 10, 120, 80, nullptr);
    m_surface.Attach(m_hwnd, RGB(255, 255, 192));
  }
  PersistentSurface& surface() { return m_surface; }
  int paints = 0;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_PAINT) {
      ++paints;
      m_surface.Paint();
      return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    return Window::OnMessage(msg, wp, lp);
  }

 private:
  PersistentSurface m_surface;
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST(PersistentSurface, WindowShowsTheImageAfterRepaint) {
  Canvas canvas;
  ASSERT_TRUE(canvas.hwnd());
  EXPECT_EQ(canvas.surface().Width(), 120);
  EXPECT_EQ(canvas.surface().Height(), 80);
  RECT r{20, 20, 40, 40};
  Brush red(CreateSolidBrush(RGB(255, 0, 0)));
  FillRect(canvas.surface().Dc(), &r, red.get());
  canvas.surface().Invalidate();
  UpdateWindow(canvas.hwnd());
  Pump();
  EXPECT_GT(canvas.paints, 0);
  WindowDc dc(canvas.hwnd());
  EXPECT_EQ(GetPixel(dc.get(), 25, 25), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc.get(), 5, 5), RGB(255, 255, 192));
}

TEST(PersistentSurface, ResizeKeepsWhatFitsAndClearUsesBackColour) {
  Canvas canvas;
  SetPixel(canvas.surface().Dc(), 3, 3, RGB(0, 0, 255));
  canvas.surface().Resize(200, 10);
  EXPECT_EQ(GetPixel(canvas.surface().Dc(), 3, 3), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(canvas.surface().Dc(), 150, 5), RGB(255, 255, 192));
  canvas.surface().SetBackColour(RGB(0, 0, 0));
  canvas.surface().Clear();
  EXPECT_EQ(GetPixel(canvas.surface().Dc(), 3, 3), RGB(0, 0, 0));
}

TEST(PersistentSurface, GdiObjectsBalanceOverManyResizes) {
  const long before = GdiCounter::Live();
  {
    Canvas canvas;
    for (int i = 0; i < 2000; ++i) canvas.surface().Resize(50 + i % 7, 40 + i % 5);
    EXPECT_EQ(GdiCounter::Live(), before + 2);  // the image's DC and bitmap
  }
  EXPECT_EQ(GdiCounter::Live(), before);
}

TEST(Window, DestroyedWindowDetachesItsObject) {
  auto canvas = std::make_unique<Canvas>();
  HWND hwnd = canvas->hwnd();
  DestroyWindow(hwnd);
  EXPECT_EQ(canvas->hwnd(), nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
  canvas.reset();  // no double destroy
}

}  // namespace
}  // namespace quellan::forms
