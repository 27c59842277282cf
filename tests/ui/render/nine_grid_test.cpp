#include <gtest/gtest.h>

#include "tests/support/golden_image.h"
#include "tests/ui/render/fake_resources.h"
#include "ui/render/pixel.h"
#include "ui/render/skin_renderer.h"

namespace {

using zui::Bitmap;
using zui::Canvas;
using zui::CSkinRenderer;
using zui::Rect;

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBackground = 0xFF202830u;

bool Paint(ztest::FakeResources& res, Bitmap& target, const Rect& item, const Rect& paint, std::wstring_view desc,
           std::wstring_view modifier = {}) {
  Canvas canvas(target);
  return CSkinRenderer::PaintImageDescriptor(&canvas, &res, item, paint, desc, modifier);
}

// Pixels of `target` outside `inside` still hold `fill`.
bool UntouchedOutside(const Bitmap& target, const Rect& inside, uint32_t fill) {
  for (int y = 0; y < target.height(); ++y)
    for (int x = 0; x < target.width(); ++x)
      if (!inside.Contains({x, y}) && target.at(x, y) != fill) return false;
  return true;
}

TEST(NineGrid, CornersKeepTheirColumnsWhileTheMiddleStretches) {
  ztest::FakeResources res;
  const Bitmap image = ztest::CoordinateImage(134, 44);
  res.AddImage(L"img\\btn.png", image);
  Bitmap target(200, 44, kBackground);
  ASSERT_TRUE(Paint(res, target, {0, 0, 200, 44}, {0, 0, 200, 44}, L"file='img\\btn.png' corner='6,0,6,0'"));
  for (int y = 0; y < 44; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(target.at(x, y), image.at(x, y));
      EXPECT_EQ(target.at(194 + x, y), image.at(128 + x, y));
    }
  }
  // The 122 middle columns spread over 188: the middle's ends meet its ends.
  EXPECT_EQ(target.at(6, 10), image.at(6, 10));
  EXPECT_EQ(target.at(193, 10), image.at(127, 10));
  EXPECT_TRUE(ztest::MatchesGolden(target, "render_ninegrid_corner"));
}

TEST(NineGrid, DestPlacesTheImageInsideTheItem) {
  ztest::FakeResources res;
  const Bitmap image = ztest::CoordinateImage(14, 14);
  res.AddImage(L"img\\checked.png", image);
  Bitmap target(60, 60, kBackground);
  ASSERT_TRUE(Paint(res, target, {10, 10, 60, 60}, {0, 0, 60, 60}, L"file='img\\checked.png' dest='5,14,19,28'"));
  EXPECT_EQ(target.at(15, 24), image.at(0, 0));
  EXPECT_EQ(target.at(28, 37), image.at(13, 13));
  EXPECT_TRUE(UntouchedOutside(target, {15, 24, 29, 38}, kBackground));

  // A dest larger than the item is cut at the item's right and bottom.
  ztest::FakeResources button;
  button.AddImage(L"img\\sel_ok_normal.png", ztest::CoordinateImage(76, 44));
  Bitmap small(100, 60, kBackground);
  ASSERT_TRUE(Paint(button, small, {4, 4, 50, 30}, {0, 0, 100, 60}, L"file='img\\sel_ok_normal.png' dest='0,0,76,44'"));
  EXPECT_TRUE(UntouchedOutside(small, {4, 4, 50, 30}, kBackground));
  EXPECT_NE(small.at(49, 29), kBackground);
}

TEST(NineGrid, SizeAndAlignPlaceABox) {
  ztest::FakeResources res;
  res.AddImage(L"dot.png", Bitmap(4, 4, 0xFFFF0000u));
  const Rect item{10, 10, 50, 30};
  auto placed = [&](std::wstring_view desc) {
    Bitmap target(60, 40, 0);
    Paint(res, target, item, {0, 0, 60, 40}, desc);
    Rect box{60, 40, 0, 0};
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 60; ++x)
        if (target.at(x, y) != 0) box = box.Union({x, y, x + 1, y + 1}).Intersect({0, 0, 60, 40});
    return box;
  };
  EXPECT_EQ(placed(L"file='dot.png' size='4,4' align='left top'"), (Rect{10, 10, 14, 14}));
  EXPECT_EQ(placed(L"file='dot.png' size='4,4' align='right bottom'"), (Rect{46, 26, 50, 30}));
  // "vcenter" contains "center": centred both ways.
  EXPECT_EQ(placed(L"file='dot.png' size='4,4' align='vcenter'"), (Rect{28, 18, 32, 22}));
  EXPECT_EQ(placed(L"file='dot.png' size='4,4' align='left top' padding='3,2,1,0'"), (Rect{12, 12, 16, 16}));
}

