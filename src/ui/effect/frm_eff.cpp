#include "ui/effect/frm_eff.h"

#include "ui/forms/message_loop.h"

namespace quellan::effect {

namespace {
constexpr const wchar_t* kClassName = L"QuellanEffect";
}  // namespace

std::shared_ptr<frmEff>& frmEff::Shared() {
  static std::shared_ptr<frmEff> instance;
  return instance;
}

void RunSharedEffect() {
  std::shared_ptr<frmEff>& slot = frmEff::Shared();
  if (!slot) slot = std::make_shared<frmEff>();
  const std::shared_ptr<frmEff> effect = slot;  // the run empties the slot; this keeps the window alive
  effect->doeffect();
}

void frmEff::doeffect() { doeffect(UniformRandom::FromClock()); }

void frmEff::doeffect(const RandomSource& random) {
  // A nested call (from a handler running inside the loop) would draw on a window that the outer
  // run closes; the outer run is already doing the work.
  if (m_inRun) return;
  m_inRun = true;

  // The screen's DC gives the DPI the size is measured with, then the snapshot.
  m_hdcScreen.emplace(nullptr);
  const HDC screen = m_hdcScreen->get();
  const int W = ScreenPixels(GetSystemMetrics(SM_CXSCREEN), GetDeviceCaps(screen, LOGPIXELSX));
  const int H = ScreenPixels(GetSystemMetrics(SM_CYSCREEN), GetDeviceCaps(screen, LOGPIXELSY));
  // Created hidden at the screen's size, which runs Form_Load. A tool window: no taskbar button.
  RegisterClassOnce(kClassName);
  Create(kClassName, L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, W, H, nullptr);

  // The snapshot goes into the persistent picture before the window is shown, so showing it
  // changes nothing on the screen.
  BitBlt(m_surface.hdc(), 0, 0, W, H, screen, 0, 0, SRCCOPY);
  if (m_hwnd) {
    ShowWindow(m_hwnd, SW_SHOW);
    UpdateWindow(m_hwnd);
    // From here the blocks are copied on the screen itself; the picture keeps the snapshot, from
    // which the window repaints whatever gets uncovered.
    m_windowDc.emplace(m_hwnd);
  }

  m_bRunning = true;
  while (m_bRunning) {
    const float r1 = random(), r2 = random(), r3 = random(), r4 = random();
    const EffectStep step = ComputeStep(W, H, m_parameters, r1, r2, r3, r4);
    if (!m_windowDc) break;  // never draw on a window that is gone
    const HDC dc = m_windowDc->get();
    BitBlt(dc, step.x + step.dx, step.y + step.dy, m_parameters.blockW, m_parameters.blockH, dc, step.x, step.y,
           SRCCOPY);
    // A quit request ends the run; DoEvents has already posted it again for the application's loop.
    if (!forms::DoEvents()) m_bRunning = false;
  }

  if (Shared().get() == this) Shared().reset();
  m_hdcScreen.reset();
  if (m_hwnd) DestroyWindow(m_hwnd);
  m_inRun = false;
}

void frmEff::Form_Load() {
  m_parameters = kLoadParameters;
  m_surface.Attach(m_hwnd, RGB(0, 0, 0));
}

void frmEff::Form_Click() { m_bRunning = false; }

void frmEff::Form_MouseDown() { m_bRunning = false; }

LRESULT frmEff::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      Form_Load();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the picture covers the whole window
    case WM_PAINT:
      m_surface.Paint();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      Form_MouseDown();
      return msg == WM_XBUTTONDOWN;  // X buttons report being handled with TRUE
    case WM_LBUTTONUP:
      Form_Click();
      return 0;
    case WM_CLOSE:
      // Closed some other way (a close command, Alt+F4): the run stops and closes the window itself.
      m_bRunning = false;
      return 0;
    case WM_DESTROY:
      m_windowDc.reset();  // the window DC goes back while the window still exists
      break;
    default:
      break;
  }
  return Window::OnMessage(msg, wp, lp);
}

}  // namespace quellan::effect
