#pragma once
// The state of a list box with a check box per entry: entries in the order added, each with its text,
// a 32-bit item data and a tick. A window binds a real list control to it through the observer.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quellan::policy {

class CheckListObserver {
 public:
  virtual ~CheckListObserver() = default;
  virtual void OnListReset() = 0;             // every entry was removed
  virtual void OnItemAdded(int index) = 0;    // an entry was appended at index
  virtual void OnTickChanged(int index) = 0;  // the tick of the entry at index changed
};

class CheckListModel {
 public:
  // Appends an entry, unticked, with item data 0.
  void AddItem(const std::u16string& text);
  // Removes every entry.
  void Clear();
  // The position of the entry added last; -1 when the list has none.
  int NewIndex() const { return m_newIndex; }

  int ListCount() const { return static_cast<int>(m_items.size()); }
  // Index-taking members throw std::out_of_range for a position outside 0 .. ListCount() - 1.
  const std::u16string& List(int index) const;
  std::int32_t ItemData(int index) const;
  void SetItemData(int index, std::int32_t data);
  bool Selected(int index) const;
  // Sets the tick; when it changes, tells the observer and then raises ItemCheck(index).
  void SetSelected(int index, bool ticked);

  std::function<void(int position)> ItemCheck;
  void SetObserver(CheckListObserver* observer) { m_observer = observer; }

 private:
  struct Item {
    std::u16string text;
    std::int32_t data = 0;
    bool ticked = false;
  };
  Item& At(int index);
  const Item& At(int index) const;

  std::vector<Item> m_items;
  int m_newIndex = -1;
  CheckListObserver* m_observer = nullptr;
};

}  // namespace quellan::policy
