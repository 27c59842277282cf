// A control painting itself into a bitmap: which part each step touches,
// gradients, borders on the right pixels, rounded clipping, the stop control.

#include <set>

#include <gtest/gtest.h>

#include "ui/controls/control.h"
#include "ui/base/bitmap.h"
#include "ui/render/canvas.h"

namespace zui {
namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;

struct Scene {
  Bitmap bitmap{20, 20, kBlack};
  Canvas canvas{bitmap};
  CControlUI control;
  Scene() { control.SetPos({0, 0, 20, 20}); }
  bool Paint(Rect area = {0, 0, 20, 20}) { return control.Paint(canvas, area); }
  uint32_t at(int x, int y) const { return bitmap.at(x, y); }
};

int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

TEST(ControlPaint, OpaqueBackgroundFillsOnlyThePartBeingRepainted) {
  Scene s;
  s.control.SetAttribute(L"bkcolor", L"#FFFFFFFF");
  EXPECT_TRUE(s.Paint({0, 0, 10, 10}));
  EXPECT_EQ(s.at(5, 5), kWhite);
  EXPECT_EQ(s.at(9, 9), kWhite);
  EXPECT_EQ(s.at(10, 10), kBlack);
  EXPECT_EQ(s.at(15, 15), kBlack);
}

TEST(ControlPaint, TranslucentBackgroundBlendsOverTheWholeControl) {
  Scene s;
  s.control.SetAttribute(L"bkcolor", L"#80FFFFFF");
  s.Paint({0, 0, 10, 10});
  for (Point p : {Point{5, 5}, Point{15, 15}}) {
    const uint32_t px = s.at(p.x, p.y);
    EXPECT_EQ(px >> 24, 0xFFu);
    EXPECT_NEAR(Channel(px, 16), 0x80, 1);
    EXPECT_EQ(Channel(px, 16), Channel(px, 0));
  }
}

TEST(ControlPaint, NothingIsPaintedOutsideTheAreaOrAtTheStopControl) {
  Scene s;
  s.control.SetBkColor(kWhite);
  EXPECT_TRUE(s.Paint({20, 0, 40, 20}));
  EXPECT_EQ(s.at(19, 0), kBlack);
  EXPECT_FALSE(s.control.Paint(s.canvas, {0, 0, 20, 20}, &s.control));
  EXPECT_EQ(s.at(5, 5), kBlack);
}

// The distinct colours down one column (or along one row).
std::set<uint32_t> Distinct(const Bitmap& b, bool column, int at, int from, int to) {
  std::set<uint32_t> colours;
  for (int i = from; i < to; ++i) colours.insert(column ? b.at(at, i) : b.at(i, at));
  return colours;
}

TEST(ControlPaint, TwoColourGradientRunsInSixteenBandsDownOrAcross) {
  Bitmap b(64, 64, kBlack);
  Canvas canvas(b);
  CControlUI c;
  c.SetPos({0, 0, 64, 64});
  c.SetBkColor(kRed);
  c.SetBkColor2(kBlue);
  c.Paint(canvas, {0, 0, 64, 64});
  EXPECT_EQ(Distinct(b, true, 3, 0, 64).size(), 16u);
  EXPECT_EQ(Distinct(b, false, 3, 0, 64).size(), 1u);
  EXPECT_GT(Channel(b.at(0, 0), 16), Channel(b.at(0, 63), 16));
  EXPECT_LT(Channel(b.at(0, 0), 0), Channel(b.at(0, 63), 0));

  c.SetGradient(L"hor");
  c.Paint(canvas, {0, 0, 64, 64});
  EXPECT_EQ(Distinct(b, false, 3, 0, 64).size(), 16u);
  EXPECT_EQ(Distinct(b, true, 3, 0, 64).size(), 1u);
  EXPECT_GT(Channel(b.at(0, 0), 16), Channel(b.at(63, 0), 16));
}

TEST(ControlPaint, ThreeColourGradientSplitsAtTheMiddleInEightBandsEach) {
  Bitmap b(8, 64, kBlack);
  Canvas canvas(b);
  CControlUI c;
  c.SetPos({0, 0, 8, 64});
  c.SetBkColor(kRed);
  c.SetBkColor2(kWhite);
  c.SetBkColor3(kBlue);
  c.Paint(canvas, {0, 0, 8, 64});
  const auto upper = Distinct(b, true, 0, 0, 32);
  const auto lower = Distinct(b, true, 0, 32, 64);
  EXPECT_EQ(upper.size(), 8u);
  EXPECT_EQ(lower.size(), 8u);
  // Red fades to white above the middle, white to blue below it: blue is
  // full in every upper band, red in every lower band.
  for (uint32_t px : upper) EXPECT_EQ(Channel(px, 16), 0xFF);
  for (uint32_t px : lower) EXPECT_EQ(Channel(px, 0), 0xFF);
}

TEST(ControlPaint, ForegroundColourIsLaidOverTheBackground) {
  Scene s;
  s.control.SetBkColor(kBlue);
  s.control.SetForeColor(0x80FF0000);
  s.Paint();
  const uint32_t px = s.at(10, 10);
  EXPECT_NEAR(Channel(px, 16), 0x80, 1);
  EXPECT_NEAR(Channel(px, 0), 0x7F, 1);
}

TEST(ControlPaint, SideBordersLieOnTheOutermostColumnsAndRows) {
  Scene s;
  s.control.SetAttribute(L"bordercolor", L"#FFFF0000");
  s.control.SetAttribute(L"bordersize", L"1,0,1,1");
  s.Paint();
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(s.at(0, y), kRed) << y;
    EXPECT_EQ(s.at(19, y), kRed) << y;
    EXPECT_EQ(s.at(1, y), y == 19 ? kRed : kBlack) << y;
    EXPECT_EQ(s.at(18, y), y == 19 ? kRed : kBlack) << y;
  }
  for (int x = 1; x < 19; ++x) {
    EXPECT_EQ(s.at(x, 0), kBlack) << x;  // no top side
    EXPECT_EQ(s.at(x, 19), kRed) << x;
    EXPECT_EQ(s.at(x, 18), kBlack) << x;
  }
}

