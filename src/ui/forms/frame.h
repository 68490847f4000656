#pragma once
// A frame without a border: a container that only groups its controls. It has its container's back
// colour and no caption on screen, so its children appear directly on the window; it takes part in
// the tab order through its children (WS_EX_CONTROLPARENT).
#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/forms/window.h"
#include "win32/handles.h"

namespace quellan::forms {

class Frame : public Window {
 public:
  // The caption is kept as the window text only; a borderless frame never shows it.
  void Create(HWND parent, int id, const RECT& bounds, const std::u16string& caption, std::uint32_t backColour);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  win32::Brush m_back;
};

}  // namespace quellan::forms
