#include "ui/forms/check_list.h"

#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/forms/container.h"
#include "win32/handles.h"

namespace quellan::forms {

namespace {
const wchar_t kCheckListClass[] = L"QuellanCheckList";
constexpr int kGap = 3;     // pixels at 96 DPI between the tick box, the text and the edges
constexpr int kCheck = 13;  // tick box side, pixels at 96 DPI

MouseButton ButtonOf(UINT msg) {
  if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) return kRightButton;
  return msg == WM_MBUTTONDOWN || msg == WM_MBUTTONDBLCLK ? kMiddleButton : kLeftButton;
}
}  // namespace

void CheckList::Create(HWND parent, int id, const RECT& bounds, HFONT font, int dpi) {
  Superclass(kCheckListClass, L"LISTBOX");
  m_font = font;
  m_dpi = dpi;
  const DWORD style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                      LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  if (!CreateChild(parent, id, bounds, kCheckListClass, L"", style, WS_EX_CLIENTEDGE)) return;
  SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(m_hwnd, LB_SETITEMHEIGHT, 0, ItemHeight());
}

void CheckList::AddItem(const std::u16string& text) {
  m_items.push_back(Item{text});
  if (m_hwnd) SendMessageW(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(text)));
}

void CheckList::Clear() {
  m_items.clear();
  if (m_hwnd) SendMessageW(m_hwnd, LB_RESETCONTENT, 0, 0);
}

void CheckList::SetSelected(int index, bool ticked) {
  Item& item = m_items.at(static_cast<std::size_t>(index));
  if (item.ticked == ticked) return;
  item.ticked = ticked;
  if (m_hwnd) {
    RECT r{};
    SendMessageW(m_hwnd, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    InvalidateRect(m_hwnd, &r, FALSE);
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, m_hwnd, OBJID_CLIENT, index + 1);
  }
  if (ItemCheck) ItemCheck(index);
}

void CheckList::Toggle(int index) {
  if (index >= 0 && index < ListCount()) SetSelected(index, !Selected(index));
}

// An entry holds its text and its tick box with a little air. The list's height is shared out in
// whole rows: where the air would leave the last row cut, it gives way so that row shows whole
// (seven drive types fit a list a little shorter than seven airy rows).
int CheckList::ItemHeight() const {
  win32::WindowDc screen(nullptr);
  win32::SelectedObject font(screen.get(), m_font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen.get(), &metrics);
  const int least = std::max<int>(metrics.tmHeight, Scaled(kCheck));
  const int airy = least + Scaled(2);
  RECT client{};
  GetClientRect(m_hwnd, &client);
  const int rows = (client.bottom + airy - 1) / airy;  // the rows shown, a cut last one included
  return rows > 0 ? std::max(least, static_cast<int>(client.bottom) / rows) : airy;
}

void CheckList::DrawItem(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
  const int index = static_cast<int>(item.itemID);
  if (index < 0 || index >= ListCount()) return;

  const int gap = Scaled(kGap);
  const int box = Scaled(kCheck);
  RECT tick{r.left + gap, r.top + (r.bottom - r.top - box) / 2, 0, 0};
  tick.right = tick.left + box;
  tick.bottom = tick.top + box;
  DrawFrameControl(dc, &tick, DFC_BUTTON, DFCS_BUTTONCHECK | (Selected(index) ? DFCS_CHECKED : 0));

  win32::SelectedObject font(dc, m_font);
  const std::u16string& caption = List(index);
  SIZE extent{};
  GetTextExtentPoint32W(dc, win32::Wide(caption), static_cast<int>(caption.size()), &extent);
  const int left = tick.right + gap;
  RECT highlight{left, r.top, std::min<LONG>(r.right, left + extent.cx + 2 * gap), r.bottom};
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  if (selected) FillRect(dc, &highlight, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text{highlight.left + gap, r.top, r.right, r.bottom};
  DrawTextW(dc, win32::Wide(caption), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &highlight);
}

// Screen readers follow the focus rectangle from entry to entry by these events.
void CheckList::NotifyFocus() const {
  if (GetFocus() == m_hwnd) NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hwnd, OBJID_CLIENT, FocusedChild());
}

long CheckList::AccessibleRole(long child) const { return child ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_LIST; }

long CheckList::AccessibleState(long child) const {
  if (child == CHILDID_SELF) return 0;
  const int index = static_cast<int>(child) - 1;
  long state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | (Selected(index) ? STATE_SYSTEM_CHECKED : 0);
  if (SendMessageW(m_hwnd, LB_GETCURSEL, 0, 0) == index) state |= STATE_SYSTEM_SELECTED;
  if (FocusedChild() == child && GetFocus() == m_hwnd) state |= STATE_SYSTEM_FOCUSED;
  return state;
}

const wchar_t* CheckList::DefaultAction(long child) const {
  if (child == CHILDID_SELF) return nullptr;
  return Selected(static_cast<int>(child) - 1) ? L"Uncheck" : L"Check";
}

RECT CheckList::ChildRect(long child) const {
  RECT r{};
  SendMessageW(m_hwnd, LB_GETITEMRECT, child - 1, reinterpret_cast<LPARAM>(&r));
  return r;
}

long CheckList::ChildAt(POINT client) const {
  const LRESULT hit = SendMessageW(m_hwnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
  return HIWORD(hit) == 0 ? LOWORD(hit) + 1 : CHILDID_SELF;
}

long CheckList::FocusedChild() const {
  return ListCount() > 0 ? static_cast<long>(SendMessageW(m_hwnd, LB_GETCARETINDEX, 0, 0)) + 1 : CHILDID_SELF;
}

LRESULT CheckList::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (LRESULT result = 0; m_accessible.Handle(m_hwnd, msg, wp, lp, result)) return result;
  switch (msg) {
    case kReflectBase + WM_COMMAND:
      if (HIWORD(wp) == LBN_SELCHANGE) NotifyFocus();
      return 0;
    case WM_SETFOCUS: {
      const LRESULT result = CallBase(msg, wp, lp);
      NotifyFocus();
      return result;
    }
    case kReflectBase + WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const HWND self = m_hwnd;
      if (MouseDown) MouseDown(ButtonOf(msg));
      if (!IsWindow(self)) return 0;
      const LRESULT result = CallBase(msg, wp, lp);
      if (ButtonOf(msg) == kLeftButton) {
        // The entry under the press, not the list's empty part below the last one.
        const long child = ChildAt(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        if (child != CHILDID_SELF) Toggle(static_cast<int>(child) - 1);
      }
      return result;
    }
    case WM_KEYDOWN:
      if (wp == VK_SPACE) {
        Toggle(static_cast<int>(SendMessageW(m_hwnd, LB_GETCURSEL, 0, 0)));
        return 0;
      }
      break;
    case WM_CHAR:
      if (wp == L' ') return 0;  // the tick, not a search for an entry starting with a blank
      break;
    default:
      break;
  }
  return CallBase(msg, wp, lp);
}

}  // namespace quellan::forms