TEST(ControlPaint, UniformBorderIsAnOutlineOfItsSize) {
  Scene s;
  s.control.SetBorderColor(kRed);
  s.control.SetBorderSize(2);
  s.Paint();
  EXPECT_EQ(s.at(0, 0), kRed);
  EXPECT_EQ(s.at(1, 10), kRed);
  EXPECT_EQ(s.at(18, 18), kRed);
  EXPECT_EQ(s.at(19, 5), kRed);
  EXPECT_EQ(s.at(2, 2), kBlack);
  EXPECT_EQ(s.at(17, 10), kBlack);
}

TEST(ControlPaint, FocusedBorderColourReplacesTheBorderWhileFocused) {
  Scene s;
  s.control.SetBorderColor(kRed);
  s.control.SetFocusBorderColor(kBlue);
  s.control.SetBorderSides({0, 1, 0, 0});
  s.control.SetBorderSize(1);
  s.Paint();
  EXPECT_EQ(s.at(10, 0), kRed);
  EXPECT_EQ(s.at(10, 19), kBlack);  // the sides win over the uniform size

  InputEvent focus;
  focus.type = kEventSetFocus;
  s.control.Event(focus);
  s.Paint();
  EXPECT_EQ(s.at(10, 0), kBlue);
  EXPECT_EQ(s.at(10, 19), kBlue);  // a focused outline of the uniform size
  EXPECT_EQ(s.at(0, 10), kBlue);
}

TEST(ControlPaint, RoundedCornersClipEveryStep) {
  Scene s;
  s.control.SetBkColor(kWhite);
  s.control.SetBorderRound({12, 12});
  s.Paint();
  EXPECT_EQ(s.at(0, 0), kBlack);
  EXPECT_EQ(s.at(19, 0), kBlack);
  EXPECT_EQ(s.at(0, 19), kBlack);
  EXPECT_EQ(s.at(10, 0), kWhite);
  EXPECT_EQ(s.at(10, 10), kWhite);
  EXPECT_EQ(s.canvas.ClipBox(), (Rect{0, 0, 20, 20}));  // the clip is given back

  Scene r;
  r.control.SetBorderColor(kRed);
  r.control.SetBorderSize(1);
  r.control.SetBorderRound({8, 8});
  r.Paint();
  EXPECT_EQ(r.at(10, 0) >> 24, 0xFFu);
  EXPECT_NE(r.at(10, 0), kBlack);
  EXPECT_EQ(r.at(0, 0), kBlack);
  EXPECT_EQ(r.at(10, 10), kBlack);
}

}  // namespace
}  // namespace zui
