#include "ui/forms/popup_menu.h"

namespace quellan::forms {

PopupMenu::PopupMenu(const std::vector<Item>& items) : m_menu(CreatePopupMenu()) {
  for (const Item& item : items) AppendMenuW(m_menu.get(), MF_STRING, item.id, win32::Wide(item.caption));
}

UINT PopupMenu::Open(HWND owner) const {
  POINT at{};
  GetCursorPos(&at);
  const BOOL chosen = TrackPopupMenu(m_menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, at.x,
                                     at.y, 0, owner, nullptr);
  return static_cast<UINT>(chosen);
}

}  // namespace quellan::forms
