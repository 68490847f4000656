#include "ui/forms/tool_tip.h"

#include <commctrl.h>

#include <vector>

namespace quellan::forms {

namespace {
TOOLINFOW ToolInfo(HWND tool) {
  TOOLINFOW info{};
  // The first version's size: accepted by every version of the common controls.
  info.cbSize = TTTOOLINFOW_V1_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  return info;
}
}  // namespace

void ToolTip::Create(HWND owner) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);
  m_tip.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                              GetModuleHandleW(nullptr), nullptr));
}

void ToolTip::Add(HWND tool, const std::u16string& text) {
  if (!m_tip) return;
  TOOLINFOW info = ToolInfo(tool);
  std::u16string copy = text;
  info.lpszText = reinterpret_cast<wchar_t*>(copy.data());
  SendMessageW(m_tip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTip::SetText(HWND tool, const std::u16string& text) {
  if (!m_tip) return;
  TOOLINFOW info = ToolInfo(tool);
  std::u16string copy = text;
  info.lpszText = reinterpret_cast<wchar_t*>(copy.data());
  SendMessageW(m_tip.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

std::u16string ToolTip::Text(HWND tool) const {
  if (!m_tip) return {};
  // Tip texts are at most 80 characters unless given by callback; this buffer is ample for both.
  std::vector<wchar_t> buffer(1024, L'\0');
  TOOLINFOW info = ToolInfo(tool);
  info.lpszText = buffer.data();
  SendMessageW(m_tip.get(), TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&info));
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()));
}

}  // namespace quellan::forms