TEST(NineGrid, NothingToDrawReportsFalse) {
  ztest::FakeResources res;
  Bitmap target(20, 20, kBackground);
  Canvas canvas(target);
  EXPECT_FALSE(CSkinRenderer::PaintImageDescriptor(&canvas, nullptr, {0, 0, 20, 20}, {0, 0, 20, 20}, L"a.png"));
  EXPECT_FALSE(CSkinRenderer::PaintImageDescriptor(nullptr, &res, {0, 0, 20, 20}, {0, 0, 20, 20}, L"a.png"));
  EXPECT_FALSE(Paint(res, target, {0, 0, 20, 20}, {0, 0, 20, 20}, L""));
  EXPECT_FALSE(Paint(res, target, {0, 0, 20, 20}, {0, 0, 20, 20}, L"img/missing.png"));
  // Asked again: tried again.
  EXPECT_FALSE(Paint(res, target, {0, 0, 20, 20}, {0, 0, 20, 20}, L"img/missing.png"));
  EXPECT_EQ(res.requests.size(), 2u);
  // Known image, but the dest lies outside the item: true, nothing drawn.
  res.AddImage(L"a.png", ztest::CoordinateImage(4, 4));
  EXPECT_TRUE(Paint(res, target, {0, 0, 20, 20}, {0, 0, 20, 20}, L"file='a.png' dest='30,30,40,40'"));
  EXPECT_TRUE(UntouchedOutside(target, {}, kBackground));
}

TEST(NineGrid, SvgIsAskedAtTheDrawingSize) {
  ztest::FakeResources res;
  res.AddImage(L"logo.svg", ztest::CoordinateImage(8, 8));
  Bitmap target(40, 40, kBackground);
  EXPECT_TRUE(Paint(res, target, {0, 0, 40, 40}, {0, 0, 40, 40}, L"file='logo.svg' dest='2,2,34,26'"));
  EXPECT_TRUE(Paint(res, target, {0, 0, 40, 40}, {0, 0, 40, 40}, L"file='logo.svg' usesvgsrcsize='true'"));
  ASSERT_EQ(res.svgSizes.size(), 2u);
  EXPECT_EQ(res.svgSizes[0], (zui::Size{32, 24}));
  EXPECT_EQ(res.svgSizes[1], (zui::Size{0, 0}));
}

TEST(NineGrid, StretchingShrinksAndEnlargesSmoothly) {
  ztest::FakeResources res;
  res.AddImage(L"checker.png", ztest::Checker(32, 32, 4, 0xFFE04030u, 0xFF3060E0u));
  res.AddImage(L"coords.png", ztest::CoordinateImage(8, 6));
  Bitmap target(120, 60, kBackground);
  Paint(res, target, {0, 0, 20, 20}, {0, 0, 120, 60}, L"checker.png");   // shrink 32 -> 20
  Paint(res, target, {24, 0, 70, 60}, {0, 0, 120, 60}, L"checker.png");  // 32 -> 46 x 60
  Paint(res, target, {74, 4, 118, 40}, {0, 0, 120, 60}, L"coords.png");  // 8 x 6 -> 44 x 36
  Paint(res, target, {0, 24, 20, 27}, {0, 0, 120, 60}, L"coords.png");   // very flat
  EXPECT_TRUE(ztest::MatchesGolden(target, "render_stretch"));
}

TEST(NineGrid, PartialRepaintGivesTheSamePixels) {
  ztest::FakeResources res;
  res.AddImage(L"bk.png", ztest::AlphaImage(40, 30));
  const std::wstring desc = L"file='bk.png' corner='5,4,7,6' fade='200'";
  Bitmap full(97, 71, kBackground);
  Paint(res, full, {3, 2, 97, 71}, {0, 0, 97, 71}, desc);
  for (const Rect& part : {Rect{40, 30, 54, 44}, Rect{0, 0, 14, 14}, Rect{83, 57, 97, 71}, Rect{5, 60, 19, 74}}) {
    Bitmap again(97, 71, kBackground);
    Paint(res, again, {3, 2, 97, 71}, part, desc);
    for (int y = 0; y < 71; ++y)
      for (int x = 0; x < 97; ++x)
        ASSERT_EQ(again.at(x, y), part.Contains({x, y}) ? full.at(x, y) : kBackground) << x << "," << y;
  }
}

