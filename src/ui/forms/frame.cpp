#include "ui/forms/frame.h"

#include <oleacc.h>

#include "ui/forms/colour.h"
#include "ui/forms/container.h"

namespace quellan::forms {

namespace {
const wchar_t kFrameClass[] = L"QuellanFrame";
}

void Frame::Create(HWND parent, int id, const RECT& bounds, const std::u16string& caption, std::uint32_t backColour) {
  RegisterClassOnce(kFrameClass);
  m_back.reset(CreateSolidBrush(ResolveColour(backColour)));
  m_name = caption.substr(0, caption.find_last_not_of(u' ') + 1);  // the caption's trailing blanks unspoken
  CreateChild(parent, id, bounds, kFrameClass, win32::Wide(caption), WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
              WS_EX_CONTROLPARENT);
}

long Frame::AccessibleRole(long) const { return ROLE_SYSTEM_GROUPING; }

LRESULT Frame::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (m_accessible.Handle(m_hwnd, msg, wp, lp, result)) return result;
  if (HandleContainerMessage(m_hwnd, m_back.get(), msg, wp, lp, result)) return result;
  return Window::OnMessage(msg, wp, lp);
}

}  // namespace quellan::forms
