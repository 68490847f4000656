#include "ui/button/orvane_button.h"

#include <windowsx.h>

#include <utility>

#include "ui/forms/colour.h"
#include "ui/forms/font_handle.h"

namespace quellan::button {

namespace {

constexpr wchar_t kWindowClass[] = L"QuellanOrvaneButton";
constexpr UINT_PTR kTimer1 = 1;
// What a window of the system's "Button" class answers to WM_GETOBJECT(OBJID_QUERYCLASSNAMEIDX).
constexpr LRESULT kOleaccButtonIndex = 65536 + 2;

// The Shift argument of the events: 1 Shift, 2 Ctrl, 4 Alt held. Mouse messages carry Shift and
// Ctrl in their key flags, Alt is not among them.
std::int16_t ShiftArgument(bool shift, bool ctrl) {
  return static_cast<std::int16_t>((shift ? 1 : 0) | (ctrl ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}
std::int16_t MouseShift(WPARAM keys) { return ShiftArgument(keys & MK_SHIFT, keys & MK_CONTROL); }

// The mouse buttons held, from a message's key flags: 1 left, 2 right, 4 middle.
std::int16_t HeldButtons(WPARAM keys) {
  return static_cast<std::int16_t>((keys & MK_LBUTTON ? 1 : 0) | (keys & MK_RBUTTON ? 2 : 0) |
                                   (keys & MK_MBUTTON ? 4 : 0));
}

}  // namespace

bool OrvaneButton::Create(HWND parent, int id, const RECT& bounds, const StoredProperties& stored,
                          std::shared_ptr<const forms::FontObject> ambientFont, int dpi) {
  m_ambientFont = ambientFont ? std::move(ambientFont) : std::make_shared<const forms::FontObject>();
  m_dpi = dpi > 0 ? dpi : 96;
  m_logic.UserControl_ReadProperties(stored);
  // CS_DBLCLKS: the second press of a double click arrives as its own message (DblClick).
  RegisterClassOnce(kWindowClass, CS_DBLCLKS);
  const DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | (m_logic.Enabled() ? 0 : WS_DISABLED);
  // WM_CREATE starts Timer1 and WM_SIZE draws the idle look (Resize); showing draws it again (Show).
  Window::Create(kWindowClass, win32::Wide(m_logic.Caption()), style, 0, bounds.left, bounds.top,
                 bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  if (!m_hwnd) return false;
  ShowWindow(m_hwnd, SW_SHOWNA);
  return true;
}

void OrvaneButton::refresh() {
  m_surface.Invalidate();
  UpdateWindow(m_hwnd);
}

void OrvaneButton::Render(const ButtonLook& look) {
  if (!m_hwnd || !m_surface.hdc()) return;
  HDC dc = m_surface.hdc();
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
  if (m_theme->Usable()) FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (!DrawThemed(L"Button", kPartPushButton, look.state, r)) DrawFrameControl(dc, &r, DFC_BUTTON, look.frameState);
  SelectCaptionFont();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, forms::ResolveColour(look.textColour));
  DrawTextW(dc, win32::Wide(m_logic.Caption()), -1, &r, kCaptionFormat);
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
  m_fontSelection.emplace(m_surface.hdc(), m_captionFont.get());
}

void OrvaneButton::SetTimerInterval(int milliseconds) {
  if (milliseconds > 0)
    SetTimer(m_hwnd, kTimer1, static_cast<UINT>(milliseconds), nullptr);
  else
    KillTimer(m_hwnd, kTimer1);
}

void OrvaneButton::MouseButton(UINT msg, WPARAM wp, LPARAM lp) {
  // WM_LBUTTONDOWN to WM_MBUTTONDBLCLK run press, release, double-click press for the left, right
  // and middle buttons in turn.
  const int index = static_cast<int>(msg - WM_LBUTTONDOWN);
  const auto button = static_cast<std::int16_t>(1 << index / 3);  // 1 left, 2 right, 4 middle
  const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  const float x = static_cast<float>(at.x), y = static_cast<float>(at.y);
  if (index % 3 != 1) return m_input.ButtonDown(button, MouseShift(wp), x, y, index % 3 == 2);
  RECT client{};
  GetClientRect(m_hwnd, &client);
  m_input.ButtonUp(button, MouseShift(wp), x, y, PtInRect(&client, at) != FALSE, HeldButtons(wp));
}

LRESULT OrvaneButton::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      m_surface.Attach(m_hwnd, GetSysColor(COLOR_BTNFACE));
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
    case WM_MOUSEMOVE:
      m_input.MouseMove(HeldButtons(wp), MouseShift(wp), static_cast<float>(GET_X_LPARAM(lp)),
                        static_cast<float>(GET_Y_LPARAM(lp)));
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != m_hwnd) m_input.CaptureLost();
      return 0;
    case WM_GETOBJECT:
      // The accessibility runtime asks which system control this window works like; the index of
      // "Button" gets it the standard push-button object. Nothing is loaded here for that.
      if (static_cast<LONG>(lp) == OBJID_QUERYCLASSNAMEIDX) return kOleaccButtonIndex;
      break;
    case BM_CLICK:
      if (m_logic.Enabled()) m_logic.UserControl_Click();
      return 0;
    case WM_GETDLGCODE: {
      // Arrows, characters and Enter reach the control as key events (Enter and Space then click);
      // Tab and Escape are left to the dialog manager for moving the focus and cancelling.
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      const MSG* pending = reinterpret_cast<const MSG*>(lp);
      if (pending && (pending->message == WM_KEYDOWN || pending->message == WM_KEYUP) && pending->wParam == VK_RETURN) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      std::int16_t keyCode = static_cast<std::int16_t>(wp);
      std::int16_t shift = ShiftArgument(GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0);
      if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)
        m_logic.UserControl_KeyDown(keyCode, shift);
      else
        m_logic.UserControl_KeyUp(keyCode, shift);
      if (msg == WM_KEYDOWN || msg == WM_KEYUP) return 0;
      break;  // Alt combinations still reach the system (Alt+F4, the window menu)
    }
    case WM_CHAR: {
      std::int16_t keyAscii = static_cast<std::int16_t>(wp);
      m_logic.UserControl_KeyPress(keyAscii);
      return 0;
    }
    default:
      if (msg < WM_LBUTTONDOWN || msg > WM_MBUTTONDBLCLK) break;
      MouseButton(msg, wp, lp);
      return 0;
  }
  return Window::OnMessage(msg, wp, lp);
}

}  // namespace quellan::button
