#pragma once
// A three-state check box. A click, or Space while it has the
// focus, ticks an unticked or grayed box and unticks a ticked one, then raises Click; so does
// SetValue when the value changes. Accessibility clients see a check button named by its caption.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "policy/check_state.h"
#include "ui/forms/accessible.h"
#include "ui/forms/window.h"
#include "win32/handles.h"

namespace quellan::forms {

class CheckBox : public Window, private AccessibleSource {
 public:
  void Create(HWND parent, int id, const RECT& bounds, const std::u16string& caption, HFONT font,
              std::uint32_t foreColour, std::uint32_t backColour);

  policy::CheckState Value() const { return m_value; }
  void SetValue(policy::CheckState value);

  std::function<void()> Click;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // What a click does.
  void Toggle();
  long AccessibleRole(long) const override;
  std::u16string AccessibleName(long) const override { return m_caption; }
  long AccessibleState(long) const override;
  const wchar_t* DefaultAction(long) const override;
  void DoDefaultAction(long) override { Toggle(); }

  std::u16string m_caption;
  Accessible m_accessible{*this};
  policy::CheckState m_value = policy::CheckState::Unchecked;
  std::uint32_t m_fore = 0;
  COLORREF m_backColour = 0;
  win32::Brush m_back;
};

}  // namespace quellan::forms
