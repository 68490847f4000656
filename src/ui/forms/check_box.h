#pragma once
// A check box bound to a CheckBoxModel: the box shows the model's value (0 unticked, 1 ticked,
// 2 grayed) and a click, or Space while it has the focus, sets the model, which raises Click.
// A click on a ticked box unticks it; on an unticked or grayed box it ticks it.
#include <windows.h>

#include <cstdint>
#include <string>

#include "policy/check_box_model.h"
#include "ui/forms/handles.h"
#include "ui/forms/system_control.h"

namespace quellan::forms {

class CheckBox : public SystemControl, private policy::CheckBoxObserver {
 public:
  explicit CheckBox(policy::CheckBoxModel& model);
  ~CheckBox() override;

  void Create(HWND parent, const RECT& bounds, const std::u16string& caption, HFONT font, std::uint32_t foreColour,
              std::uint32_t backColour, int id);

  policy::CheckBoxModel& Model() const { return m_model; }
  // The state the control shows (BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE).
  int Shown() const;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void OnValueChanged() override;

  policy::CheckBoxModel& m_model;
  std::uint32_t m_fore = 0;
  COLORREF m_backColour = 0;
  Brush m_back;
};

}  // namespace quellan::forms
