#include "policy/check_list_model.h"

#include <stdexcept>

namespace quellan::policy {

void CheckListModel::AddItem(const std::u16string& text) {
  m_items.push_back(Item{text});
  m_newIndex = ListCount() - 1;
  if (m_observer) m_observer->OnItemAdded(m_newIndex);
}

void CheckListModel::Clear() {
  m_items.clear();
  m_newIndex = -1;
  if (m_observer) m_observer->OnListReset();
}

CheckListModel::Item& CheckListModel::At(int index) {
  if (index < 0 || index >= ListCount()) throw std::out_of_range("list index out of range");
  return m_items[static_cast<std::size_t>(index)];
}

const CheckListModel::Item& CheckListModel::At(int index) const {
  if (index < 0 || index >= ListCount()) throw std::out_of_range("list index out of range");
  return m_items[static_cast<std::size_t>(index)];
}

const std::u16string& CheckListModel::List(int index) const { return At(index).text; }

std::int32_t CheckListModel::ItemData(int index) const { return At(index).data; }

void CheckListModel::SetItemData(int index, std::int32_t data) { At(index).data = data; }

bool CheckListModel::Selected(int index) const { return At(index).ticked; }

void CheckListModel::SetSelected(int index, bool ticked) {
  Item& item = At(index);
  if (item.ticked == ticked) return;
  item.ticked = ticked;
  if (m_observer) m_observer->OnTickChanged(index);
  if (ItemCheck) ItemCheck(index);
}

}  // namespace quellan::policy