TEST(NineGrid, FadeAndAlphaBlend) {
  ztest::FakeResources res;
  res.AddImage(L"red.png", Bitmap(10, 10, 0xFFFF0000u));
  Bitmap target(20, 10, kWhite);
  Paint(res, target, {0, 0, 10, 10}, {0, 0, 20, 10}, L"file='red.png' fade='128'");
  // Half red over white, still opaque.
  const uint32_t p = target.at(5, 5);
  EXPECT_EQ(p >> 24, 255u);
  EXPECT_EQ((p >> 16) & 0xFF, 255u);
  EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), 127, 1);
  EXPECT_NEAR(static_cast<int>(p & 0xFF), 127, 1);
  EXPECT_EQ(target.at(15, 5), kWhite);

  // Per-pixel alpha, then alpha and fade together, over a checkerboard.
  res.AddImage(L"ring.png", ztest::AlphaImage(24, 24));
  Bitmap board = ztest::Checker(100, 40, 5, 0xFFFFFFFFu, 0xFFC0C0C0u);
  Paint(res, board, {2, 2, 38, 38}, {0, 0, 100, 40}, L"ring.png");
  Paint(res, board, {42, 2, 78, 38}, {0, 0, 100, 40}, L"file='ring.png' fade='100'");
  Paint(res, board, {82, 2, 98, 38}, {0, 0, 100, 40}, L"file='ring.png' corner='3,3,3,3' hole='true'");
  EXPECT_TRUE(ztest::MatchesGolden(board, "render_alpha_fade"));
}

TEST(NineGrid, Tiling) {
  ztest::FakeResources res;
  res.AddImage(L"tile.png", ztest::CoordinateImage(12, 10));
  Bitmap target(150, 50, kBackground);
  Paint(res, target, {0, 0, 50, 50}, {0, 0, 150, 50}, L"file='tile.png' corner='2,2,2,2' xtiled='true'");
  Paint(res, target, {50, 0, 100, 50}, {0, 0, 150, 50}, L"file='tile.png' corner='2,2,2,2' ytiled='true'");
  Paint(res, target, {100, 0, 150, 50}, {0, 0, 150, 50},
        L"file='tile.png' corner='2,2,2,2' xtiled='true' ytiled='true'");
  // Both ways: tiles are copied unstretched, so the pattern repeats every 8.
  EXPECT_EQ(target.at(102, 2), target.at(110, 2));
  EXPECT_EQ(target.at(105, 20), target.at(113, 26));
  EXPECT_TRUE(ztest::MatchesGolden(target, "render_tiling"));
}

TEST(NineGrid, DegenerateInputsDrawNothingAndDoNotCrash) {
  const Bitmap image = ztest::CoordinateImage(10, 10);
  Bitmap target(30, 30, kBackground);
  Canvas canvas(target);
  // Source outside the image, corners bigger than the image, tiles of width 0.
  CSkinRenderer::PaintNineGrid(canvas, image, {0, 0, 30, 30}, {0, 0, 30, 30}, {-50, -50, -40, -40}, {}, false, 255,
                               false, false, false);
  CSkinRenderer::PaintNineGrid(canvas, image, {0, 0, 30, 30}, {0, 0, 30, 30}, {0, 0, 10, 10}, {6, 6, 6, 6}, false, 255,
                               false, true, true);
  CSkinRenderer::PaintNineGrid(canvas, image, {0, 0, 30, 30}, {0, 0, 30, 30}, {0, 0, 10, 10}, {-3, -3, 99, 99}, true,
                               255, false, true, false);
  CSkinRenderer::PaintNineGrid(canvas, image, {-1000000, -1000000, 1000000, 1000000}, {0, 0, 30, 30}, {0, 0, 10, 10},
                               {}, false, 255, false, false, false);
  EXPECT_EQ(target.width(), 30);
}

}  // namespace
