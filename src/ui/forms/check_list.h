#pragma once
// A list box with a tick box in front of each entry, bound to a CheckListModel: the model holds the
// entries and ticks, the list shows them. A left click on an entry (box or text) and Space on the
// current entry toggle its tick through the model, which raises ItemCheck. Every mouse press is
// raised as MouseDown(Button, Shift, X, Y) before the list handles it.
#include <windows.h>

#include "policy/check_list_model.h"
#include "ui/forms/mouse_event.h"
#include "ui/forms/system_control.h"

namespace quellan::forms {

class CheckList : public SystemControl, private policy::CheckListObserver {
 public:
  explicit CheckList(policy::CheckListModel& model);
  ~CheckList() override;

  // Creates the list (owner-drawn, single selection, WS_TABSTOP) and fills it from the model.
  void Create(HWND parent, const RECT& bounds, HFONT font, int dpi, int id);

  policy::CheckListModel& Model() const { return m_model; }
  // The entry's rectangle in the list's client coordinates (empty when not in view).
  RECT ItemRect(int index) const;
  // The entry with the keyboard caret (the list's current entry), or -1.
  int ListIndex() const;

  MouseHandler MouseDown;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void OnListReset() override;
  void OnItemAdded(int index) override;
  void OnTickChanged(int index) override;

  void DrawItem(const DRAWITEMSTRUCT& item) const;
  void Toggle(int index);
  int ItemAt(LPARAM point) const;
  int ItemHeight() const;
  int CheckSize() const;

  policy::CheckListModel& m_model;
  HFONT m_font = nullptr;
  int m_dpi = 96;
};

}  // namespace quellan::forms
