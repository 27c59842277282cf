// The scroll bar's numbers and geometry, and a container fitting its bars
// to what its children need.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "ui/layout/scroll_bar.h"
#include "ui/layout/vertical_layout.h"

namespace zui {
namespace {

CScrollBarUI* PlainBar(CScrollBarUI& bar) {
  bar.SetAttribute(L"width", L"8");
  bar.SetAttribute(L"showbutton1", L"false");
  bar.SetAttribute(L"showbutton2", L"false");
  return &bar;
}

TEST(ScrollBarGeometry, ThumbLengthAndOffsetFollowRangeAndPosition) {
  CScrollBarUI bar;
  PlainBar(bar);
  bar.SetPos({0, 0, 8, 180});
  bar.SetScrollRange(60);
  EXPECT_EQ(bar.GetThumbRect(), (Rect{0, 0, 8, 135}));
  bar.SetScrollPos(30);
  EXPECT_EQ(bar.GetThumbRect(), (Rect{0, 22, 8, 157}));
  bar.SetScrollPos(60);
  EXPECT_EQ(bar.GetThumbRect().bottom, 180);
}

TEST(ScrollBarGeometry, RangeZeroFillsTheTrackAndPinsThePosition) {
  CScrollBarUI bar;
  bar.SetPos({0, 0, 16, 100});  // default: 16 thick, both buttons
  EXPECT_EQ(bar.GetButton1Rect(), (Rect{0, 0, 16, 16}));
  EXPECT_EQ(bar.GetButton2Rect(), (Rect{0, 84, 16, 100}));
  EXPECT_EQ(bar.GetThumbRect(), (Rect{0, 16, 16, 84}));
  bar.SetScrollPos(10);
  EXPECT_EQ(bar.GetScrollPos(), 0);
}

TEST(ScrollBarGeometry, LoweredRangeLowersThePositionAndNegativeRangeIsZero) {
  CScrollBarUI bar;
  bar.SetScrollRange(100);
  bar.SetScrollPos(80);
  bar.SetScrollRange(50);
  EXPECT_EQ(bar.GetScrollPos(), 50);
  bar.SetScrollRange(-5);
  EXPECT_EQ(bar.GetScrollRange(), 0);
  EXPECT_EQ(bar.GetScrollPos(), 0);
}

TEST(ScrollBarGeometry, ShortTrackKeepsHalfLengthButtonsAndNoThumb) {
  CScrollBarUI bar;
  bar.SetPos({0, 0, 16, 20});
  EXPECT_EQ(bar.GetButton1Rect(), (Rect{0, 0, 16, 10}));
  EXPECT_EQ(bar.GetButton2Rect(), (Rect{0, 10, 16, 20}));
  EXPECT_TRUE(bar.GetThumbRect().IsEmpty());
}

TEST(ScrollBarGeometry, ThumbNeverShorterThanTheBarIsThick) {
  CScrollBarUI bar;
  bar.SetAttribute(L"hor", L"true");
  EXPECT_EQ(bar.GetFixedHeight(), 16);
  EXPECT_EQ(bar.GetFixedWidth(), 0);
  bar.SetPos({0, 0, 200, 16});
  bar.SetScrollRange(100000);
  EXPECT_EQ(bar.GetThumbRect().Width(), 16);
  bar.SetScrollPos(50000);
  // (168 - 16) x 50000 / 100000 = 76 after button 1.
  EXPECT_EQ(bar.GetThumbRect(), (Rect{92, 0, 108, 16}));
}

TEST(ScrollBarGeometry, ExtremeRangesNeitherOverflowNorDivideByZero) {
  for (bool horizontal : {false, true}) {
    CScrollBarUI bar;
    bar.SetHorizontal(horizontal);
    bar.SetPos(horizontal ? Rect{0, 0, 300, 16} : Rect{0, 0, 16, 300});
    bar.SetScrollRange(std::numeric_limits<int64_t>::max());
    bar.SetScrollPos(std::numeric_limits<int64_t>::max() / 2);
    const Rect thumb = bar.GetThumbRect();
    const int start = horizontal ? thumb.left : thumb.top;
    const int end = horizontal ? thumb.right : thumb.bottom;
    EXPECT_EQ(end - start, 16);
    EXPECT_GE(start, 16);
    EXPECT_LE(end, 284);
    // Roughly the middle of the track, not a wrapped product.
    EXPECT_NEAR(start, 16 + (268 - 16) / 2, 2);
  }
}

struct ScrolledColumn {
  CVerticalLayoutUI column;
  CScrollBarUI* bar = nullptr;
  ScrolledColumn() {
    column.SetAttribute(L"vscrollbar", L"true");
    bar = column.GetVerticalScrollBar();
    bar->SetAttribute(L"width", L"8");
  }
  CControlUI* Add(int height) {
    auto* c = new CControlUI;
    c->SetFixedHeight(height);
    column.Add(c);
    return c;
  }
};

TEST(ContainerScrollBars, OverflowShowsTheBarAndFittingHidesIt) {
  ScrolledColumn s;
  CControlUI* a = s.Add(100);
  s.Add(120);
  s.column.SetPos({0, 0, 108, 179});
  ASSERT_TRUE(s.bar->IsVisible());
  EXPECT_EQ(s.bar->GetScrollRange(), 41);
  EXPECT_EQ(s.bar->GetPos(), (Rect{100, 0, 108, 179}));
  EXPECT_EQ(s.column.GetChildrenArea(), (Rect{0, 0, 100, 179}));
  EXPECT_EQ(a->GetPos(), (Rect{0, 0, 100, 100}));

  s.column.SetScrollPos({0, 30});
  EXPECT_EQ(s.column.GetScrollPos(), (Size{0, 30}));
  EXPECT_EQ(a->GetPos().top, -30);
  s.column.SetPos({0, 0, 108, 179});  // a later layout keeps the offset
  EXPECT_EQ(a->GetPos().top, -30);

  s.column.RemoveAt(1);
  s.column.SetPos({0, 0, 108, 179});
  EXPECT_FALSE(s.bar->IsVisible());
  EXPECT_EQ(s.bar->GetScrollPos(), 0);
  EXPECT_EQ(s.column.GetScrollRange(), (Size{0, 0}));
  EXPECT_EQ(a->GetPos(), (Rect{0, 0, 108, 100}));
}

TEST(ContainerScrollBars, ShrinkingOverflowLowersThePositionAndRelaysOut) {
  ScrolledColumn s;
  CControlUI* a = s.Add(100);
  CControlUI* b = s.Add(120);
  s.column.SetPos({0, 0, 108, 179});
  s.column.EndDown();
  EXPECT_EQ(s.column.GetScrollPos().cy, 41);
  b->SetFixedHeight(90);  // now 190 needed: range 11
  s.column.SetPos({0, 0, 108, 179});
  EXPECT_EQ(s.bar->GetScrollRange(), 11);
  EXPECT_EQ(s.bar->GetScrollPos(), 11);
  EXPECT_EQ(a->GetPos().top, -11);
}

TEST(ContainerScrollBars, StepsUseTheStepSizeAndThePage) {
  ScrolledColumn s;
  for (int i = 0; i < 10; ++i) s.Add(50);
  s.column.SetAttribute(L"inset", L"0,5,0,5");
  s.column.SetPos({0, 0, 108, 110});  // 100 inside the inset, 400 to scroll
  EXPECT_EQ(s.column.GetScrollRange().cy, 400);
  s.column.LineDown();
  EXPECT_EQ(s.column.GetScrollPos().cy, 8);  // no window: 8
  s.column.SetAttribute(L"scrollstepsize", L"30");
  s.column.LineDown();
  EXPECT_EQ(s.column.GetScrollPos().cy, 38);
  s.column.PageDown();
  EXPECT_EQ(s.column.GetScrollPos().cy, 138);
  s.column.PageUp();
  s.column.LineUp();
  EXPECT_EQ(s.column.GetScrollPos().cy, 8);
  s.column.LineUp();
  EXPECT_EQ(s.column.GetScrollPos().cy, 0);
  s.column.EndDown();
  EXPECT_EQ(s.column.GetScrollPos().cy, 400);
  s.column.HomeUp();
  EXPECT_EQ(s.column.GetScrollPos().cy, 0);
}

// Taller when wider: shown, the bar takes the width that made it needed.
class WidthHungry : public CControlUI {
 public:
  Size EstimateSize(Size available) override { return {0, available.cx > 100 ? 200 : 50}; }
};

TEST(ContainerScrollBars, ContentThatSwingsWithTheBarStillSettles) {
  ScrolledColumn s;
  s.column.Add(new WidthHungry);
  s.column.SetPos({0, 0, 108, 100});  // returns instead of toggling the bar forever
  EXPECT_EQ(s.column.GetPos(), (Rect{0, 0, 108, 100}));
  const Rect area = s.column.GetChildrenArea();
  EXPECT_EQ(area.right, s.bar->IsVisible() ? 100 : 108);
}

TEST(ContainerScrollBars, AttributesCreateAndRemoveBars) {
  CVerticalLayoutUI c;
  c.SetAttribute(L"hscrollbar", L"true");
  ASSERT_NE(c.GetHorizontalScrollBar(), nullptr);
  EXPECT_TRUE(c.GetHorizontalScrollBar()->IsHorizontal());
  EXPECT_EQ(c.GetVerticalScrollBar(), nullptr);
  c.SetAttribute(L"vscrollbarstyle", L"width=\"6\" showbutton1=\"false\"");
  c.SetAttribute(L"vscrollbar", L"true");
  ASSERT_NE(c.GetVerticalScrollBar(), nullptr);
  EXPECT_EQ(c.GetVerticalScrollBar()->GetFixedWidth(), 6);
  EXPECT_FALSE(c.GetVerticalScrollBar()->IsShowButton1());
  EXPECT_EQ(c.GetVerticalScrollBar()->GetOwner(), &c);
  EXPECT_NE(c.GetHorizontalScrollBar(), nullptr);  // kept
  c.SetAttribute(L"hscrollbarstyle", L"height=\"5\"");
  EXPECT_EQ(c.GetHorizontalScrollBar()->GetFixedHeight(), 5);
  c.SetAttribute(L"hscrollbar", L"false");
  EXPECT_EQ(c.GetHorizontalScrollBar(), nullptr);
  EXPECT_NE(c.GetVerticalScrollBar(), nullptr);
}

}  // namespace
}  // namespace zui
