// How rows look: the item background by state, row lines, and one whole
// list with header, rows and scroll bar as the window presents it.

#include <gtest/gtest.h>

#include "list_test_window.h"
#include "tests/support/golden_image.h"
#include "ui/layout/scroll_bar.h"
#include "ui/list/list_body.h"

namespace ztest {
namespace {

uint32_t PixelAt(const zui::Bitmap& frame, zui::Point p) { return frame.at(p.x, p.y); }

TEST(ListPaint, HotSelectedAndLineColoursOfTheChooser) {
  ListTestWindow w;
  zui::CListUI* list = w.Build(kChooserListSkin);
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < 3; ++i) w.AddRow();
  w.Paint();
  list->SelectRow(0);
  w.Move(w.RowPoint(1));
  const zui::Bitmap* frame = w.host().Frame(w.window().Handle());
  ASSERT_NE(frame, nullptr);

  EXPECT_EQ(PixelAt(*frame, w.RowPoint(0)), 0xFFE4F0FCu);
  EXPECT_EQ(PixelAt(*frame, w.RowPoint(1)), 0xFFB4F6E3u);
  EXPECT_EQ(PixelAt(*frame, w.RowPoint(2)), 0xFFFFFFFFu);
  for (int i = 0; i < 3; ++i) {
    const zui::Rect& r = list->GetItemAt(i)->GetPos();
    EXPECT_EQ(PixelAt(*frame, {r.left + 5, r.bottom - 1}), 0xFFDFE3E9u) << i;
    EXPECT_NE(PixelAt(*frame, {r.left + 5, r.bottom - 2}), 0xFFDFE3E9u) << i;
  }

  // Selection wins over hot.
  w.Move(w.RowPoint(0));
  frame = w.host().Frame(w.window().Handle());
  EXPECT_EQ(PixelAt(*frame, w.RowPoint(0)), 0xFFE4F0FCu);
  EXPECT_EQ(PixelAt(*frame, w.RowPoint(1)), 0xFFFFFFFFu);
}

TEST(ListPaint, DisabledAlternateAndColumnLines) {
  ListTestWindow w({200, 100});
  zui::CListUI* list =
      w.Build(L"<Window size=\"200,100\"><VerticalLayout bkcolor=\"#FF000000\">"
              L"<List name=\"list\" itembkcolor=\"#FF102030\" itemaltbk=\"true\" itemdisabledbkcolor=\"#FF808080\""
              L" itemlinecolor=\"#FFFF0000\" itemshowcolumnline=\"true\">"
              L"<ListHeader height=\"10\"><ListHeaderItem width=\"50\"/><ListHeaderItem width=\"60\"/></ListHeader>"
              L"</List></VerticalLayout></Window>");
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < 3; ++i) w.AddRow(20);
  dynamic_cast<zui::CControlUI*>(list->GetItemAt(2))->SetEnabled(false);
  const zui::Bitmap* frame = w.Paint();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->at(20, 15), 0xFF102030u);  // row 0
  EXPECT_EQ(frame->at(20, 35), 0xFF000000u);  // row 1: odd, no item colour
  EXPECT_EQ(frame->at(20, 55), 0xFF808080u);  // row 2: disabled
  EXPECT_EQ(frame->at(49, 15), 0xFFFF0000u);  // column lines at each column's right edge
  EXPECT_EQ(frame->at(109, 35), 0xFFFF0000u);
  EXPECT_EQ(frame->at(48, 15), 0xFF102030u);
}

// With itemshowhtml a label row draws its text as formatted text: the link
// markup becomes a link in the window's link colour, not literal braces.
TEST(ListPaint, FormattedRowTextDrawsLinksInTheLinkColour) {
  auto countBlue = [](const zui::Bitmap& frame) {
    int blue = 0;
    for (int y = 0; y < frame.height(); ++y)
      for (int x = 0; x < frame.width(); ++x) {
        const uint32_t p = frame.at(x, y);
        blue += (p & 0xFF) > 0xC0 && ((p >> 16) & 0xFF) < 0x40;
      }
    return blue;
  };
  int found[2] = {0, 0};
  for (int formatted = 0; formatted < 2; ++formatted) {
    ListTestWindow w({200, 60});
    zui::CListUI* list = w.Build(std::wstring(L"<Window size=\"200,60\"><VerticalLayout bkcolor=\"#FFFFFFFF\">"
                                              L"<List name=\"list\" itemshowhtml=\"") +
                                 (formatted ? L"true" : L"false") +
                                 L"\"><ListLabelElement height=\"30\" text=\"{a}linked words{/a}\"/></List>"
                                 L"</VerticalLayout></Window>");
    ASSERT_NE(list, nullptr);
    const zui::Bitmap* frame = w.Paint();
    ASSERT_NE(frame, nullptr);
    found[formatted] = countBlue(*frame);
  }
  EXPECT_EQ(found[0], 0) << "plain text is drawn in the item text colour";
  EXPECT_GT(found[1], 10) << "the link is drawn in the window's link colour";
}

TEST(ListPaint, HeaderRowsStatesLinesAndScrollBarGolden) {
  ListTestWindow w({160, 120});
  zui::CListUI* list =
      w.Build(L"<Window size=\"160,120\">"
              L"<Default name=\"VScrollBar\" value=\"width=&quot;8&quot; showbutton1=&quot;false&quot; "
              L"showbutton2=&quot;false&quot;\"/>"
              L"<VerticalLayout bkcolor=\"#FFFFFFFF\" inset=\"4,4,4,4\">"
              L"<List name=\"list\" bordersize=\"1\" bordercolor=\"#FF404040\" inset=\"1,1,1,1\" vscrollbar=\"true\""
              L" scrollstepsize=\"20\" itemshowrowline=\"true\" itemshowcolumnline=\"true\" itemlinecolor=\"#FFDFE3E9\""
              L" itemhotbkcolor=\"#FFB4F6E3\" itemselectedbkcolor=\"#FFE4F0FC\">"
              L"<ListHeader height=\"16\" bkcolor=\"#FFE0E0E0\">"
              L"<ListHeaderItem width=\"24\" bordercolor=\"#FF909090\" rightbordersize=\"1\"/>"
              L"<ListHeaderItem width=\"70\" bordercolor=\"#FF909090\" rightbordersize=\"1\"/>"
              L"<ListHeaderItem width=\"50\" bordercolor=\"#FF909090\" rightbordersize=\"1\"/>"
              L"</ListHeader></List></VerticalLayout></Window>");
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < 6; ++i) {
    zui::CListContainerElementUI* row = w.AddRow(20);
    row->GetItemAt(0)->SetBkColor(i % 2 == 0 ? 0xFF3070C0 : 0xFFC07030);
    row->GetItemAt(0)->SetFixedHeight(8);
    row->GetItemAt(0)->SetPadding({0, 6, 0, 0});
  }
  w.Paint();
  list->SelectRow(2);
  w.Move(w.RowPoint(1));
  w.host().MoveMouse(w.window().Handle(), w.RowPoint(1));
  w.Pump();
  ASSERT_TRUE(list->GetVerticalScrollBar()->IsVisible());
  const zui::Bitmap* frame = w.host().Frame(w.window().Handle());
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(MatchesGolden(*frame, "list_rows_states"));
}

}  // namespace
}  // namespace ztest
