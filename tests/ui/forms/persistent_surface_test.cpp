#include "ui/forms/persistent_surface.h"

#include <gtest/gtest.h>

#include <memory>

#include "ui/forms/window.h"

namespace quellan::forms {
namespace {

constexpr COLORREF kBack = RGB(255, 255, 192);

// A plain top-level window that paints from its persistent image.
class Canvas : public Window {
 public:
  Canvas() {
    RegisterClassOnce(L"QuellanTestCanvas");
    Create(L"QuellanTestCanvas", L"canvas", WS_POPUP | WS_VISIBLE, 0, 10, 10, 120, 80, nullptr);
    surface.Attach(m_hwnd, kBack);
  }
  PersistentSurface surface;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_PAINT) surface.Paint();
    if (msg == WM_PAINT || msg == WM_ERASEBKGND) return msg == WM_ERASEBKGND;
    return Window::OnMessage(msg, wp, lp);
  }
};

TEST(PersistentSurface, WindowShowsTheImageAndResizeKeepsWhatFits) {
  const long gdiBefore = GdiCounter::Live();
  {
    Canvas canvas;
    EXPECT_EQ(canvas.surface.Width() * 1000 + canvas.surface.Height(), 120080);
    {
      const RECT r{20, 20, 40, 40};
      Brush red(CreateSolidBrush(RGB(255, 0, 0)));
      FillRect(canvas.surface.Dc(), &r, red.get());
    }
    canvas.surface.Invalidate();
    UpdateWindow(canvas.hwnd());
    WindowDc dc(canvas.hwnd());
    EXPECT_EQ(GetPixel(dc.get(), 25, 25), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc.get(), 5, 5), kBack);
    for (int i = 0; i < 50; ++i) canvas.surface.Resize(200 - i % 7, 30 + i % 5);
    EXPECT_EQ(GetPixel(canvas.surface.Dc(), 25, 25), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(canvas.surface.Dc(), 150, 5), kBack);
    EXPECT_EQ(GdiCounter::Live(), gdiBefore + 2) << "the image's DC and bitmap, whatever the resizes";
    canvas.surface.SetBackColour(RGB(0, 0, 0));
    canvas.surface.Clear();
    EXPECT_EQ(GetPixel(canvas.surface.Dc(), 25, 25), RGB(0, 0, 0));
    DestroyWindow(canvas.hwnd());
    EXPECT_EQ(canvas.hwnd(), nullptr) << "a destroyed window detaches its object, which then destroys nothing";
  }
  EXPECT_EQ(GdiCounter::Live(), gdiBefore);
}

}  // namespace
}  // namespace quellan::forms
