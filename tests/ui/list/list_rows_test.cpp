// The other row classes, what the skin vocabulary makes of the family's
// elements, and rows in step with a horizontally scrolled header.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "list_test_window.h"
#include "ui/layout/scroll_bar.h"
#include "ui/list/list_body.h"
#include "ui/list/list_element.h"
#include "ui/list/list_header.h"
#include "ui/list/list_header_item.h"
#include "ui/list/list_label_element.h"
#include "ui/list/list_text_element.h"

namespace ztest {
namespace {

TEST(ListRows, EveryElementOfTheFamilyIsMadeFromSkinAndAnswersItsNames) {
  ListTestWindow w({300, 200});
  zui::CListUI* list =
      w.Build(L"<Window size=\"300,200\"><VerticalLayout><List name=\"list\">"
              L"<ListHeader name=\"header\" height=\"20\"><ListHeaderItem name=\"item\" width=\"100\"/></ListHeader>"
              L"<ListElement height=\"20\"/><ListLabelElement height=\"20\"/><ListTextElement height=\"20\"/>"
              L"<ListContainerElement height=\"20\"/>"
              L"</List></VerticalLayout></Window>");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetClass(), L"ListUI");
  for (const wchar_t* name : {L"List", L"IList", L"IListOwner", L"VerticalLayout"})
    EXPECT_TRUE(list->HasInterface(name));

  zui::CListHeaderUI* header = list->GetHeader();
  EXPECT_EQ(header, w.window().Manager().FindControl(L"header"));
  EXPECT_TRUE(header->HasInterface(L"ListHeader"));
  EXPECT_TRUE(header->GetItemAt(0)->HasInterface(L"ListHeaderItem"));
  EXPECT_EQ(header->GetItemAt(0)->GetClass(), L"ListHeaderItemUI");

  ASSERT_EQ(list->GetCount(), 4);
  EXPECT_NE(dynamic_cast<zui::CListElementUI*>(list->GetItemAt(0)), nullptr);
  EXPECT_NE(dynamic_cast<zui::CListLabelElementUI*>(list->GetItemAt(1)), nullptr);
  EXPECT_NE(dynamic_cast<zui::CListTextElementUI*>(list->GetItemAt(2)), nullptr);
  EXPECT_NE(dynamic_cast<zui::CListContainerElementUI*>(list->GetItemAt(3)), nullptr);
  const std::pair<int, const wchar_t*> names[] = {{0, L"ListElement"},          {1, L"ListLabelElement"},
                                                  {2, L"ListTextElement"},      {2, L"ListElement"},
                                                  {3, L"ListContainerElement"}, {3, L"HorizontalLayout"}};
  for (const auto& [row, name] : names) EXPECT_TRUE(list->GetItemAt(row)->HasInterface(name)) << row << " " << name;
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(list->GetItemAt(i)->HasInterface(L"ListItem"));
    EXPECT_EQ(dynamic_cast<zui::IListItemUI*>(list->GetItemAt(i))->GetIndex(), i);
  }
}

TEST(ListRows, LabelRowSelectsOnPressAndTellsOfIt) {
  ListTestWindow w({300, 200});
  zui::CListUI* list =
      w.Build(L"<Window size=\"300,200\"><VerticalLayout><List name=\"list\"/></VerticalLayout></Window>");
  ASSERT_NE(list, nullptr);
  auto* quiet = new zui::CListLabelElementUI;
  auto* chatty = new zui::CListLabelElementUI;
  chatty->SetHoverNotify(true);
  for (auto* row : {quiet, chatty}) {
    row->SetFixedHeight(30);
    list->Add(row);
  }
  w.Paint();
  w.Move(w.RowPoint(0));
  w.Click(w.RowPoint(0));
  EXPECT_TRUE(quiet->IsSelected());
  EXPECT_TRUE(w.Seen(L"buttondown").empty());
  w.Move(w.RowPoint(1));
  w.Click(w.RowPoint(1));
  EXPECT_TRUE(chatty->IsSelected());
  EXPECT_FALSE(quiet->IsSelected());
  ASSERT_EQ(w.Seen(L"buttondown").size(), 1u);
  EXPECT_EQ(w.Seen(L"buttondown")[0].sender, chatty);
  EXPECT_EQ(w.Seen(L"itemclick").size(), 2u);
  EXPECT_EQ(w.Seen(L"mouseenter").size(), 1u);
}

class RecordingCallback : public zui::IListCallbackUI {
 public:
  std::wstring GetItemText(zui::CControlUI* row, int index, int column) override {
    asked.push_back({index, column});
    return column == 0 ? L"WWWW" : L"";
  }
  std::vector<std::pair<int, int>> asked;
};

