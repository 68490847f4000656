#pragma once
// A list box with a tick box in front of each entry. Entries keep the order they were added in,
// each with its text, a 32-bit item data and a tick. A left click on an entry (box or text) and
// Space on the current entry toggle its tick and raise ItemCheck; every mouse press is raised as
// MouseDown(button) before the list handles it. Accessibility clients see a list with a check button
// for each entry (child id: index + 1), told when an entry's tick changes and when the focus moves
// to an entry.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/forms/accessible.h"
#include "ui/forms/mouse_button.h"
#include "ui/forms/window.h"

namespace quellan::forms {

class CheckList : public Window, private AccessibleSource {
 public:
  // Creates the list (owner-drawn, single selection, a tab stop), empty.
  void Create(HWND parent, int id, const RECT& bounds, HFONT font, int dpi);

  void AddItem(const std::u16string& text);
  void Clear();
  // The position of the entry added last; -1 when the list has none.
  int NewIndex() const { return static_cast<int>(m_items.size()) - 1; }
  int ListCount() const { return static_cast<int>(m_items.size()); }
  const std::u16string& List(int index) const { return m_items.at(static_cast<std::size_t>(index)).text; }
  std::int32_t ItemData(int index) const { return m_items.at(static_cast<std::size_t>(index)).data; }
  void SetItemData(int index, std::int32_t data) { m_items.at(static_cast<std::size_t>(index)).data = data; }
  bool Selected(int index) const { return m_items.at(static_cast<std::size_t>(index)).ticked; }
  // Sets the tick; when it changes, redraws the entry and raises ItemCheck(index).
  void SetSelected(int index, bool ticked);
  // What screen readers call the list (its label's words).
  void SetAccessibleName(const std::u16string& name) { m_name = name; }

  std::function<void(int index)> ItemCheck;
  std::function<void(MouseButton button)> MouseDown;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  struct Item {
    std::u16string text;
    std::int32_t data = 0;
    bool ticked = false;
  };
  void DrawItem(const DRAWITEMSTRUCT& item) const;
  void Toggle(int index);
  int ItemHeight() const;
  int Scaled(int pixels) const { return MulDiv(pixels, m_dpi, 96); }
  void NotifyFocus() const;
  long AccessibleRole(long child) const override;
  std::u16string AccessibleName(long child) const override { return child ? List(child - 1) : m_name; }
  long AccessibleState(long child) const override;
  const wchar_t* DefaultAction(long child) const override;
  void DoDefaultAction(long child) override { Toggle(child - 1); }
  long AccessibleChildCount() const override { return ListCount(); }
  RECT ChildRect(long child) const override;
  long ChildAt(POINT client) const override;
  long FocusedChild() const override;

  std::vector<Item> m_items;
  std::u16string m_name;
  Accessible m_accessible{*this};
  HFONT m_font = nullptr;
  int m_dpi = 96;
};

}  // namespace quellan::forms
