// Where a list puts its header, columns and rows: rows in the header's
// columns, a column dragged wider, hidden and scaled headers, more columns
// than the list keeps.

#include <gtest/gtest.h>

#include "list_test_window.h"
#include "ui/layout/scroll_bar.h"
#include "ui/list/list_body.h"
#include "ui/list/list_header.h"
#include "ui/list/list_header_item.h"

namespace ztest {
namespace {

using zui::Rect;

// A list at the window's top-left with a 20-pixel header of columns 60,
// 100 and 80 (separators 4 wide) and rows of 30.
std::wstring DragSkin(const wchar_t* headerAttributes = L"") {
  return std::wstring(L"<Window size=\"300,200\"><VerticalLayout>"
                      L"<List name=\"list\" width=\"300\" height=\"200\"><ListHeader height=\"20\" ") +
         headerAttributes +
         L">"
         L"<ListHeaderItem width=\"60\"/><ListHeaderItem width=\"100\"/><ListHeaderItem width=\"80\"/>"
         L"</ListHeader></List></VerticalLayout></Window>";
}

TEST(ListLayout, ContainerRowChildrenTakeTheHeaderColumns) {
  for (int rows : {3, 5}) {  // five rows overflow the body and show the bar
    SCOPED_TRACE(rows);
    ListTestWindow w;
    zui::CListUI* list = w.Build(kChooserListSkin);
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < rows; ++i) w.AddRow();
    ASSERT_NE(w.Paint(), nullptr);

    const int contentLeft = list->GetPos().left + list->GetInset().left;
    EXPECT_EQ(list->GetPos().left, 17);
    EXPECT_EQ(list->GetItemInfo()->columns, 3);
    const int offsets[] = {0, 30, 350};
    const int widths[] = {30, 320, 76};
    for (int r = 0; r < rows; ++r) {
      auto* row = dynamic_cast<zui::CContainerUI*>(list->GetItemAt(r));
      ASSERT_NE(row, nullptr);
      EXPECT_EQ(row->GetPos().Height(), 44);
      EXPECT_GE(row->GetPos().Width(), 426);  // never narrower than the columns
      for (int c = 0; c < 3; ++c) {
        const Rect& child = row->GetItemAt(c)->GetPos();
        EXPECT_EQ(child.left - contentLeft, offsets[c]) << "row " << r << " column " << c;
        EXPECT_EQ(child.Width(), widths[c]) << "row " << r << " column " << c;
      }
    }
    EXPECT_EQ(list->GetItemInfo()->columnRects[2].left - contentLeft, 350);
    zui::CScrollBarUI* bar = list->GetVerticalScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->IsVisible(), rows == 5);
    if (rows == 5) {
      EXPECT_EQ(list->GetScrollRange().cy, 5 * 44 - 179);
    }
  }
}

TEST(ListLayout, DraggingTheSeparatorWidensTheColumnAndTheRowsFollow) {
  ListTestWindow w({300, 200});
  zui::CListUI* list = w.Build(DragSkin());
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < 4; ++i) w.AddRow(30);  // more rows than the list has children of its own
  w.Paint();
  zui::CControlUI* first = list->GetHeader()->GetItemAt(0);
  ASSERT_EQ(first->GetPos(), (Rect{0, 0, 60, 20}));

  // The separator zone is the last 4 pixels and 4 more inside: x 52 to 59.
  w.Move({40, 10});
  EXPECT_EQ(w.host().Cursor(), zui::kCursorArrow);
  w.Move({57, 10});
  EXPECT_EQ(w.host().Cursor(), zui::kCursorSizeWE);
  w.Press({57, 10});
  w.Move({77, 10});
  w.Move({87, 10});
  w.Release({87, 10});
  w.Pump();
  EXPECT_EQ(first->GetFixedWidth(), 90);
  EXPECT_EQ(first->GetPos().Width(), 90);
  auto* row = dynamic_cast<zui::CContainerUI*>(list->GetItemAt(0));
  EXPECT_EQ(row->GetItemAt(0)->GetPos().Width(), 90);
  EXPECT_EQ(row->GetItemAt(1)->GetPos().left, 90);
  EXPECT_EQ(list->GetItemInfo()->columnRects[1].left, 90);
  EXPECT_TRUE(w.Seen(L"headerclick").empty());

  // Narrower than the minimum width (16) is refused.
  w.Press({88, 10});
  w.Move({0, 10});
  w.Release({0, 10});
  EXPECT_EQ(first->GetFixedWidth(), 90);

  // A press away from the separator is a heading click.
  w.Click({130, 10});
  ASSERT_EQ(w.Seen(L"headerclick").size(), 1u);
  EXPECT_EQ(w.Seen(L"headerclick")[0].sender, list->GetHeader()->GetItemAt(1));
}

