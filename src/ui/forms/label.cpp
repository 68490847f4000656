#include "ui/forms/label.h"

#include <oleacc.h>
#include <windowsx.h>

#include "ui/forms/colour.h"
#include "ui/forms/container.h"

namespace quellan::forms {

namespace {
const wchar_t kLabelClass[] = L"QuellanLabel";
}

void Label::Create(HWND parent, int id, const RECT& bounds, const std::u16string& caption, HFONT font,
                   const LabelLook& look, bool visible) {
  RegisterClassOnce(kLabelClass);
  m_caption = caption;
  m_font = font;
  m_look = look;
  if (!look.transparent) m_back.reset(CreateSolidBrush(ResolveColour(look.backColour)));
  CreateChild(parent, id, bounds, kLabelClass, win32::Wide(caption), (visible ? WS_VISIBLE : 0) | WS_CLIPSIBLINGS, 0);
}

void Label::SetCaption(const std::u16string& caption) {
  m_caption = caption;
  SetWindowTextW(m_hwnd, win32::Wide(caption));
  InvalidateRect(m_hwnd, nullptr, FALSE);
}

void Label::Paint(HDC dc) const {
  RECT client;
  GetClientRect(m_hwnd, &client);
  if (m_look.transparent) {
    PaintParentBackground(m_hwnd, dc);
  } else {
    FillRect(dc, &client, m_back.get());
  }
  SetTextColor(dc, ResolveColour(m_look.foreColour));
  SetBkMode(dc, TRANSPARENT);
  win32::SelectedObject font(dc, m_font);
  DrawTextW(dc, win32::Wide(m_caption), -1, &client, DT_WORDBREAK | (m_look.centred ? DT_CENTER : DT_LEFT));
}

long Label::AccessibleRole(long) const { return Click ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT; }

long Label::AccessibleState(long) const { return Click ? STATE_SYSTEM_LINKED : STATE_SYSTEM_READONLY; }

LRESULT Label::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (LRESULT result = 0; m_accessible.Handle(m_hwnd, msg, wp, lp, result)) return result;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the whole label is drawn at WM_PAINT
    case WM_PAINT: {
      PAINTSTRUCT ps;
      Paint(BeginPaint(m_hwnd, &ps));
      EndPaint(m_hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(m_font);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(m_hwnd);
      m_pressed = true;
      return 0;
    case WM_LBUTTONUP: {
      const bool wasPressed = m_pressed;
      m_pressed = false;
      if (GetCapture() == m_hwnd) ReleaseCapture();
      RECT client;
      GetClientRect(m_hwnd, &client);
      const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (wasPressed && PtInRect(&client, at) && Click) Click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      m_pressed = false;
      return 0;
    case WM_MOUSEMOVE:
      if (MouseMove) MouseMove();
      return 0;
    default:
      return Window::OnMessage(msg, wp, lp);
  }
}

}  // namespace quellan::forms
