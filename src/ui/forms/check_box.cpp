#include "ui/forms/check_box.h"

#include <oleacc.h>

#include "ui/forms/colour.h"
#include "ui/forms/container.h"

namespace quellan::forms {

using policy::CheckState;

namespace {
const wchar_t kCheckBoxClass[] = L"QuellanCheckBox";
}

void CheckBox::Create(HWND parent, int id, const RECT& bounds, const std::u16string& caption, HFONT font,
                      std::uint32_t foreColour, std::uint32_t backColour) {
  Superclass(kCheckBoxClass, L"BUTTON");
  m_caption = caption;
  m_fore = foreColour;
  m_backColour = ResolveColour(backColour);
  m_back.reset(CreateSolidBrush(m_backColour));
  // A manual three-state box: it can show the grayed value, and the click handling below decides
  // the next value, so a click never leads into the grayed state.
  if (!CreateChild(parent, id, bounds, kCheckBoxClass, win32::Wide(caption),
                   WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_3STATE, 0))
    return;
  SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void CheckBox::SetValue(CheckState value) {
  if (value == m_value) return;
  m_value = value;
  const WPARAM check = value == CheckState::Checked  ? BST_CHECKED
                       : value == CheckState::Grayed ? BST_INDETERMINATE
                                                     : BST_UNCHECKED;
  if (m_hwnd) SendMessageW(m_hwnd, BM_SETCHECK, check, 0);
  if (Click) Click();
}

void CheckBox::Toggle() { SetValue(m_value == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked); }

long CheckBox::AccessibleRole(long) const { return ROLE_SYSTEM_CHECKBUTTON; }

long CheckBox::AccessibleState(long) const {
  return m_value == CheckState::Checked ? STATE_SYSTEM_CHECKED : m_value == CheckState::Grayed ? STATE_SYSTEM_MIXED : 0;
}

const wchar_t* CheckBox::DefaultAction(long) const { return m_value == CheckState::Checked ? L"Uncheck" : L"Check"; }

LRESULT CheckBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (LRESULT result = 0; m_accessible.Handle(m_hwnd, msg, wp, lp, result)) return result;
  switch (msg) {
    case kReflectBase + WM_COMMAND:
      if (HIWORD(wp) == BN_CLICKED) Toggle();
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
      return CallBase(msg, wp, lp);
  }
}

}  // namespace quellan::forms