TEST(ListLayout, HiddenHeaderStillGivesTheColumnsTheirPlaces) {
  ListTestWindow w({300, 200});
  zui::CListUI* list = w.Build(L"<Window size=\"300,200\"><VerticalLayout>"
                               L"<List name=\"list\" header=\"hidden\"><ListHeader height=\"20\">"
                               L"<ListHeaderItem width=\"60\"/><ListHeaderItem width=\"100\"/>"
                               L"</ListHeader></List></VerticalLayout></Window>");
  ASSERT_NE(list, nullptr);
  w.AddRow(30);
  w.Paint();
  const zui::ListItemInfo& info = *list->GetItemInfo();
  EXPECT_EQ(info.columns, 2);
  EXPECT_EQ(info.columnRects[0], (Rect{0, 0, 60, 0}));
  EXPECT_EQ(info.columnRects[1], (Rect{60, 0, 160, 0}));
  // The body takes the whole list, and the header items stay hidden.
  EXPECT_EQ(list->GetBody()->GetPos().top, 0);
  EXPECT_FALSE(list->GetHeader()->GetItemAt(0)->IsVisible());
}

TEST(ListLayout, ScaleHeaderSharesTheWidthLessTheScrollBar) {
  ListTestWindow w({300, 200});
  zui::CListUI* list =
      w.Build(L"<Window size=\"300,200\"><VerticalLayout>"
              L"<List name=\"list\" vscrollbar=\"true\"><ListHeader height=\"20\" scaleheader=\"true\">"
              L"<ListHeaderItem scale=\"25\"/><ListHeaderItem scale=\"75\"/>"
              L"</ListHeader></List></VerticalLayout></Window>");
  ASSERT_NE(list, nullptr);
  w.Paint();
  // 300 less the default bar width 16.
  EXPECT_EQ(list->GetHeader()->GetItemAt(0)->GetPos(), (Rect{0, 0, 71, 20}));
  EXPECT_EQ(list->GetHeader()->GetItemAt(1)->GetPos(), (Rect{71, 0, 284, 20}));
}

TEST(ListLayout, ColumnsBeyondThe32ndAreLaidOutButNotAligned) {
  ListTestWindow w({400, 100});
  zui::CListUI* list = w.Build(L"<Window size=\"400,100\"><VerticalLayout>"
                               L"<List name=\"list\"><ListHeader height=\"10\"/></List></VerticalLayout></Window>");
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < 40; ++i) {
    auto* item = new zui::CListHeaderItemUI;
    item->SetFixedWidth(16);  // the smallest a header item gets
    ASSERT_TRUE(list->Add(item));
  }
  auto* row = new zui::CListContainerElementUI;
  row->SetFixedHeight(20);
  for (int i = 0; i < 40; ++i) {
    auto* child = new zui::CControlUI;
    child->SetFixedWidth(10);
    row->Add(child);
  }
  list->Add(row);
  w.Paint();

  EXPECT_EQ(list->GetHeader()->GetCount(), 40);
  EXPECT_EQ(list->GetItemInfo()->columns, 32);
  EXPECT_EQ(list->GetHeader()->GetItemAt(39)->GetPos().left, 39 * 16);
  EXPECT_EQ(row->GetItemAt(31)->GetPos().left, 31 * 16);
  EXPECT_EQ(row->GetItemAt(31)->GetPos().Width(), 16);
  // Child 35 keeps its own place in the row's flow.
  EXPECT_EQ(row->GetItemAt(35)->GetPos().left, 350);
}

TEST(ListLayout, SkinHeaderReplacesTheEmptyOneAndRemovingItIsSafe) {
  zui::CListUI list;
  zui::CListHeaderUI* own = list.GetHeader();
  auto* skin = new zui::CListHeaderUI;
  ASSERT_TRUE(list.Add(skin));
  EXPECT_EQ(list.GetHeader(), skin);
  EXPECT_NE(list.GetHeader(), own);
  ASSERT_TRUE(list.Add(new zui::CListHeaderItemUI));
  EXPECT_EQ(list.GetItemInfo()->columns, 1);
  EXPECT_EQ(skin->GetCount(), 1);
  EXPECT_EQ(list.GetCount(), 0);  // header items are not rows

  EXPECT_TRUE(list.Remove(skin));
  EXPECT_EQ(list.GetHeader(), nullptr);
  EXPECT_EQ(list.GetItemInfo()->columns, 0);
  EXPECT_FALSE(list.Remove(list.GetBody()));
  list.SetPos({0, 0, 100, 100});  // lays out without a header
  auto* row = new zui::CListContainerElementUI;
  row->Add(new zui::CControlUI);
  EXPECT_TRUE(list.Add(row));
  EXPECT_TRUE(list.Add(new zui::CListHeaderItemUI));  // a new header is made for it
  ASSERT_NE(list.GetHeader(), nullptr);
  EXPECT_EQ(list.GetItemInfo()->columns, 1);

  // Anything else is the list's own child, not a row.
  auto* other = new zui::CControlUI;
  EXPECT_TRUE(list.Add(other));
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetItemIndex(other), -1);
  EXPECT_EQ(other->GetParent(), &list);
  EXPECT_TRUE(list.Remove(other));
  EXPECT_EQ(list.GetCount(), 1);
}

}  // namespace
}  // namespace ztest
