#pragma once
// A hidden menu: it never appears in a menu bar and exists only to be opened as a pop-up menu at
// the pointer. Opening it runs the platform's modal menu loop and returns the item chosen.
#include <windows.h>

#include <string>
#include <vector>

#include "win32/handles.h"

namespace quellan::forms {

class PopupMenu {
 public:
  struct Item {
    UINT id;  // non-zero
    std::u16string caption;
  };
  explicit PopupMenu(const std::vector<Item>& items);

  // Opens the menu at the pointer with the platform's default alignment (left, top) for the left
  // button, owned by `owner`; returns the id of the item chosen, or 0 when the menu was dismissed.
  UINT Open(HWND owner) const;
  HMENU hmenu() const { return m_menu.get(); }

 private:
  win32::UniqueMenu m_menu;
};

}  // namespace quellan::forms
