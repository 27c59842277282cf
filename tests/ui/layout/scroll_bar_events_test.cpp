// A scroll bar's input without a window: steps of a bar without owner,
// drags applied on the repeat timer, and painting fallbacks' states.

#include <gtest/gtest.h>

#include <cstdint>

#include "ui/layout/scroll_bar.h"
#include "ui/layout/vertical_layout.h"

namespace zui {
namespace {

InputEvent At(int type, Point p, WPARAM_T wParam = 0) {
  InputEvent e;
  e.type = type;
  e.point = p;
  e.wParam = wParam;
  return e;
}

void Send(CScrollBarUI& bar, int type, Point p = {}, WPARAM_T wParam = 0) {
  InputEvent e = At(type, p, wParam);
  bar.Event(e);
}

struct LoneBar {
  CScrollBarUI bar;
  LoneBar() {
    bar.SetAttribute(L"linesize", L"5");
    bar.SetAttribute(L"range", L"300");
    bar.SetPos({0, 0, 16, 116});  // buttons 0-16 and 100-116, track 84
  }
};

TEST(ScrollBarInput, WithoutOwnerButtonsStepByLineAndTheRailByTheBarLength) {
  LoneBar b;
  Send(b.bar, kEventButtonDown, {8, 110});
  EXPECT_EQ(b.bar.GetScrollPos(), 5);
  EXPECT_NE(b.bar.GetButton2State() & kScrollStatePushed, 0u);
  Send(b.bar, kEventButtonUp, {8, 110});
  EXPECT_EQ(b.bar.GetButton2State() & kScrollStatePushed, 0u);
  Send(b.bar, kEventButtonDown, {8, 90});  // rail after the thumb
  EXPECT_EQ(b.bar.GetScrollPos(), 121);
  Send(b.bar, kEventButtonUp, {8, 90});
  Send(b.bar, kEventButtonDown, {8, 4});
  EXPECT_EQ(b.bar.GetScrollPos(), 116);
  Send(b.bar, kEventButtonUp, {8, 4});
  Send(b.bar, kEventButtonDown, {8, 18});  // rail before the thumb
  EXPECT_EQ(b.bar.GetScrollPos(), 0);
}

TEST(ScrollBarInput, ButtonsRepeatFromTheSixthTickUntilRelease) {
  LoneBar b;
  Send(b.bar, kEventButtonDown, {8, 110});
  for (int i = 0; i < 5; ++i) Send(b.bar, kEventTimer, {}, CScrollBarUI::kRepeatTimer);
  EXPECT_EQ(b.bar.GetScrollPos(), 5);
  Send(b.bar, kEventTimer, {}, CScrollBarUI::kRepeatTimer);
  Send(b.bar, kEventTimer, {}, CScrollBarUI::kRepeatTimer);
  EXPECT_EQ(b.bar.GetScrollPos(), 15);
  Send(b.bar, kEventTimer, {}, 99);  // someone else's timer
  EXPECT_EQ(b.bar.GetScrollPos(), 15);
  Send(b.bar, kEventButtonUp, {8, 110});
  Send(b.bar, kEventTimer, {}, CScrollBarUI::kRepeatTimer);
  EXPECT_EQ(b.bar.GetScrollPos(), 15);
}

TEST(ScrollBarInput, DragOffsetIsAppliedAtTheTickFromTheLastMove) {
  LoneBar b;
  const Rect thumb = b.bar.GetThumbRect();  // 116 x 84 / 416 = 23, at 16
  ASSERT_EQ(thumb, (Rect{0, 16, 16, 39}));
  Send(b.bar, kEventButtonDown, {8, 20});
  EXPECT_NE(b.bar.GetThumbState() & kScrollStateCaptured, 0u);
  Send(b.bar, kEventMouseMove, {8, 40});
  Send(b.bar, kEventMouseMove, {8, 50});
  EXPECT_EQ(b.bar.GetScrollPos(), 0);
  Send(b.bar, kEventTimer, {}, CScrollBarUI::kRepeatTimer);
  // 30 x 300 / |116 - 23 - 32| = 147.
  EXPECT_EQ(b.bar.GetScrollPos(), 147);
  Send(b.bar, kEventMouseMove, {8, -500});
  Send(b.bar, kEventTimer, {}, CScrollBarUI::kRepeatTimer);
  EXPECT_EQ(b.bar.GetScrollPos(), 0);
  Send(b.bar, kEventButtonUp, {8, -500});
  EXPECT_EQ(b.bar.GetThumbState() & (kScrollStateCaptured | kScrollStatePushed), 0u);
}

TEST(ScrollBarInput, ThumbFillingItsTrackIgnoresDrags) {
  CScrollBarUI bar;
  bar.SetAttribute(L"showbutton1", L"false");
  bar.SetAttribute(L"showbutton2", L"false");
  bar.SetPos({0, 0, 16, 40});
  bar.SetScrollRange(1);  // thumb 40 x 40 / 41 = 39, divisor |40 - 39 - 0| = 1
  bar.SetScrollRange(0);  // thumb fills the track: divisor 0
  Send(bar, kEventButtonDown, {8, 10});
  Send(bar, kEventMouseMove, {8, 30});
  Send(bar, kEventTimer, {}, CScrollBarUI::kRepeatTimer);
  EXPECT_EQ(bar.GetScrollPos(), 0);
}

TEST(ScrollBarInput, DragOverAHugeRangeSaturatesInsteadOfWrapping) {
  LoneBar b;
  b.bar.SetScrollRange(INT64_MAX);
  const Rect thumb = b.bar.GetThumbRect();
  Send(b.bar, kEventButtonDown, {8, thumb.top + 1});
  Send(b.bar, kEventMouseMove, {8, thumb.top + 100});
  Send(b.bar, kEventTimer, {}, CScrollBarUI::kRepeatTimer);
  EXPECT_EQ(b.bar.GetScrollPos(), INT64_MAX);  // 99 x range / 68 is past the end
  Send(b.bar, kEventMouseMove, {8, thumb.top - 30});
  Send(b.bar, kEventTimer, {}, CScrollBarUI::kRepeatTimer);
  EXPECT_EQ(b.bar.GetScrollPos(), 0);
}

TEST(ScrollBarInput, HoverDisablingAndMouseOffRules) {
  LoneBar b;
  Send(b.bar, kEventMouseEnter, {8, 20});
  EXPECT_NE(b.bar.GetButton1State() & kScrollStateHot, 0u);
  EXPECT_NE(b.bar.GetButton2State() & kScrollStateHot, 0u);
  EXPECT_NE(b.bar.GetThumbState() & kScrollStateHot, 0u);
  Send(b.bar, kEventMouseMove, {8, 60});
  EXPECT_EQ(b.bar.GetThumbState() & kScrollStateHot, 0u);
  b.bar.SetEnabled(false);
  EXPECT_EQ(b.bar.GetButton1State() | b.bar.GetButton2State() | b.bar.GetThumbState(), 0u);
  Send(b.bar, kEventButtonDown, {8, 110});
  EXPECT_EQ(b.bar.GetScrollPos(), 0);
  b.bar.SetEnabled(true);
  b.bar.SetMouseEnabled(false);
  Send(b.bar, kEventButtonDown, {8, 110});
  EXPECT_EQ(b.bar.GetScrollPos(), 0);
}

TEST(ScrollBarInput, OwnedBarSendsStepsToItsContainer) {
  CVerticalLayoutUI column;
  column.SetAttribute(L"vscrollbar", L"true");
  column.SetAttribute(L"scrollstepsize", L"9");
  auto* tall = new CControlUI;
  tall->SetFixedHeight(500);
  column.Add(tall);
  column.SetPos({0, 0, 116, 100});
  CScrollBarUI& bar = *column.GetVerticalScrollBar();
  ASSERT_EQ(bar.GetScrollRange(), 400);
  Send(bar, kEventButtonDown, {108, 95});
  EXPECT_EQ(column.GetScrollPos().cy, 9);
  EXPECT_EQ(tall->GetPos().top, -9);
  Send(bar, kEventButtonUp, {108, 95});
  // The wheel over the bar reaches the container.
  Send(bar, kEventScrollWheel, {108, 50}, 1);
  EXPECT_EQ(column.GetScrollPos().cy, 18);
}

TEST(ScrollBarAttributes, ImagesOrientationAndNumbers) {
  CScrollBarUI bar;
  bar.SetAttribute(L"thumbhotimage", L"a.png");
  bar.SetAttribute(L"RailNormalImage", L"b.png");
  bar.SetAttribute(L"bkdisabledimage", L"c.png");
  EXPECT_EQ(bar.GetImage(CScrollBarUI::kPartThumb, CScrollBarUI::kStateHot), L"a.png");
  EXPECT_EQ(bar.GetImage(CScrollBarUI::kPartRail, CScrollBarUI::kStateNormal), L"b.png");
  EXPECT_EQ(bar.GetImage(CScrollBarUI::kPartBk, CScrollBarUI::kStateDisabled), L"c.png");
  bar.SetAttribute(L"range", L"10");
  bar.SetAttribute(L"value", L"20");
  EXPECT_EQ(bar.GetScrollPos(), 10);
  bar.SetAttribute(L"linesize", L"0");
  EXPECT_EQ(bar.GetLineSize(), 8);
  bar.SetAttribute(L"hor", L"true");
  EXPECT_TRUE(bar.IsHorizontal());
  bar.SetAttribute(L"hor", L"false");
  EXPECT_EQ(bar.GetFixedWidth(), 16);
  EXPECT_EQ(bar.GetFixedHeight(), 0);
  EXPECT_TRUE(bar.HasInterface(L"ScrollBar"));
  EXPECT_EQ(bar.GetClass(), L"ScrollBarUI");
}

}  // namespace
}  // namespace zui
