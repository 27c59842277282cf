// The list's selection: single and multiple, kept in step with the rows'
// flags while rows come and go.

#include <gtest/gtest.h>

#include "list_test_window.h"

namespace ztest {
namespace {

class ListSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    list_ = w_.Build(kChooserListSkin);
    ASSERT_NE(list_, nullptr);
    for (int i = 0; i < 5; ++i) rows_.push_back(w_.AddRow(30));  // all inside the body
    w_.Paint();
  }

  bool Selected(int i) const { return rows_[static_cast<size_t>(i)]->IsSelected(); }
  std::vector<int> SelectedIndices() const {
    std::vector<int> out;
    for (int i = list_->GetNextSelected(-1); i >= 0; i = list_->GetNextSelected(i)) out.push_back(i);
    return out;
  }

  ListTestWindow w_;
  zui::CListUI* list_ = nullptr;
  std::vector<zui::CListContainerElementUI*> rows_;
};

TEST_F(ListSelection, SelectRowNotifiesOnceAndMinusOneClearsEverything) {
  EXPECT_TRUE(list_->SelectRow(2));
  EXPECT_TRUE(list_->SelectRow(2));
  auto seen = w_.Seen(L"itemselect");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].sender, list_);
  EXPECT_EQ(seen[0].wParam, 2u);
  EXPECT_EQ(list_->GetSelectedCount(), 1);

  EXPECT_TRUE(list_->SelectRow(3));
  EXPECT_FALSE(Selected(2));
  EXPECT_TRUE(Selected(3));
  EXPECT_EQ(w_.Seen(L"itemselect").size(), 2u);

  EXPECT_FALSE(list_->SelectRow(-1));
  EXPECT_FALSE(Selected(3));
  EXPECT_EQ(list_->GetCurrentSelection(), -1);
  EXPECT_EQ(list_->GetSelectedCount(), 0);
}

TEST_F(ListSelection, RowsThatCannotBeSelectedAreRefused) {
  EXPECT_FALSE(list_->SelectRow(5));
  EXPECT_FALSE(list_->UnselectRow(9));
  rows_[1]->SetEnabled(false);
  EXPECT_FALSE(list_->SelectRow(1));
  EXPECT_FALSE(rows_[1]->SetSelected(true));
  EXPECT_FALSE(Selected(1));
  EXPECT_EQ(list_->GetCurrentSelection(), -1);
  EXPECT_TRUE(w_.Seen(L"itemselect").empty());
}

TEST_F(ListSelection, RowSetSelectedGoesThroughTheList) {
  EXPECT_TRUE(rows_[4]->SetSelected(true));
  EXPECT_EQ(list_->GetCurrentSelection(), 4);
  EXPECT_EQ(w_.Seen(L"itemselect").size(), 1u);
  EXPECT_TRUE(rows_[1]->SetSelected(true));
  EXPECT_FALSE(Selected(4));
  EXPECT_EQ(SelectedIndices(), std::vector<int>{1});
  EXPECT_TRUE(rows_[1]->SetSelected(false));
  EXPECT_EQ(list_->GetCurrentSelection(), -1);

  // Hiding the selected row leaves nothing selected.
  rows_[2]->SetSelected(true);
  rows_[2]->SetVisible(false);
  EXPECT_FALSE(Selected(2));
  EXPECT_EQ(list_->GetSelectedCount(), 0);
}

TEST_F(ListSelection, InsertingRenumbersTheRowsAndMovesTheSelection) {
  list_->SelectRow(0);
  auto* row = new zui::CListContainerElementUI;
  ASSERT_TRUE(list_->AddAt(row, 0));
  for (int i = 0; i < list_->GetCount(); ++i)
    EXPECT_EQ(dynamic_cast<zui::IListItemUI*>(list_->GetItemAt(i))->GetIndex(), i);
  EXPECT_EQ(row->GetOwner(), list_);
  EXPECT_EQ(list_->GetCurrentSelection(), 1);
  EXPECT_EQ(list_->GetItemAt(1), rows_[0]);
  EXPECT_TRUE(Selected(0));
  // The list and the rows still agree: selecting another clears the old one.
  list_->SelectRow(3);
  EXPECT_FALSE(Selected(0));
  auto* stray = new zui::CListContainerElementUI;
  EXPECT_FALSE(list_->AddAt(stray, 99));
  EXPECT_EQ(stray->GetOwner(), nullptr);
  delete stray;
}

TEST_F(ListSelection, MovingARowCarriesItsSelection) {
  list_->SelectRow(0);
  ASSERT_TRUE(list_->SetItemIndex(rows_[0], 3));
  EXPECT_EQ(list_->GetItemAt(3), rows_[0]);
  for (int i = 0; i < list_->GetCount(); ++i)
    EXPECT_EQ(dynamic_cast<zui::IListItemUI*>(list_->GetItemAt(i))->GetIndex(), i);
  EXPECT_EQ(list_->GetCurrentSelection(), 3);
  list_->SelectRow(1);
  EXPECT_FALSE(Selected(0));
}

TEST_F(ListSelection, RemovingRowsKeepsTheSelectionOnTheRightRow) {
  list_->SelectRow(3);
  ASSERT_TRUE(list_->Remove(rows_[0]));  // before the selection
  EXPECT_EQ(list_->GetCurrentSelection(), 2);
  EXPECT_EQ(rows_[3]->GetIndex(), 2);
  EXPECT_TRUE(Selected(3));

  w_.ClearSeen();
  ASSERT_TRUE(list_->RemoveAt(2));  // the selected row: the one taking its place is selected
  EXPECT_EQ(list_->GetCurrentSelection(), 2);
  EXPECT_TRUE(Selected(4));
  EXPECT_EQ(w_.Seen(L"itemselect").size(), 1u);

  ASSERT_TRUE(list_->Remove(rows_[4]));  // the last and selected: the one before it
  EXPECT_EQ(list_->GetCount(), 2);
  EXPECT_EQ(list_->GetCurrentSelection(), 1);
  EXPECT_TRUE(Selected(2));
  EXPECT_FALSE(list_->RemoveAt(7));

  list_->RemoveAll();
  EXPECT_EQ(list_->GetCount(), 0);
  EXPECT_EQ(list_->GetCurrentSelection(), -1);
  EXPECT_EQ(list_->GetSelectedCount(), 0);
}

