// The rotated image: exact at the quarter turns, clipped, blended, and the
// same pixels on every build (golden).

#include <cstdlib>
#include <limits>

#include <gtest/gtest.h>

#include "tests/support/golden_image.h"
#include "ui/render/clip_record.h"
#include "ui/render/skin_renderer.h"

namespace zui {
namespace {

// 8 x 4, every pixel its own colour, opaque.
Bitmap Pattern() {
  Bitmap image(8, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) image.at(x, y) = 0xFF000000u | (x * 30) << 16 | (y * 60) << 8 | 0x40;
  return image;
}

TEST(RotatedImageTest, QuarterTurnsMovePixelsExactly) {
  const Bitmap image = Pattern();
  for (int quarter = 0; quarter < 4; ++quarter) {
    Bitmap target(20, 20);
    Canvas canvas(target);
    // Turned about (10, 10); the image lies at 6..14 x 8..12.
    CSkinRenderer::PaintRotatedImage(canvas, image, {6, 8, 14, 12}, {10, 10}, 90.0 * quarter - 360);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 8; ++x) {
        // Pixel centre relative to the centre, turned clockwise.
        const int dx = 6 + x - 10, dy = 8 + y - 10;  // top-left of the pixel
        int tx = 0, ty = 0;
        switch (quarter) {
          case 0: tx = dx, ty = dy; break;
          case 1: tx = -dy - 1, ty = dx; break;
          case 2: tx = -dx - 1, ty = -dy - 1; break;
          default: tx = dy, ty = -dx - 1; break;
        }
        EXPECT_EQ(target.at(10 + tx, 10 + ty), image.at(x, y)) << quarter << " " << x << "," << y;
      }
    }
  }
}

TEST(RotatedImageTest, ScaledIntoItsDestinationAndKeptInsideTheClip) {
  Bitmap image(2, 2, 0xFF0000FF);
  Bitmap target(20, 20, 0xFFFFFFFF);
  Canvas canvas(target);
  {
    ClipRecord clip;
    CSkinRenderer::ClipToRect(canvas, {0, 0, 10, 20}, clip);
    CSkinRenderer::PaintRotatedImage(canvas, image, {4, 4, 16, 16}, {10, 10}, 0);
  }
  EXPECT_EQ(target.at(5, 10), 0xFF0000FFu);
  EXPECT_EQ(target.at(9, 15), 0xFF0000FFu);
  EXPECT_EQ(target.at(12, 10), 0xFFFFFFFFu);  // outside the clip
  EXPECT_EQ(target.at(3, 10), 0xFFFFFFFFu);   // outside the image
}

TEST(RotatedImageTest, TurnedPictureMatchesItsReference) {
  // An arrow pointing right with a translucent tail, turned to several angles.
  Bitmap image(24, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 24; ++x) {
      const bool head = x >= 14 && std::abs(y * 2 + 1 - 12) <= (24 - x) * 2;
      const bool shaft = x < 14 && y >= 4 && y < 8;
      if (head) image.at(x, y) = 0xFFD02020;
      else if (shaft) image.at(x, y) = x < 6 ? 0x80681010 : 0xFF208020;
    }
  Bitmap target(5 * 32, 32, 0xFFF0F0F0);
  Canvas canvas(target);
  const double angles[5] = {0, 36, 90, 200, -45};
  for (int i = 0; i < 5; ++i) {
    const int x = i * 32;
    CSkinRenderer::PaintRotatedImage(canvas, image, {x + 4, 10, x + 28, 22}, {x + 16, 16}, angles[i]);
  }
  EXPECT_TRUE(ztest::MatchesGolden(target, "render_rotated", 0));
}

TEST(RotatedImageTest, NonsenseAnglesAndEmptyRectanglesDrawSafely) {
  const Bitmap image = Pattern();
  Bitmap target(10, 10, 0xFFFFFFFF);
  Canvas canvas(target);
  CSkinRenderer::PaintRotatedImage(canvas, image, {2, 2, 2, 8}, {5, 5}, 30);
  CSkinRenderer::PaintRotatedImage(canvas, image, {-2000000000, -2000000000, 2000000000, 2000000000}, {5, 5}, 1e300);
  CSkinRenderer::PaintRotatedImage(canvas, image, {0, 0, 10, 10}, {5, 5}, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(target.at(0, 0), image.at(0, 0));  // NaN counts as no turn
}

}  // namespace
}  // namespace zui
