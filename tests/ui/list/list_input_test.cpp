// What the user does to a list: clicks, keys, the wheel, the mouse coming
// and going, and the notifications that follow.

#include <gtest/gtest.h>

#include "list_test_window.h"
#include "ui/list/list_body.h"

namespace ztest {
namespace {

class ListInput : public ::testing::Test {
 protected:
  void Make(int rows, const wchar_t* skin = kChooserListSkin) {
    list_ = w_.Build(skin);
    ASSERT_NE(list_, nullptr);
    for (int i = 0; i < rows; ++i) rows_.push_back(w_.AddRow());
    w_.Paint();
  }
  bool Selected(int i) const { return rows_[static_cast<size_t>(i)]->IsSelected(); }

  ListTestWindow w_;
  zui::CListUI* list_ = nullptr;
  std::vector<zui::CListContainerElementUI*> rows_;
};

TEST_F(ListInput, ClickTogglesSelectionAndStillSendsItemClick) {
  Make(3);
  rows_[1]->SetClickTogglesSelection(true);
  w_.Click(w_.RowPoint(1));
  EXPECT_TRUE(Selected(1));
  w_.Click(w_.RowPoint(1));
  EXPECT_FALSE(Selected(1));
  EXPECT_EQ(list_->GetCurrentSelection(), -1);
  auto clicks = w_.Seen(L"itemclick");
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[1].sender, rows_[1]);

