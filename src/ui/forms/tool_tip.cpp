#include "ui/forms/tool_tip.h"

#include <commctrl.h>

#include "win32/system_library.h"

namespace quellan::forms {

void ToolTip::Create(HWND owner) {
  win32::InitCommonControlClasses(ICC_WIN95_CLASSES);
  m_tip.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                              GetModuleHandleW(nullptr), nullptr));
}

void ToolTip::Add(HWND tool, const std::u16string& text) { Send(TTM_ADDTOOLW, tool, text); }

void ToolTip::SetText(HWND tool, const std::u16string& text) { Send(TTM_UPDATETIPTEXTW, tool, text); }

void ToolTip::Send(UINT message, HWND tool, const std::u16string& text) const {
  if (!m_tip) return;
  TOOLINFOW info{};
  // The first version's size: accepted by every version of the common controls.
  info.cbSize = TTTOOLINFOW_V1_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  std::u16string copy = text;  // the message takes the text through a non-const pointer
  info.lpszText = reinterpret_cast<wchar_t*>(copy.data());
  SendMessageW(m_tip.get(), message, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace quellan::forms
