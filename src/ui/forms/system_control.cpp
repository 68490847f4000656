#include "ui/forms/system_control.h"

namespace quellan::forms {

SystemControl::~SystemControl() {
  // Destroyed here, while the platform's procedure still receives the messages, so that the
  // control frees what it keeps for itself.
  if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
}

void SystemControl::Superclass(const wchar_t* className, const wchar_t* baseClassName) {
  WNDPROC base = nullptr;
  if (RegisterSuperclassOnce(className, baseClassName, &base) && base) m_base = base;
}

}  // namespace quellan::forms
