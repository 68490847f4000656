#pragma once
// A label: a caption drawn in a font and colour, left-aligned or centred, on an opaque back colour
// or on whatever its container shows behind it (transparent). It takes no focus; a press and
// release of the left button over it raise Click, and every pointer move over it raises MouseMove.
// Accessibility clients see static text, or a link when it has a Click handler.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "ui/forms/accessible.h"
#include "ui/forms/window.h"
#include "win32/handles.h"

namespace quellan::forms {

struct LabelLook {
  std::uint32_t foreColour;  // program colour form; the system form resolves at each paint
  std::uint32_t backColour;  // used when not transparent
  bool transparent;
  bool centred;
};

class Label : public Window, private AccessibleSource {
 public:
  // The font is the caller's and must outlive the label. A label made hidden shows at ShowWindow.
  void Create(HWND parent, int id, const RECT& bounds, const std::u16string& caption, HFONT font, const LabelLook& look,
              bool visible = true);

  void SetCaption(const std::u16string& caption);

  std::function<void()> Click;
  std::function<void()> MouseMove;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint(HDC dc) const;
  long AccessibleRole(long) const override;
  std::u16string AccessibleName(long) const override { return m_caption; }
  long AccessibleState(long) const override;
  const wchar_t* DefaultAction(long) const override { return Click ? L"Jump" : nullptr; }
  void DoDefaultAction(long) override {
    if (Click) Click();
  }

  std::u16string m_caption;
  HFONT m_font = nullptr;
  LabelLook m_look{};
  win32::Brush m_back;
  bool m_pressed = false;
  Accessible m_accessible{*this};
};

}  // namespace quellan::forms
