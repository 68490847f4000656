#pragma once
// One tool-tip control serving several windows: each tool is a window whose tip text shows when
// the pointer rests on it.
#include <windows.h>

#include <string>

#include "win32/handles.h"

namespace quellan::forms {

class ToolTip {
 public:
  // Creates the tip window, owned by `owner` (a top-level window).
  void Create(HWND owner);
  // Shows `text` over `tool` (a child of the owner, or one of its descendants).
  void Add(HWND tool, const std::u16string& text);
  // Changes the text shown over a tool that was added.
  void SetText(HWND tool, const std::u16string& text);
  HWND hwnd() const { return m_tip.get(); }

 private:
  void Send(UINT message, HWND tool, const std::u16string& text) const;

  win32::UniqueWindow m_tip;
};

}  // namespace quellan::forms
