// The list and check-box models and the drive lists filled into them.
#include "policy/check_list_model.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "policy/check_box_model.h"
#include "policy/drive_lists.h"

namespace quellan::policy {
namespace {

using Events = std::vector<std::string>;

// Records what a list tells its view and its handler, in order.
struct ListRecorder : CheckListObserver {
  explicit ListRecorder(CheckListModel& list) {
    list.SetObserver(this);
    list.ItemCheck = [this](int position) { events.push_back("ItemCheck " + std::to_string(position)); };
  }
  void OnListReset() override { events.push_back("reset"); }
  void OnItemAdded(int index) override { events.push_back("added " + std::to_string(index)); }
  void OnTickChanged(int index) override { events.push_back("tick " + std::to_string(index)); }
  Events events;
};

TEST(CheckListModel, KeepsEntriesInOrderAndRaisesOnlyRealTickChanges) {
  CheckListModel list;
  ListRecorder recorder(list);
  EXPECT_EQ(list.NewIndex(), -1);
  list.AddItem(u"Zulu");
  list.AddItem(u"Alpha");
  list.SetItemData(list.NewIndex(), -5);
  for (const auto& [index, ticked] : {std::pair{0, true}, {0, true}, {1, false}, {0, false}, {1, true}})
    list.SetSelected(index, ticked);
  EXPECT_EQ(std::make_tuple(list.List(1), list.ItemData(0), list.ItemData(1)),
            std::make_tuple(std::u16string(u"Alpha"), 0, -5));
  for (const int bad : {-1, 2}) {
    EXPECT_THROW(list.List(bad), std::out_of_range);
    EXPECT_THROW(list.SetItemData(bad, 1), std::out_of_range);
    EXPECT_THROW(list.SetSelected(bad, true), std::out_of_range);
  }
  list.Clear();
  EXPECT_EQ(list.NewIndex(), -1);
  list.AddItem(u"again");
  EXPECT_FALSE(list.Selected(0));  // a new entry starts unticked, whatever was at its position
  EXPECT_EQ(recorder.events, (Events{"added 0", "added 1", "tick 0", "ItemCheck 0", "tick 0", "ItemCheck 0", "tick 1",
                                     "ItemCheck 1", "reset", "added 0"}));
}

TEST(CheckBoxModel, RaisesClickOnlyWhenTheValueChanges) {
  struct Recorder : CheckBoxObserver {
    void OnValueChanged() override { events.push_back("changed"); }
    Events events;
  } recorder;
  CheckBoxModel box;
  box.SetObserver(&recorder);
  box.Click = [&] { recorder.events.push_back("Click " + std::to_string(box.Value())); };
  for (const int v : {0, 1, 1, 2, 0}) box.SetValue(v);
  for (const int v : {-1, 3}) EXPECT_THROW(box.SetValue(v), std::out_of_range) << v;
  EXPECT_EQ(recorder.events, (Events{"changed", "Click 1", "changed", "Click 2", "changed", "Click 0"}));
}

TEST(FillDriveLists, ListsEveryLetterAndTheSevenTypesAfreshAtEachRefresh) {
  CheckListModel letters;
  CheckListModel types;
  for (int refresh = 0; refresh < 2; ++refresh) {
    letters.Clear();
    types.Clear();
    FillDriveLists(letters, types);
  }
  ASSERT_EQ(letters.ListCount(), 26);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(letters.List(i), std::u16string(1, static_cast<char16_t>('A' + i)));
  const char16_t* names[] = {u"Unknown", u"No Root Directory", u"Removable", u"Fixed", u"Network",
                             u"CD/DVD",  u"RAM Disk"};
  ASSERT_EQ(types.ListCount(), 7);
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(std::make_tuple(types.List(i), types.ItemData(i), types.Selected(i)),
              std::make_tuple(std::u16string(names[i]), 1 << i, false));
}

}  // namespace
}  // namespace quellan::policy
