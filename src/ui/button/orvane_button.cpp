#include "ui/button/orvane_button.h"

#include <windowsx.h>

#include <utility>

#include "ui/forms/colour.h"
#include "ui/forms/font_handle.h"
#include "ui/forms/twips.h"

namespace quellan::button {

namespace {

constexpr wchar_t kWindowClass[] = L"QuellanOrvaneButton";
constexpr UINT_PTR kTimer1 = 1;

bool KeyHeld(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// The Shift argument of the key events: the held modifier keys.
std::int16_t KeyShift() {
  return static_cast<std::int16_t>((KeyHeld(VK_SHIFT) ? kShiftKey : 0) | (KeyHeld(VK_CONTROL) ? kCtrlKey : 0) |
                                   (KeyHeld(VK_MENU) ? kAltKey : 0));
}

// The Shift argument of the mouse events, from the message's key flags (Alt is not among them).
std::int16_t MouseShift(WPARAM keys) {
  return static_cast<std::int16_t>(((keys & MK_SHIFT) ? kShiftKey : 0) | ((keys & MK_CONTROL) ? kCtrlKey : 0) |
                                   (KeyHeld(VK_MENU) ? kAltKey : 0));
}

// The mouse buttons held, from the message's key flags.
std::int16_t HeldButtons(WPARAM keys) {
  return static_cast<std::int16_t>(((keys & MK_LBUTTON) ? kLeftButton : 0) | ((keys & MK_RBUTTON) ? kRightButton : 0) |
                                   ((keys & MK_MBUTTON) ? kMiddleButton : 0));
}

}  // namespace

OrvaneButton::OrvaneButton(std::shared_ptr<const forms::FontObject> ambientFont, int dpi)
    : m_logic(*this, std::move(ambientFont)),
      m_input(m_logic, *this),
      m_dpi(dpi > 0 ? dpi : 96),
      m_theme(ThemeLibrary::System()) {}

OrvaneButton::~OrvaneButton() = default;

std::unique_ptr<OrvaneButton> OrvaneButton::Create(HWND parent, int id, const RECT& pixels,
                                                   const forms::PropertySet& stored,
                                                   std::shared_ptr<const forms::FontObject> ambientFont, int dpi) {
  std::unique_ptr<OrvaneButton> button(new OrvaneButton(std::move(ambientFont), dpi));
  button->m_logic.UserControl_ReadProperties(stored);
  if (!button->CreateWindowAt(parent, id, pixels)) return nullptr;
  return button;
}

std::unique_ptr<OrvaneButton> OrvaneButton::CreateNew(HWND parent, int id, POINT origin,
                                                      std::shared_ptr<const forms::FontObject> ambientFont, int dpi) {
  std::unique_ptr<OrvaneButton> button(new OrvaneButton(std::move(ambientFont), dpi));
  button->m_logic.UserControl_InitProperties();
  const RECT pixels{origin.x, origin.y, origin.x + forms::TwipsToPixels(kNewWidthTwips, button->m_dpi),
                    origin.y + forms::TwipsToPixels(kNewHeightTwips, button->m_dpi)};
  if (!button->CreateWindowAt(parent, id, pixels)) return nullptr;
  return button;
}

bool OrvaneButton::CreateWindowAt(HWND parent, int id, const RECT& pixels) {
  // CS_DBLCLKS: the second press of a double click arrives as its own message (DblClick).
  RegisterClassOnce(kWindowClass, CS_DBLCLKS);
  const DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | (m_logic.Enabled() ? 0 : WS_DISABLED);
  // WM_CREATE starts Timer1 and WM_SIZE draws the idle look (Resize); showing draws it again (Show).
  Window::Create(kWindowClass, reinterpret_cast<const wchar_t*>(m_logic.Caption().c_str()), style, 0, pixels.left,
                 pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  if (!m_hwnd) return false;
  ShowWindow(m_hwnd, SW_SHOWNA);
  return true;
}

void OrvaneButton::refresh() {
  if (!m_hwnd) return;
  m_surface.Invalidate();
  UpdateWindow(m_hwnd);
}

// ---- drawing ----

void OrvaneButton::Render(const ButtonLook& look) {
  if (!m_hwnd || !m_surface.Dc()) return;
  HDC dc = m_surface.Dc();
  RECT r{};
  GetClientRect(m_hwnd, &r);
  // Mark the whole window for repainting from the new picture. A mark still pending from an
  // earlier redraw already covers the whole window, and marking costs a round trip to the window
  // server, so it is made once per repaint.
  if (!m_repaintPending) {
    m_surface.Invalidate();
    m_repaintPending = true;
  }
  // Clear to the button face. The classic face fills every pixel of the rectangle itself, so the
  // clear only matters under a visual-style face, whose corners may be transparent.
  m_surface.SetBackColour(GetSysColor(COLOR_BTNFACE));
  if (m_theme && m_theme->Usable()) FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (!DrawThemed(L"Button", kPartPushButton, look.state, r)) DrawFrameControl(dc, &r, DFC_BUTTON, look.frameState);
  SelectCaptionFont();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, forms::ResolveColour(look.textColour));
  DrawTextW(dc, reinterpret_cast<const wchar_t*>(m_logic.Caption().c_str()), -1, &r, kCaptionFormat);
  m_lastLook = look;
  ++m_redraws;
}

bool OrvaneButton::DrawThemed(const wchar_t* classList, int partId, int stateId, const RECT& rect) {
  return m_theme && m_theme->Draw(m_hwnd, m_surface.Dc(), classList, partId, stateId, rect);
}

bool OrvaneButton::IsMouseOver(HWND hwnd) {
  POINT pointer{};
  GetCursorPos(&pointer);
  return WindowFromPoint(pointer) == hwnd;
}

void OrvaneButton::SelectCaptionFont() {
  // The font object may have been changed in place since the last draw (its attributes are shared
  // with the container); the handle follows its description. It stays selected into the surface
  // between draws: selecting a font costs as much as drawing the caption.
  const forms::FontObject& wanted = *m_logic.Font();
  if (m_captionFont && m_fontSelection && wanted == m_captionFontMadeFrom) return;
  m_fontSelection.reset();  // the surface's own font back in before the old one is deleted
  if (!m_captionFont || wanted != m_captionFontMadeFrom) {
    m_captionFont = forms::CreateFontHandle(wanted, m_dpi);
    m_captionFontMadeFrom = wanted;
  }
  m_fontSelection.emplace(m_surface.Dc(), m_captionFont.get());
}

// ---- what the decisions are carried out with ----

void OrvaneButton::SetTimerInterval(int milliseconds) {
  if (!m_hwnd) return;
  if (milliseconds > 0) {
    m_timerRunning = SetTimer(m_hwnd, kTimer1, static_cast<UINT>(milliseconds), nullptr) != 0;
  } else {
    KillTimer(m_hwnd, kTimer1);
    m_timerRunning = false;
  }
}

void OrvaneButton::SetCapture() {
  if (m_hwnd) ::SetCapture(m_hwnd);
}

void OrvaneButton::ReleaseCapture() {
  if (m_hwnd && GetCapture() == m_hwnd) ::ReleaseCapture();
}

void OrvaneButton::TakeFocus() {
  if (m_hwnd && GetFocus() != m_hwnd) SetFocus(m_hwnd);
}

void OrvaneButton::SetEnabled(bool enabled) {
  if (m_hwnd) EnableWindow(m_hwnd, enabled ? TRUE : FALSE);
}

void OrvaneButton::SetText(const std::u16string& caption) {
  if (m_hwnd) SetWindowTextW(m_hwnd, reinterpret_cast<const wchar_t*>(caption.c_str()));
}

// ---- messages to notifications ----

void OrvaneButton::MouseButton(UINT msg, WPARAM wp, LPARAM lp) {
  std::int16_t button = kLeftButton;
  bool down = true;
  bool doubleClick = false;
  switch (msg) {
    case WM_LBUTTONDBLCLK:
      doubleClick = true;
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      button = kRightButton;
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      button = kMiddleButton;
      break;
    case WM_LBUTTONUP:
      down = false;
      break;
    case WM_RBUTTONUP:
      button = kRightButton;
      down = false;
      break;
    case WM_MBUTTONUP:
      button = kMiddleButton;
      down = false;
      break;
    default:  // WM_LBUTTONDOWN
      break;
  }
  const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  const float x = static_cast<float>(at.x);
  const float y = static_cast<float>(at.y);
  if (down) {
    m_input.ButtonDown(button, MouseShift(wp), x, y, doubleClick);
    return;
  }
  RECT client{};
  GetClientRect(m_hwnd, &client);
  m_input.ButtonUp(button, MouseShift(wp), x, y, PtInRect(&client, at) != FALSE, HeldButtons(wp));
}

LRESULT OrvaneButton::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      m_surface.Attach(m_hwnd, forms::ResolveColour(forms::SystemColour(COLOR_BTNFACE)));
      m_input.Created();
      return 0;
    case WM_SIZE:
      m_fontSelection.reset();  // resizing replaces the surface's DC
      m_surface.Resize(LOWORD(lp), HIWORD(lp));
      m_logic.UserControl_Resize();
      return 0;
    case WM_SHOWWINDOW:
      if (wp) m_logic.UserControl_Show();
      break;
    case WM_ERASEBKGND:
      return 1;  // the picture covers the whole window
    case WM_PAINT:
      m_repaintPending = false;
      m_surface.Paint();
      return 0;
    case WM_TIMER:
      if (wp != kTimer1) break;
      m_logic.Timer1_Timer();
      return 0;
    case WM_SETFOCUS:
      m_logic.UserControl_EnterFocus();
      return 0;
    case WM_KILLFOCUS:
      m_logic.UserControl_ExitFocus();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      MouseButton(msg, wp, lp);
      return 0;
    case WM_MOUSEMOVE:
      m_input.MouseMove(HeldButtons(wp), MouseShift(wp), static_cast<float>(GET_X_LPARAM(lp)),
                        static_cast<float>(GET_Y_LPARAM(lp)));
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != m_hwnd) m_input.CaptureLost();
      return 0;
    case WM_GETDLGCODE: {
      // Arrows, characters and Enter reach the control as key events (it never turns them into a
      // click); Tab and Escape are left to the dialog manager for moving the focus and cancelling.
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      const MSG* pending = reinterpret_cast<const MSG*>(lp);
      if (pending && (pending->message == WM_KEYDOWN || pending->message == WM_KEYUP) && pending->wParam == VK_RETURN) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      std::int16_t keyCode = static_cast<std::int16_t>(wp);
      std::int16_t shift = KeyShift();
      m_logic.UserControl_KeyDown(keyCode, shift);
      if (msg == WM_KEYDOWN) return 0;
      break;  // Alt combinations still reach the system (Alt+F4, the window menu)
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      std::int16_t keyCode = static_cast<std::int16_t>(wp);
      std::int16_t shift = KeyShift();
      m_logic.UserControl_KeyUp(keyCode, shift);
      if (msg == WM_KEYUP) return 0;
      break;
    }
    case WM_CHAR: {
      std::int16_t keyAscii = static_cast<std::int16_t>(wp);
      m_logic.UserControl_KeyPress(keyAscii);
      return 0;
    }
    default:
      break;
  }
  return Window::OnMessage(msg, wp, lp);
}

}  // namespace quellan::button
