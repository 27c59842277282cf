#include <climits>

#include <gtest/gtest.h>

#include "tests/support/golden_image.h"
#include "tests/ui/render/fake_resources.h"
#include "ui/render/pixel.h"
#include "ui/render/skin_renderer.h"

namespace {

using zui::Bitmap;
using zui::Canvas;
using zui::ClipRecord;
using zui::CSkinRenderer;
using zui::Rect;

constexpr uint32_t kWhite = 0xFFFFFFFFu;

TEST(FillColor, OpaqueReplacesTranslucentBlendsTransparentDoesNothing) {
  Bitmap target(30, 10, kWhite);
  Canvas canvas(target);
  CSkinRenderer::FillColor(canvas, {0, 0, 10, 10}, 0xFF212121u);
  CSkinRenderer::FillColor(canvas, {10, 0, 20, 10}, 0x80000000u);
  CSkinRenderer::FillColor(canvas, {20, 0, 30, 10}, 0x00FF0000u);
  EXPECT_EQ(target.at(5, 5), 0xFF212121u);
  EXPECT_EQ(target.at(15, 5), 0xFF7F7F7Fu);
  EXPECT_EQ(target.at(25, 5), kWhite);
  // Onto a transparent layer the result keeps the colour's own alpha.
  Bitmap layer(4, 4);
  Canvas onLayer(layer);
  CSkinRenderer::FillColor(onLayer, {0, 0, 4, 4}, 0x80FFFFFFu);
  EXPECT_EQ(layer.at(1, 1), 0x80808080u);
}

TEST(FillGradient, AlphaIsTheAverageOfBothEnds) {
  Bitmap target(16, 4, kWhite);
  Canvas canvas(target);
  // Opaque black to transparent black: drawn at alpha 127 all along.
  CSkinRenderer::FillGradient(canvas, {0, 0, 16, 4}, 0xFF000000u, 0x00000000u, false, 16);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(target.at(x, 2), 0xFF808080u) << x;
  CSkinRenderer::FillGradient(canvas, {0, 0, 16, 4}, 0x00FF0000u, 0x01FF0000u, true, 16);
  EXPECT_EQ(target.at(3, 3), 0xFF808080u);
}

TEST(FillGradient, BothPathsGolden) {
  Bitmap target(200, 130, kWhite);
  Canvas canvas(target);
  CSkinRenderer::FillGradient(canvas, {0, 0, 100, 40}, 0xFFFF0000u, 0xFF0000FFu, false, 16);
  CSkinRenderer::FillGradient(canvas, {100, 0, 200, 40}, 0xFFFF0000u, 0xFF0000FFu, false, 16, zui::GradientPath::Bands);
  CSkinRenderer::FillGradient(canvas, {0, 40, 100, 90}, 0xFF20C040u, 0xFF202020u, true, 8);
  CSkinRenderer::FillGradient(canvas, {100, 40, 200, 90}, 0xFF20C040u, 0xFF202020u, true, 2, zui::GradientPath::Bands);
  CSkinRenderer::FillGradient(canvas, {0, 90, 200, 130}, 0xC0000000u, 0x40FFFF00u, false, 64);
  // Ends: smooth reaches close to both colours; bands start with the first.
  EXPECT_EQ(target.at(100, 5), 0xFFFF0000u);
  EXPECT_GT(target.at(99, 5) & 0xFF, 0xF0u);
  EXPECT_TRUE(ztest::MatchesGolden(target, "render_gradients"));
}

TEST(Lines, PenStylesAndWidths) {
  Bitmap target(120, 80, kWhite);
  Canvas canvas(target);
  int y = 4;
  for (int style : {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL}) {
    CSkinRenderer::PaintLine(canvas, {4, y, 116, y}, 1, 0x00102030u, style);  // alpha is ignored
    y += 5;
  }
  CSkinRenderer::PaintLine(canvas, {4, 40, 60, 76}, 1, 0xFFC00000u);
  CSkinRenderer::PaintLine(canvas, {70, 40, 70, 76}, 3, 0xFF0000C0u, PS_DASH);  // wide: solid
  CSkinRenderer::PaintLine(canvas, {80, 50, 116, 50}, 4, 0xFF00A000u);
  CSkinRenderer::PaintLine(canvas, {116, 76, 80, 58}, 2, 0xFF808000u);
  // One-pixel lines leave out the end point.
  EXPECT_EQ(target.at(4, 4), 0xFF102030u);
  EXPECT_EQ(target.at(115, 4), 0xFF102030u);
  EXPECT_EQ(target.at(116, 4), kWhite);
  // A dash is 18 on, 6 off.
  EXPECT_EQ(target.at(21, 9), 0xFF102030u);
  EXPECT_EQ(target.at(22, 9), kWhite);
  EXPECT_EQ(target.at(28, 9), 0xFF102030u);
  // PS_NULL draws nothing.
  EXPECT_EQ(target.at(50, 29), kWhite);
  // Width 4 centred on y = 50: rows 48..51.
  EXPECT_EQ(target.at(90, 48), 0xFF00A000u);
  EXPECT_EQ(target.at(90, 51), 0xFF00A000u);
  EXPECT_EQ(target.at(90, 52), kWhite);
  EXPECT_TRUE(ztest::MatchesGolden(target, "render_lines"));
}

TEST(Lines, FarEndPointsOnlyWalkTheVisiblePart) {
  Bitmap target(20, 20, kWhite);
  Canvas canvas(target);
  // Two billion steps long; only the visible twenty are visited.
  CSkinRenderer::PaintLine(canvas, {-1000000000, 10, 1000000000, 10}, 1, 0xFF000000u);
  CSkinRenderer::PaintLine(canvas, {-1000000000, -1000000000, 1000000000, 1000000000}, 1, 0xFF0000FFu);
  for (int x = 0; x < 20; ++x) {
    EXPECT_EQ(target.at(x, 10), x == 10 ? 0xFF0000FFu : 0xFF000000u) << x;
    EXPECT_EQ(target.at(x, x), 0xFF0000FFu) << x;
  }
  CSkinRenderer::PaintLine(canvas, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 3, 0xFF00FF00u);
  EXPECT_EQ(target.at(5, 5), 0xFF00FF00u);
  // A dash keeps its phase where the line enters the picture.
  Bitmap dashed(30, 1, kWhite);
  Canvas dashCanvas(dashed);
  CSkinRenderer::PaintLine(dashCanvas, {-24000, 0, 30, 0}, 1, 0xFF000000u, PS_DASH);
  EXPECT_EQ(dashed.at(17, 0), 0xFF000000u);
  EXPECT_EQ(dashed.at(18, 0), kWhite);
  EXPECT_EQ(dashed.at(24, 0), 0xFF000000u);
}

TEST(Outlines, RectAndRoundRect) {
  Bitmap target(140, 60, kWhite);
  Canvas canvas(target);
  CSkinRenderer::PaintRect(canvas, {4, 4, 30, 30}, 1, 0xFF000000u);
  CSkinRenderer::PaintRect(canvas, {34, 4, 60, 30}, 3, 0x800000FFu);
  EXPECT_EQ(target.at(4, 4), 0xFF000000u);
  EXPECT_EQ(target.at(29, 29), 0xFF000000u);
  EXPECT_EQ(target.at(30, 29), kWhite);
  EXPECT_EQ(target.at(5, 5), kWhite);
  // Translucent outline laid once, even at the corners.
  EXPECT_EQ(target.at(34, 4), target.at(45, 5));
  EXPECT_EQ(target.at(37, 7), kWhite);

  CSkinRenderer::PaintRoundRect(canvas, {64, 4, 100, 30}, 1, 10, 0xFF000000u);
  CSkinRenderer::PaintRoundRect(canvas, {104, 4, 136, 56}, 2, 16, 0xFF2060C0u, 0x4020C060u);
  CSkinRenderer::PaintRoundRect(canvas, {4, 34, 100, 56}, 1, 200, 0xFFC02020u);  // radius held to the box
  // Straight runs are crisp, corners are anti-aliased.
  EXPECT_EQ(target.at(80, 4), 0xFF000000u);
  EXPECT_EQ(target.at(64, 17), 0xFF000000u);
  EXPECT_EQ(target.at(64, 4), kWhite);
  const uint32_t corner = target.at(65, 6);
  EXPECT_TRUE(corner != kWhite && corner != 0xFF000000u);
  EXPECT_TRUE(ztest::MatchesGolden(target, "render_outlines"));
}

TEST(Clip, RectClipNestsAndRestores) {
  Bitmap target(20, 20, kWhite);
  Canvas canvas(target);
  {
    ClipRecord outer;
    CSkinRenderer::ClipToRect(canvas, {2, 2, 18, 18}, outer);
    {
      ClipRecord inner;
      CSkinRenderer::ClipToRect(canvas, {10, 0, 30, 30}, inner);
      EXPECT_EQ(canvas.ClipBox(), (Rect{10, 2, 18, 18}));
      CSkinRenderer::FillColor(canvas, {0, 0, 20, 20}, 0xFF000000u);
      inner.UseOldRegion();
      EXPECT_EQ(canvas.ClipBox(), (Rect{2, 2, 18, 18}));
      inner.UseNewRegion();
      EXPECT_EQ(canvas.ClipBox(), (Rect{10, 2, 18, 18}));
    }
    EXPECT_EQ(canvas.ClipBox(), (Rect{2, 2, 18, 18}));
  }
  EXPECT_EQ(canvas.ClipBox(), (Rect{0, 0, 20, 20}));
  EXPECT_EQ(target.at(10, 2), 0xFF000000u);
  EXPECT_EQ(target.at(9, 2), kWhite);
  EXPECT_EQ(target.at(18, 2), kWhite);
}

TEST(Clip, RoundClipShapesEveryRoutineAndComesBackWhole) {
  ztest::FakeResources res;
  res.AddImage(L"bk.png", ztest::CoordinateImage(20, 20));
  Bitmap target(120, 60, kWhite);
  Canvas canvas(target);
  {
    ClipRecord round;
    CSkinRenderer::ClipToRoundRect(canvas, {0, 0, 120, 60}, {4, 4, 56, 56}, 24, 24, round);
    CSkinRenderer::PaintImageDescriptor(&canvas, &res, {4, 4, 56, 56}, {0, 0, 120, 60}, L"bk.png");
    {
      // An inner round clip keeps the outer shape when it is restored.
      ClipRecord inner;
      CSkinRenderer::ClipToRoundRect(canvas, {0, 0, 120, 60}, {30, 4, 90, 56}, 40, 20, inner);
      CSkinRenderer::FillColor(canvas, {0, 0, 120, 60}, 0x80FF0000u);
      CSkinRenderer::FillGradient(canvas, {0, 30, 120, 60}, 0xFF0000FFu, 0xFF00FF00u, false, 16);
    }
    CSkinRenderer::FillColor(canvas, {0, 0, 120, 10}, 0xFF000000u);
    EXPECT_EQ(target.at(4, 4), kWhite);  // outside the rounded corner
    EXPECT_EQ(target.at(30, 5), 0xFF000000u);
  }
  // Back to the whole bitmap.
  CSkinRenderer::FillColor(canvas, {100, 50, 120, 60}, 0xFF00FF00u);
  EXPECT_EQ(target.at(119, 59), 0xFF00FF00u);
  EXPECT_TRUE(ztest::MatchesGolden(target, "render_round_clip"));
}

TEST(Clip, RegionsOutsideTheBitmapAreCut) {
  Bitmap target(10, 10, kWhite);
  Canvas canvas(target);
  ClipRecord record;
  CSkinRenderer::ClipToRoundRect(canvas, {-50, -50, 50, 50}, {-20, -20, 30, 30}, 8, 8, record);
  EXPECT_EQ(canvas.ClipBox(), (Rect{0, 0, 10, 10}));
  CSkinRenderer::FillColor(canvas, {-100, -100, 100, 100}, 0xFF000000u);
  EXPECT_EQ(target.at(0, 0), 0xFF000000u);
  // Rectangles spanning the whole int range do not overflow.
  const Rect huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  CSkinRenderer::PaintRect(canvas, huge, INT_MAX, 0xFF000000u);
  CSkinRenderer::PaintRoundRect(canvas, huge, 2, INT_MAX, 0xFF000000u, 0xFF000000u);
  CSkinRenderer::FillGradient(canvas, huge, 0xFF000000u, 0xFF000000u, true, 16);
  CSkinRenderer::PaintLine(canvas, {INT_MIN, 3, INT_MAX, 3}, 5, 0xFF000000u);
  EXPECT_EQ(target.at(5, 5), 0xFF000000u);
  ClipRecord empty;
  CSkinRenderer::ClipToRect(canvas, {20, 20, 30, 30}, empty);
  EXPECT_TRUE(canvas.ClipBox().IsEmpty());
  CSkinRenderer::FillColor(canvas, {0, 0, 10, 10}, 0xFFFF0000u);
  CSkinRenderer::PaintRoundRect(canvas, {0, 0, 10, 10}, 1, 4, 0xFFFF0000u);
  CSkinRenderer::PaintLine(canvas, {0, 0, 9, 9}, 1, 0xFFFF0000u);
  EXPECT_EQ(target.at(5, 5), 0xFF000000u);
}

}  // namespace