TEST_F(ListSelection, RowKeptAliveOnRemovalForgetsTheList) {
  list_->SelectRow(1);
  zui::CListContainerElementUI* row = rows_[1];
  zui::ControlPtr kept = list_->Detach(row);
  ASSERT_EQ(kept.get(), row);
  EXPECT_EQ(list_->GetCount(), 4);
  EXPECT_EQ(row->GetOwner(), nullptr);
  EXPECT_EQ(row->GetIndex(), -1);
  EXPECT_FALSE(row->IsSelected());
}

TEST(ListSelectionSkin, SelectedAttributeSelectsWhateverItsValue) {
  ListTestWindow w;
  zui::CListUI* list =
      w.Build(L"<Window size=\"200,200\"><VerticalLayout><List name=\"list\">"
              L"<ListContainerElement height=\"20\"/><ListContainerElement height=\"20\" selected=\"false\"/>"
              L"</List></VerticalLayout></Window>");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetCount(), 2);
  EXPECT_EQ(list->GetCurrentSelection(), 1);
  EXPECT_TRUE(dynamic_cast<zui::IListItemUI*>(list->GetItemAt(1))->IsSelected());
}

TEST(ListSelectionSkin, RowSelectedBeforeJoiningIsAdopted) {
  zui::CListUI list;
  auto* row = new zui::CListContainerElementUI;
  row->SetSelected(true);  // no owner yet: only its own flag
  ASSERT_TRUE(list.Add(new zui::CListContainerElementUI));
  ASSERT_TRUE(list.Add(row));
  EXPECT_EQ(list.GetCurrentSelection(), 1);
  list.SelectRow(0);
  EXPECT_FALSE(row->IsSelected());
}

TEST_F(ListSelection, CtrlAndShiftBuildAMultipleSelection) {
  list_->SetMultiSelection(true);
  w_.Click(w_.RowPoint(1));
  w_.ClickWith(VK_CONTROL, w_.RowPoint(3));
  EXPECT_EQ(SelectedIndices(), (std::vector<int>{1, 3}));
  auto seen = w_.Seen(L"itemselect");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].wParam, 3u);
  EXPECT_EQ(seen[1].lParam, 0);

  w_.ClickWith(VK_SHIFT, w_.RowPoint(4));  // from the anchor, row 1
  EXPECT_EQ(SelectedIndices(), (std::vector<int>{1, 2, 3, 4}));
  seen = w_.Seen(L"itemselect");
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[2].wParam, 4u);
  EXPECT_EQ(seen[2].lParam, 1);

  w_.ClickWith(VK_CONTROL, w_.RowPoint(2));  // Ctrl on a selected row takes it out
  EXPECT_EQ(SelectedIndices(), (std::vector<int>{1, 3, 4}));
  EXPECT_FALSE(Selected(2));
  for (int i : {1, 3, 4}) EXPECT_TRUE(Selected(i)) << i;

  w_.Click(w_.RowPoint(3));  // a plain click on a selected row keeps it alone and anchors there
  EXPECT_EQ(SelectedIndices(), std::vector<int>{3});
  w_.ClickWith(VK_SHIFT, w_.RowPoint(4));
  EXPECT_EQ(SelectedIndices(), (std::vector<int>{3, 4}));
  EXPECT_EQ(w_.Seen(L"itemselect").back().lParam, 3);

  w_.Click(w_.RowPoint(0));  // a plain click starts again
  EXPECT_EQ(SelectedIndices(), std::vector<int>{0});
  for (int i = 1; i < 5; ++i) EXPECT_FALSE(Selected(i)) << i;

  list_->SetMultiSelection(false);
  EXPECT_EQ(list_->GetSelectedCount(), 0);
  EXPECT_FALSE(Selected(0));
}

TEST_F(ListSelection, CtrlClickInASingleSelectionListTogglesThroughTheList) {
  w_.ClickWith(VK_CONTROL, w_.RowPoint(1));
  EXPECT_EQ(list_->GetCurrentSelection(), 1);
  w_.ClickWith(VK_CONTROL, w_.RowPoint(2));
  EXPECT_EQ(SelectedIndices(), std::vector<int>{2});
  EXPECT_FALSE(Selected(1));
  w_.ClickWith(VK_CONTROL, w_.RowPoint(2));
  EXPECT_EQ(list_->GetSelectedCount(), 0);
  EXPECT_FALSE(Selected(2));
}

TEST_F(ListSelection, CtrlASelectsEveryEnabledRowOnlyInAMultipleSelectionList) {
  rows_[2]->SetEnabled(false);
  list_->SelectRow(0, true);
  w_.KeyWith(VK_CONTROL, 'A');
  EXPECT_EQ(list_->GetSelectedCount(), 1);

  list_->SetMultiSelection(true);
  list_->SelectRow(0, true);
  w_.KeyWith(VK_CONTROL, 'A');
  EXPECT_EQ(SelectedIndices(), (std::vector<int>{0, 1, 3, 4}));
  EXPECT_FALSE(Selected(2));
  list_->UnselectAllRows();
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(Selected(i)) << i;
}

}  // namespace
}  // namespace ztest
