#include "ui/forms/check_list.h"

#include <algorithm>

#include "ui/forms/container.h"
#include "ui/forms/handles.h"

namespace quellan::forms {

namespace {
const wchar_t kCheckListClass[] = L"QuellanCheckList";
constexpr int kGap = 3;  // pixels at 96 DPI between the tick box, the text and the edges

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
}  // namespace

CheckList::CheckList(policy::CheckListModel& model) : m_model(model) { m_model.SetObserver(this); }

CheckList::~CheckList() { m_model.SetObserver(nullptr); }

void CheckList::Create(HWND parent, const RECT& bounds, HFONT font, int dpi, int id) {
  Superclass(kCheckListClass, L"LISTBOX");
  m_font = font;
  m_dpi = dpi;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS | LBS_NOTIFY |
                      LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  Window::Create(kCheckListClass, L"", style, WS_EX_CLIENTEDGE, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  if (!m_hwnd) return;
  SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(m_hwnd, LB_SETITEMHEIGHT, 0, ItemHeight());
  OnListReset();
  for (int i = 0; i < m_model.ListCount(); ++i) OnItemAdded(i);
}

int CheckList::CheckSize() const { return MulDiv(13, m_dpi, 96); }

int CheckList::ItemHeight() const {
  WindowDc screen(nullptr);
  SelectedObject font(screen.get(), m_font ? static_cast<HGDIOBJ>(m_font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen.get(), &metrics);
  return std::max<int>(metrics.tmHeight, CheckSize()) + MulDiv(2, m_dpi, 96);
}

RECT CheckList::ItemRect(int index) const {
  RECT r{};
  if (m_hwnd) SendMessageW(m_hwnd, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return r;
}

int CheckList::ListIndex() const { return m_hwnd ? static_cast<int>(SendMessageW(m_hwnd, LB_GETCURSEL, 0, 0)) : -1; }

void CheckList::OnListReset() {
  if (m_hwnd) SendMessageW(m_hwnd, LB_RESETCONTENT, 0, 0);
}

void CheckList::OnItemAdded(int index) {
  if (!m_hwnd) return;
  SendMessageW(m_hwnd, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(Wide(m_model.List(index))));
}

void CheckList::OnTickChanged(int index) {
  if (!m_hwnd) return;
  const RECT r = ItemRect(index);
  InvalidateRect(m_hwnd, &r, FALSE);
}

void CheckList::Toggle(int index) {
  if (index < 0 || index >= m_model.ListCount()) return;
  m_model.SetSelected(index, !m_model.Selected(index));
}

int CheckList::ItemAt(LPARAM point) const {
  const LRESULT hit = SendMessageW(m_hwnd, LB_ITEMFROMPOINT, 0, point);
  if (HIWORD(hit) != 0) return -1;  // below the last entry
  return static_cast<int>(LOWORD(hit));
}

void CheckList::DrawItem(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  Brush window(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
  FillRect(dc, &r, window.get());
  if (static_cast<int>(item.itemID) < 0 || static_cast<int>(item.itemID) >= m_model.ListCount()) return;
  const int index = static_cast<int>(item.itemID);

  const int gap = MulDiv(kGap, m_dpi, 96);
  const int box = CheckSize();
  RECT tick{r.left + gap, r.top + (r.bottom - r.top - box) / 2, 0, 0};
  tick.right = tick.left + box;
  tick.bottom = tick.top + box;
  DrawFrameControl(dc, &tick, DFC_BUTTON, DFCS_BUTTONCHECK | (m_model.Selected(index) ? DFCS_CHECKED : 0));

  RECT text{tick.right + gap, r.top, r.right, r.bottom};
  SelectedObject font(dc, m_font ? static_cast<HGDIOBJ>(m_font) : GetStockObject(DEFAULT_GUI_FONT));
  const std::u16string& caption = m_model.List(index);
  SIZE extent{};
  GetTextExtentPoint32W(dc, Wide(caption), static_cast<int>(caption.size()), &extent);
  RECT highlight{text.left, text.top, std::min<LONG>(text.right, text.left + extent.cx + 2 * gap), text.bottom};
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  if (selected) {
    Brush back(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
    FillRect(dc, &highlight, back.get());
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT inner{highlight.left + gap, text.top, text.right, text.bottom};
  DrawTextW(dc, Wide(caption), -1, &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &highlight);
}

LRESULT CheckList::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kReflectBase + WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case kReflectBase + WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = ItemHeight();
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      HWND self = m_hwnd;
      if (MouseDown) {
        const MouseArgs args = MouseArgsOf(msg, wp, lp, m_dpi);
        MouseDown(args.button, args.shift, args.x, args.y);
      }
      if (!IsWindow(self)) return 0;
      const LRESULT result = CallBase(msg, wp, lp);
      if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) Toggle(ItemAt(lp));
      return result;
    }
    case WM_KEYDOWN:
      if (wp == VK_SPACE) {
        Toggle(ListIndex());
        return 0;
      }
      break;
    case WM_CHAR:
      if (wp == L' ') return 0;  // the tick, not a search for an entry starting with a blank
      break;
    default:
      break;
  }
  return SystemControl::OnMessage(msg, wp, lp);
}

}  // namespace quellan::forms
