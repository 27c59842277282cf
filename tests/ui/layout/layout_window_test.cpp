// Layouts and scroll bars inside a real (headless) window: tab selection
// notifications, thumb dragging on the repeat timer, press repeats, the
// wheel and the keys.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/skin_test_window.h"
#include "ui/layout/scroll_bar.h"
#include "ui/layout/tab_layout.h"
#include "ui/layout/vertical_layout.h"
#include "ui/text/text_engine.h"
#include "ui/window/skin_builder.h"

namespace zui {
namespace {

struct Notes : INotifyUI {
  std::vector<NotifyRecord> seen;
  void Notify(NotifyRecord& msg) override { seen.push_back(msg); }
  int Count(std::wstring_view type) const {
    int n = 0;
    for (const NotifyRecord& r : seen) n += r.type == type ? 1 : 0;
    return n;
  }
};

class LayoutWindowTest : public ::testing::Test {
 protected:
  CControlUI* Build(const std::wstring& xml) {
    CControlUI* root = CSkinBuilder().Create(xml, {}, nullptr, &window_.Manager());
    EXPECT_NE(root, nullptr);
    if (root == nullptr) return nullptr;
    EXPECT_TRUE(window_.Manager().AttachDialog(root));
    window_.Manager().AddNotifier(&notes_);
    window_.ShowAndPaint();
    return root;
  }
  void Pump() { window_.Host().PumpPending(); }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      window_.Host().AdvanceClock(CScrollBarUI::kRepeatPeriodMs);
      Pump();
    }
  }
  WindowHandle W() const { return window_.Handle(); }

  ztest::SkinTestWindow window_{{120, 200}};
  Notes notes_;
};

TEST_F(LayoutWindowTest, TabLayoutShowsTheFirstPageAndTellsEachChangeOnce) {
  std::wstring pages;
  for (int i = 0; i < 6; ++i) pages += L"<Control name=\"p" + std::to_wstring(i) + L"\"/>";
  Build(L"<Window size=\"120,200\"><TabLayout name=\"tabs\">" + pages + L"</TabLayout></Window>");
  auto* tabs = dynamic_cast<CTabLayoutUI*>(window_.Manager().FindControl(L"tabs"));
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->GetCurSel(), 0);
  EXPECT_TRUE(tabs->GetItemAt(0)->IsVisible());
  for (int i = 1; i < 6; ++i) EXPECT_FALSE(tabs->GetItemAt(i)->IsVisible()) << i;
  EXPECT_EQ(tabs->GetItemAt(0)->GetPos(), (Rect{0, 0, 120, 200}));

  ASSERT_TRUE(tabs->SelectItem(2));
  ASSERT_EQ(notes_.Count(L"tabselect"), 1);
  const NotifyRecord& note = notes_.seen.back();
  EXPECT_EQ(note.sender, tabs);
  EXPECT_EQ(note.wParam, 2u);
  EXPECT_EQ(note.lParam, 0);
  EXPECT_TRUE(tabs->SelectItem(2));
  EXPECT_EQ(notes_.Count(L"tabselect"), 1);
  Pump();
  EXPECT_FALSE(tabs->GetItemAt(0)->IsVisible());
  EXPECT_EQ(tabs->GetItemAt(2)->GetPos(), (Rect{0, 0, 120, 200}));
  EXPECT_FALSE(tabs->SelectItem(6));
  EXPECT_TRUE(tabs->SelectItem(window_.Manager().FindControl(L"p5")));
  EXPECT_EQ(notes_.Count(L"tabselect"), 2);
}

TEST_F(LayoutWindowTest, SelectedIdPicksThePageAndIsKept) {
  Build(L"<Window size=\"120,200\"><TabLayout name=\"tabs\" selectedid=\"1\">"
        L"<Control/><Control/><Control/></TabLayout></Window>");
  auto* tabs = dynamic_cast<CTabLayoutUI*>(window_.Manager().FindControl(L"tabs"));
  ASSERT_NE(tabs, nullptr);
  // The builder adds the pages before it applies the layout's attributes.
  EXPECT_EQ(tabs->GetCurSel(), 1);
  EXPECT_TRUE(tabs->GetItemAt(1)->IsVisible());
  EXPECT_FALSE(tabs->GetItemAt(0)->IsVisible());
  EXPECT_EQ(notes_.Count(L"tabselect"), 0);  // no manager while building
  ASSERT_NE(tabs->GetCustomAttribute(L"selectedid"), nullptr);
}

