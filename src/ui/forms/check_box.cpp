#include "ui/forms/check_box.h"

#include "ui/forms/colour.h"
#include "ui/forms/container.h"

namespace quellan::forms {

namespace {
const wchar_t kCheckBoxClass[] = L"QuellanCheckBox";

WPARAM ButtonState(int value) {
  switch (value) {
    case policy::CheckBoxModel::kTicked:
      return BST_CHECKED;
    case policy::CheckBoxModel::kGrayed:
      return BST_INDETERMINATE;
    default:
      return BST_UNCHECKED;
  }
}
}  // namespace

CheckBox::CheckBox(policy::CheckBoxModel& model) : m_model(model) { m_model.SetObserver(this); }

CheckBox::~CheckBox() { m_model.SetObserver(nullptr); }

void CheckBox::Create(HWND parent, const RECT& bounds, const std::u16string& caption, HFONT font,
                      std::uint32_t foreColour, std::uint32_t backColour, int id) {
  Superclass(kCheckBoxClass, L"BUTTON");
  m_fore = foreColour;
  m_backColour = ResolveColour(backColour);
  m_back.reset(CreateSolidBrush(m_backColour));
  // A manual three-state box: it can show the grayed value, and the click handling below decides
  // the next value, so a click never leads into the grayed state.
  Window::Create(kCheckBoxClass, reinterpret_cast<const wchar_t*>(caption.c_str()),
                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_3STATE, 0, bounds.left, bounds.top,
                 bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  if (!m_hwnd) return;
  SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  OnValueChanged();
}

int CheckBox::Shown() const { return m_hwnd ? static_cast<int>(SendMessageW(m_hwnd, BM_GETCHECK, 0, 0)) : -1; }

void CheckBox::OnValueChanged() {
  if (m_hwnd) SendMessageW(m_hwnd, BM_SETCHECK, ButtonState(m_model.Value()), 0);
}

LRESULT CheckBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kReflectBase + WM_COMMAND:
      if (HIWORD(wp) == BN_CLICKED) {
        const bool ticked = m_model.Value() == policy::CheckBoxModel::kTicked;
        m_model.SetValue(ticked ? policy::CheckBoxModel::kUnticked : policy::CheckBoxModel::kTicked);
      }
      return 0;
    case kReflectBase + WM_CTLCOLORSTATIC:
    case kReflectBase + WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, ResolveColour(m_fore));
      SetBkColor(dc, m_backColour);
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(m_back.get());
    }
    default:
      return SystemControl::OnMessage(msg, wp, lp);
  }
}

}  // namespace quellan::forms