  // Without the flag a second click keeps the row selected.
  w_.Click(w_.RowPoint(2));
  w_.Click(w_.RowPoint(2));
  EXPECT_TRUE(Selected(2));
  EXPECT_EQ(w_.Seen(L"itemselect").size(), 2u);
}

TEST_F(ListInput, NoItemClickForADisabledRowOrAReleaseElsewhere) {
  Make(2);
  rows_[0]->SetEnabled(false);
  w_.Click(w_.RowPoint(0));
  EXPECT_FALSE(Selected(0));
  EXPECT_TRUE(w_.Seen(L"itemclick").empty());

  w_.Press(w_.RowPoint(1));
  EXPECT_TRUE(Selected(1));
  w_.Move({5, 195});
  w_.Release({5, 195});
  EXPECT_TRUE(w_.Seen(L"itemclick").empty());
}

TEST_F(ListInput, WheelScrollsOneRowPerNotchByTheStepSize) {
  Make(6);  // 264 pixels of rows in a body 179 high: range 85
  ASSERT_EQ(list_->GetScrollRange().cy, 85);
  const int top = rows_[0]->GetPos().top;
  const zui::Point over{100, 90};  // inside the body, over whichever row is there
  w_.Wheel(over, -1);
  EXPECT_EQ(list_->GetScrollPos().cy, 44);
  EXPECT_EQ(rows_[0]->GetPos().top, top - 44);
  w_.Wheel(over, -1);
  EXPECT_EQ(list_->GetScrollPos().cy, 85);
  w_.Wheel(over, 1);
  EXPECT_EQ(list_->GetScrollPos().cy, 41);
  EXPECT_EQ(list_->GetBody()->GetScrollStepSize(), 44);
  EXPECT_TRUE(w_.Seen(L"itemselect").empty());
}

TEST_F(ListInput, ScrollSelectMovesTheSelectionWithTheWheel) {
  Make(4);
  list_->SetScrollSelect(true);
  rows_[1]->SetEnabled(false);
  w_.Wheel(w_.RowPoint(0), -1);
  EXPECT_EQ(list_->GetCurrentSelection(), 0);
  w_.Wheel(w_.RowPoint(0), -1);  // over the disabled row
  EXPECT_EQ(list_->GetCurrentSelection(), 2);
  w_.Wheel(w_.RowPoint(0), -3);  // past the end it stays on the last
  EXPECT_EQ(list_->GetCurrentSelection(), 3);
  w_.Wheel(w_.RowPoint(0), 1);
  EXPECT_EQ(list_->GetCurrentSelection(), 2);
  EXPECT_EQ(list_->GetScrollPos().cy, 0);
}

TEST_F(ListInput, ArrowKeysMoveTheSelectionWithinTheRows) {
  Make(6);
  w_.Click(w_.RowPoint(0));
  list_->SelectRow(-1);
  w_.Key(VK_UP);
  w_.Key(VK_DOWN);
  EXPECT_EQ(list_->GetCurrentSelection(), -1);  // nothing selected: nothing to move

  list_->SelectRow(5, true);
  w_.Key(VK_DOWN);
  EXPECT_EQ(list_->GetCurrentSelection(), 5);
  EXPECT_TRUE(Selected(5));
  w_.Key(VK_UP);
  EXPECT_EQ(list_->GetCurrentSelection(), 4);
  EXPECT_FALSE(Selected(5));
  list_->SelectRow(0, true);
  w_.Key(VK_UP);
  EXPECT_EQ(list_->GetCurrentSelection(), 0);
}

TEST_F(ListInput, HomeEndAndReturn) {
  Make(6);
  rows_[0]->SetEnabled(false);
  rows_[5]->SetEnabled(false);
  list_->SelectRow(2, true);
  w_.Key(VK_HOME);
  EXPECT_EQ(list_->GetCurrentSelection(), 1);
  w_.Key(VK_END);  // the last row cannot be selected: the last that can
  EXPECT_EQ(list_->GetCurrentSelection(), 4);
  // End brought row 4 into the body.
  const zui::Rect body = list_->GetBody()->GetPos();
  EXPECT_LE(rows_[4]->GetPos().bottom, body.bottom);
  EXPECT_GE(rows_[4]->GetPos().top, body.top);
  EXPECT_GT(list_->GetScrollPos().cy, 0);

  w_.Key(VK_RETURN);
  auto activated = w_.Seen(L"itemactivate");
  ASSERT_EQ(activated.size(), 1u);
  EXPECT_EQ(activated[0].sender, rows_[4]);

  // The test window's class takes no double clicks: the row gets the event itself.
  zui::InputEvent dbl;
  dbl.type = zui::kEventDoubleClick;
  dbl.sender = rows_[3];
  rows_[3]->Event(dbl);
  activated = w_.Seen(L"itemactivate");
  ASSERT_EQ(activated.size(), 2u);
  EXPECT_EQ(activated[1].sender, rows_[3]);
}

TEST_F(ListInput, SelectingARowBelowTheBodyScrollsItIntoView) {
  Make(8);
  list_->SelectRow(6);
  const zui::Rect body = list_->GetBody()->GetPos();
  EXPECT_EQ(rows_[6]->GetPos().bottom, body.bottom);
  list_->SelectRow(1);
  EXPECT_EQ(rows_[1]->GetPos().top, body.top);
}

TEST_F(ListInput, HotRowsAndTheirNotifications) {
  Make(3);
  rows_[0]->SetHoverNotify(true);
  w_.Move(w_.RowPoint(0));
  EXPECT_TRUE(rows_[0]->IsHot());
  auto enter = w_.Seen(L"mouseenter");
  ASSERT_EQ(enter.size(), 1u);
  EXPECT_EQ(enter[0].sender, rows_[0]);

  w_.Move(w_.RowPoint(1));
  EXPECT_FALSE(rows_[0]->IsHot());
  EXPECT_TRUE(rows_[1]->IsHot());
  ASSERT_EQ(w_.Seen(L"mouseleave").size(), 1u);
  EXPECT_EQ(w_.Seen(L"mouseenter").size(), 1u);  // row 1 does not ask for them

  rows_[1]->SetEnabled(false);  // disabling clears the hot state
  EXPECT_FALSE(rows_[1]->IsHot());
}

TEST_F(ListInput, RightButtonSelectsOnlyWhenTheListSaysSo) {
  Make(3);
  w_.host().ClickRight(w_.window().Handle(), w_.RowPoint(1));
  w_.Pump();
  EXPECT_FALSE(Selected(1));
  list_->SetAttribute(L"itemrselected", L"true");
  w_.host().ClickRight(w_.window().Handle(), w_.RowPoint(1));
  w_.Pump();
  EXPECT_TRUE(Selected(1));
}

}  // namespace
}  // namespace ztest