// A 100 x 179 column of five 44-high rows (220 needed) with an 8-wide bar
// of the window's default look, no buttons.
constexpr const wchar_t* kScrolledColumn =
    L"<Window size=\"108,179\">"
    L"<Default name=\"VScrollBar\" value=\"width=&quot;8&quot; showbutton1=&quot;false&quot;"
    L" showbutton2=&quot;false&quot;\"/>"
    L"<VerticalLayout name=\"column\" vscrollbar=\"true\">"
    L"<Control height=\"44\"/><Control height=\"44\"/><Control height=\"44\"/>"
    L"<Control height=\"44\"/><Control height=\"44\"/>"
    L"</VerticalLayout></Window>";

TEST_F(LayoutWindowTest, DefaultListShapesTheBarAndOverflowShowsIt) {
  Build(kScrolledColumn);
  auto* column = dynamic_cast<CVerticalLayoutUI*>(window_.Manager().FindControl(L"column"));
  ASSERT_NE(column, nullptr);
  CScrollBarUI* bar = column->GetVerticalScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(bar->GetScrollRange(), 41);
  EXPECT_EQ(bar->GetPos(), (Rect{100, 0, 108, 179}));
  EXPECT_EQ(bar->GetThumbRect(), (Rect{100, 0, 108, 145}));  // 179 x 179 / 220
  // The bar is found under the mouse, ahead of the column.
  EXPECT_EQ(window_.Manager().FindControl(Point{104, 50}), bar);
}

TEST_F(LayoutWindowTest, DraggingTheThumbMovesTheContentOnlyOnTimerTicks) {
  Build(kScrolledColumn);
  auto* column = dynamic_cast<CVerticalLayoutUI*>(window_.Manager().FindControl(L"column"));
  ASSERT_NE(column, nullptr);
  CControlUI* first = column->GetItemAt(0);
  window_.Host().PressLeft(W(), {104, 20});
  Pump();
  window_.Host().MoveMouse(W(), {104, 30});
  window_.Host().MoveMouse(W(), {104, 37});
  Pump();
  EXPECT_EQ(column->GetScrollPos().cy, 0);
  EXPECT_EQ(first->GetPos().top, 0);
  Tick();
  // 17 x 41 / (179 - 145) = 20.
  EXPECT_EQ(column->GetScrollPos().cy, 20);
  EXPECT_EQ(first->GetPos().top, -20);
  window_.Host().MoveMouse(W(), {104, 300});
  Pump();
  EXPECT_EQ(column->GetScrollPos().cy, 20);
  Tick();
  EXPECT_EQ(column->GetScrollPos().cy, 41);
  window_.Host().ReleaseLeft(W(), {104, 300});
  Pump();
  EXPECT_EQ(column->GetVerticalScrollBar()->GetThumbState() & kScrollStateCaptured, 0u);
  Tick(3);
  EXPECT_EQ(column->GetScrollPos().cy, 41);
  EXPECT_GE(notes_.Count(L"scroll"), 2);
}

TEST_F(LayoutWindowTest, RailPressPagesAndRepeatsFromTheSixthTick) {
  // The bar's style is the name of a skin style here.
  Build(L"<Window size=\"108,100\">"
        L"<Style name=\"thin\" value=\"width=&quot;8&quot; showbutton1=&quot;false&quot;"
        L" showbutton2=&quot;false&quot;\"/>"
        L"<VerticalLayout name=\"column\" vscrollbar=\"true\" vscrollbarstyle=\"thin\">"
        L"<Control height=\"1000\"/></VerticalLayout></Window>");
  auto* column = dynamic_cast<CVerticalLayoutUI*>(window_.Manager().FindControl(L"column"));
  ASSERT_NE(column, nullptr);
  ASSERT_EQ(column->GetScrollRange().cy, 900);
  window_.Host().PressLeft(W(), {104, 95});  // below the 10-long thumb
  Pump();
  EXPECT_EQ(column->GetScrollPos().cy, 100);
  Tick(4);
  EXPECT_EQ(column->GetScrollPos().cy, 100);
  Tick(2);  // the 6th tick repeats while the cursor is past the thumb
  EXPECT_EQ(column->GetScrollPos().cy, 200);
  window_.Host().ReleaseLeft(W(), {104, 95});
  Pump();
  Tick(8);
  EXPECT_EQ(column->GetScrollPos().cy, 200);
}