// Pixels of `r` that are not the background.
int InkIn(const zui::Bitmap& frame, const zui::Rect& r, uint32_t background) {
  int ink = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) ink += frame.at(x, y) != background ? 1 : 0;
  return ink;
}

TEST(ListRows, TextRowDrawsOneTextPerColumnFromTheCallback) {
  ListTestWindow w({300, 100});
  zui::CListUI* list = w.Build(
      L"<Window size=\"300,100\"><VerticalLayout bkcolor=\"#FFFFFFFF\"><List name=\"list\" itemtextcolor=\"#FF000000\">"
      L"<ListHeader height=\"10\"><ListHeaderItem width=\"100\"/><ListHeaderItem width=\"100\"/></ListHeader>"
      L"</List></VerticalLayout></Window>");
  ASSERT_NE(list, nullptr);
  auto* row = new zui::CListTextElementUI;
  row->SetFixedHeight(30);
  row->SetColumnText(1, L"own");  // ignored while there is a callback
  list->Add(row);
  RecordingCallback callback;
  list->SetTextCallback(&callback);
  const zui::Bitmap* frame = w.Paint();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(callback.asked, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}}));
  EXPECT_GT(InkIn(*frame, {0, 10, 100, 40}, 0xFFFFFFFF), 0);
  EXPECT_EQ(InkIn(*frame, {100, 10, 200, 40}, 0xFFFFFFFF), 0);

  list->SetTextCallback(nullptr);
  list->Invalidate();
  w.Pump();
  frame = w.host().Frame(w.window().Handle());
  EXPECT_EQ(InkIn(*frame, {0, 10, 100, 40}, 0xFFFFFFFF), 0);
  EXPECT_GT(InkIn(*frame, {100, 10, 200, 40}, 0xFFFFFFFF), 0);
  EXPECT_EQ(row->GetColumnText(1), L"own");
  EXPECT_EQ(row->GetColumnText(40), L"");
}

TEST(ListRows, HorizontalScrollMovesHeaderColumnsAndRowsTogether) {
  ListTestWindow w({200, 120});
  zui::CListUI* list =
      w.Build(L"<Window size=\"200,120\"><VerticalLayout>"
              L"<List name=\"list\" hscrollbar=\"true\" scrollstepsize=\"30\"><ListHeader height=\"20\">"
              L"<ListHeaderItem width=\"150\"/><ListHeaderItem width=\"150\"/></ListHeader>"
              L"</List></VerticalLayout></Window>");
  ASSERT_NE(list, nullptr);
  zui::CListContainerElementUI* row = w.AddRow(30);
  w.Paint();
  ASSERT_TRUE(list->GetHorizontalScrollBar()->IsVisible());
  EXPECT_EQ(list->GetScrollRange().cx, 100);
  EXPECT_EQ(row->GetPos().Width(), 300);

  list->LineRight();
  EXPECT_EQ(list->GetScrollPos().cx, 30);
  zui::CControlUI* second = list->GetHeader()->GetItemAt(1);
  EXPECT_EQ(second->GetPos().left, 120);
  EXPECT_EQ(list->GetItemInfo()->columnRects[1].left, 120);
  EXPECT_EQ(row->GetItemAt(1)->GetPos().left, 120);

  // A later layout keeps the same places.
  list->NeedUpdate();
  w.Pump();
  EXPECT_EQ(second->GetPos().left, 120);
  EXPECT_EQ(row->GetItemAt(1)->GetPos().left, 120);
  EXPECT_EQ(list->GetItemInfo()->columnRects[0].left, -30);
}

TEST(ListRows, FixedScrollBarKeepsItsRoomWhileHidden) {
  for (bool fixed : {false, true}) {
    ListTestWindow w({200, 120});
    zui::CListUI* list = w.Build(std::wstring(L"<Window size=\"200,120\"><VerticalLayout><List name=\"list\" "
                                              L"vscrollbar=\"true\" fixedscrollbar=\"") +
                                 (fixed ? L"true" : L"false") + L"\"/></VerticalLayout></Window>");
    ASSERT_NE(list, nullptr);
    zui::CListContainerElementUI* row = w.AddRow(30);
    w.Paint();
    EXPECT_FALSE(list->GetVerticalScrollBar()->IsVisible());
    EXPECT_EQ(row->GetPos().Width(), fixed ? 184 : 200) << fixed;
  }
}

}  // namespace
}  // namespace ztest
