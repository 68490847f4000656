#include "policy/check_box_model.h"

#include <stdexcept>

namespace quellan::policy {

void CheckBoxModel::SetValue(int v) {
  if (v < kUnticked || v > kGrayed) throw std::out_of_range("check box value out of range");
  if (v == m_value) return;
  m_value = v;
  if (m_observer) m_observer->OnValueChanged();
  if (Click) Click();
}

}  // namespace quellan::policy