TEST_F(LayoutWindowTest, WheelNotchMovesByTheStepAndKeysByLinesAndPages) {
  Build(L"<Window size=\"108,100\">"
        L"<VerticalLayout name=\"column\" vscrollbar=\"true\">"
        L"<Control height=\"1000\"/></VerticalLayout></Window>");
  auto* column = dynamic_cast<CVerticalLayoutUI*>(window_.Manager().FindControl(L"column"));
  ASSERT_NE(column, nullptr);
  const ITextFont* font = window_.Manager().GetFont(-1);
  ASSERT_NE(font, nullptr);
  const int step = font->Metrics().height + 8;
  EXPECT_GT(step, 8);

  window_.Host().Wheel(W(), {40, 40}, -120);
  Pump();
  EXPECT_EQ(column->GetScrollPos().cy, step);
  // The container's "scroll" counts lines of the bar's line size (8).
  ASSERT_FALSE(notes_.seen.empty());
  EXPECT_EQ(notes_.seen.back().type, L"scroll");
  EXPECT_EQ(notes_.seen.back().sender, column);
  EXPECT_EQ(notes_.seen.back().wParam, static_cast<WPARAM_T>((step + 8) / 8));
  window_.Host().Wheel(W(), {40, 40}, 120);
  Pump();
  EXPECT_EQ(column->GetScrollPos().cy, 0);

  window_.Manager().SetFocus(column);
  window_.Host().PressKey(VK_NEXT);
  Pump();
  EXPECT_EQ(column->GetScrollPos().cy, 100);
  window_.Host().PressKey(VK_DOWN);
  Pump();
  EXPECT_EQ(column->GetScrollPos().cy, 100 + step);
  window_.Host().PressKey(VK_END);
  Pump();
  EXPECT_EQ(column->GetScrollPos().cy, column->GetScrollRange().cy);
  window_.Host().PressKey(VK_HOME);
  Pump();
  EXPECT_EQ(column->GetScrollPos().cy, 0);

  // A disabled bar leaves the keys to the control base.
  column->GetVerticalScrollBar()->SetEnabled(false);
  window_.Host().PressKey(VK_NEXT);
  Pump();
  EXPECT_EQ(column->GetScrollPos().cy, 0);
}

TEST_F(LayoutWindowTest, ArrowButtonsStepAndHoverMarksTheParts) {
  Build(L"<Window size=\"116,100\">"
        L"<VerticalLayout name=\"column\" vscrollbar=\"true\" scrollstepsize=\"7\">"
        L"<Control height=\"1000\"/></VerticalLayout></Window>");
  auto* column = dynamic_cast<CVerticalLayoutUI*>(window_.Manager().FindControl(L"column"));
  ASSERT_NE(column, nullptr);
  CScrollBarUI* bar = column->GetVerticalScrollBar();
  ASSERT_EQ(bar->GetButton2Rect(), (Rect{100, 84, 116, 100}));
  window_.Host().MoveMouse(W(), {108, 90});
  Pump();
  EXPECT_NE(bar->GetButton1State() & kScrollStateHot, 0u);
  EXPECT_EQ(bar->GetThumbState() & kScrollStateHot, 0u);
  window_.Host().PressLeft(W(), {108, 90});
  Pump();
  EXPECT_EQ(column->GetScrollPos().cy, 7);
  EXPECT_NE(bar->GetButton2State() & kScrollStatePushed, 0u);
  Tick(6);
  EXPECT_EQ(column->GetScrollPos().cy, 14);
  window_.Host().ReleaseLeft(W(), {108, 90});
  Pump();
  EXPECT_EQ(bar->GetButton2State() & kScrollStatePushed, 0u);

  const Rect thumb = bar->GetThumbRect();
  window_.Host().MoveMouse(W(), {108, thumb.top + 2});
  Pump();
  EXPECT_NE(bar->GetThumbState() & kScrollStateHot, 0u);
  window_.Host().MoveMouse(W(), {20, 20});
  Pump();
  EXPECT_EQ(bar->GetButton1State() & kScrollStateHot, 0u);
  EXPECT_EQ(bar->GetThumbState() & kScrollStateHot, 0u);
}

}  // namespace
}  // namespace zui
