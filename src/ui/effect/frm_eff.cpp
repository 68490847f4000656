#include "ui/effect/frm_eff.h"

#include "ui/forms/message_loop.h"
#include "ui/forms/screen.h"

namespace quellan::effect {

namespace {
constexpr COLORREF kBackColour = RGB(0, 0, 0);
constexpr COLORREF kForeColour = RGB(255, 255, 255);
}  // namespace

frmEff::~frmEff() {
  // The DCs go back while the window still exists; the base class destroys the window afterwards.
  m_windowDc.reset();
  hdcScreen.reset();
}

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

void frmEff::doeffect() {
  UniformRandom random = UniformRandom::FromClock();
  doeffect([&random] { return random(); });
}

void frmEff::doeffect(const RandomSource& random) {
  // A nested call (from a handler running inside the loop) would draw on a window that the outer
  // run closes; the outer run is already doing the work.
  if (m_inRun) return;
  m_inRun = true;
  const std::shared_ptr<frmEff> keepAlive = weak_from_this().lock();  // survives the slot being emptied

  const forms::ScreenMetrics screen = forms::Screen();
  const int W = ScreenPixels(screen.width, screen.twipsPerPixelX);
  const int H = ScreenPixels(screen.height, screen.twipsPerPixelY);
  SetSize(W, H);

  // The snapshot goes into the persistent picture before the window is shown, so showing it
  // changes nothing on the screen.
  hdcScreen.emplace(nullptr);
  BitBlt(Dc(), 0, 0, W, H, hdcScreen->get(), 0, 0, SRCCOPY);
  if (m_hwnd) {
    ShowWindow(m_hwnd, SW_SHOW);
    UpdateWindow(m_hwnd);
  }
  // From here the blocks are copied on the screen itself; the picture keeps the snapshot, from
  // which the window repaints whatever gets uncovered.
  SetAutoRedraw(false);

  bRunning = true;
  while (bRunning && m_hwnd) {
    const float r1 = random();
    const float r2 = random();
    const float r3 = random();
    const float r4 = random();
    const EffectStep step = ComputeStep(W, H, m_parameters, r1, r2, r3, r4);
    if (!m_hwnd) break;  // never draw on a window that is gone
    HDC dc = Dc();
    BitBlt(dc, Destination(step.x, step.dx), Destination(step.y, step.dy), m_parameters.blockW, m_parameters.blockH, dc,
           step.x, step.y, SRCCOPY);
    // A quit request ends the run; DoEvents has already posted it again for the application's loop.
    if (!forms::DoEvents()) bRunning = false;
  }

  if (Shared().get() == this) Shared().reset();
  hdcScreen.reset();
  Unload();
  m_inRun = false;
}

void frmEff::SetSize(int width, int height) {
  if (!m_hwnd) {
    RegisterClassOnce(kClassName);
    // A tool window: the borderless cover gets no taskbar button.
    Create(kClassName, L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, width, height, nullptr);
    return;
  }
  SetWindowPos(m_hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_surface.Resize(width, height);
}

void frmEff::Form_Load() {
  m_parameters = kLoadParameters;
  m_autoRedraw = true;
  m_surface.Attach(m_hwnd, kBackColour);
  SetTextColor(m_surface.Dc(), kForeColour);
}

void frmEff::Form_Click() { bRunning = false; }

void frmEff::Form_MouseDown() { bRunning = false; }

void frmEff::SetAutoRedraw(bool on) {
  m_autoRedraw = on;
  if (on) {
    m_windowDc.reset();
  } else if (m_hwnd && !m_windowDc) {
    m_windowDc.emplace(m_hwnd);
    SetTextColor(m_windowDc->get(), kForeColour);
  }
}

HDC frmEff::Dc() const {
  if (m_autoRedraw) return m_surface.Dc();
  return m_windowDc ? m_windowDc->get() : nullptr;
}

void frmEff::Unload() {
  m_windowDc.reset();
  if (m_hwnd) DestroyWindow(m_hwnd);
}

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
      Form_MouseDown();
      return 0;
    case WM_XBUTTONDOWN:
      Form_MouseDown();
      return TRUE;
    case WM_LBUTTONUP:
      Form_Click();
      return 0;
    case WM_CLOSE:
      // Closed some other way while running (a close command, Alt+F4): the run stops and closes
      // the window itself.
      if (m_inRun) {
        bRunning = false;
        return 0;
      }
      break;
    case WM_DESTROY:
      bRunning = false;
      m_windowDc.reset();  // the window DC goes back while the window still exists
      break;
    default:
      break;
  }
  return Window::OnMessage(msg, wp, lp);
}

}  // namespace quellan::effect
