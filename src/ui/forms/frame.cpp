#include "ui/forms/frame.h"

#include "ui/forms/colour.h"
#include "ui/forms/container.h"

namespace quellan::forms {

namespace {
const wchar_t kFrameClass[] = L"QuellanFrame";
}

void Frame::Create(HWND parent, int id, const RECT& bounds, const std::u16string& caption, std::uint32_t backColour) {
  RegisterClassOnce(kFrameClass);
  m_back.reset(CreateSolidBrush(ResolveColour(backColour)));
  CreateChild(parent, id, bounds, kFrameClass, win32::Wide(caption), WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
              WS_EX_CONTROLPARENT);
}

LRESULT Frame::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (HandleContainerMessage(m_hwnd, m_back.get(), msg, wp, lp, result)) return result;
  return Window::OnMessage(msg, wp, lp);
}

}  // namespace quellan::forms
