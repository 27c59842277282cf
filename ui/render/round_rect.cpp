// Anti-aliased rounded-rectangle outline (and optional fill).

#include <algorithm>
#include <cmath>

#include "ui/render/coords.h"
#include "ui/render/pixel.h"
#include "ui/render/skin_renderer.h"

namespace zui {
namespace {

constexpr int kGrid = 4;  // samples per pixel along each axis

// Signed distance from (px, py) to the outline of a rounded box; negative
// inside. Plain IEEE double arithmetic (no transcendental functions), so the
// result is the same on every build.
struct RoundBox {
  double cx, cy, hx, hy, radius;

  double Distance(double px, double py) const {
    const double qx = std::fabs(px - cx) - (hx - radius);
    const double qy = std::fabs(py - cy) - (hy - radius);
    const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - radius;
  }
};

}  // namespace

void CSkinRenderer::PaintRoundRect(Canvas& canvas, const Rect& rectIn, int width, int ellipseWidth, uint32_t argb,
                                   uint32_t fillArgb) {
  const Rect rect = Coords(rectIn);
  width = std::clamp(width, 1, 1 << 16);
  // The outline runs through the centres of the rectangle's outer pixels.
  const int w = rect.right - rect.left - 1, h = rect.bottom - rect.top - 1;
  if (w < 0 || h < 0) return;
  const double pen = width;
  // Corners larger than the box would turn the outline inside out.
  const int radius = std::clamp(ellipseWidth / 2, 0, std::min(w, h) / 2);
  const RoundBox box{rect.left + w / 2.0, rect.top + h / 2.0, w / 2.0, h / 2.0, static_cast<double>(radius)};

  const uint32_t stroke = pixel::Premultiply(argb);
  const uint32_t fill = (fillArgb >> 24) != 0 ? pixel::Premultiply(fillArgb) : 0;
  const int reach = static_cast<int>(pen / 2) + 2;
  const Rect area = canvas.Visible({rect.left - reach, rect.top - reach, rect.right + reach, rect.bottom + reach});
  const double halfPen = pen / 2;

  // Rows clear of the top and bottom edges and corners meet the outline only
  // near the left and right edges; between those the box is plain inside.
  const int middleTop = rect.top + radius + reach, middleBottom = rect.bottom - 1 - radius - reach;
  const int innerLeft = rect.left + reach, innerRight = rect.right - 1 - reach;

  for (int y = area.top; y < area.bottom; ++y) {
    const bool middle = y >= middleTop && y <= middleBottom && innerLeft <= innerRight;
    if (middle && fill != 0) canvas.BlendFill({innerLeft, y, innerRight + 1, y + 1}, fill);
    for (int x = area.left; x < area.right; ++x) {
      if (middle && x >= innerLeft && x <= innerRight) {
        x = innerRight;
        continue;
      }
      const double centre = box.Distance(x, y);
      int strokeHits = 0, fillHits = 0;
      if (std::fabs(centre) > halfPen + 1 && (centre > 1 || fill == 0)) {
        if (centre < -1) fillHits = kGrid * kGrid;
      } else {
        for (int sy = 0; sy < kGrid; ++sy) {
          for (int sx = 0; sx < kGrid; ++sx) {
            const double d = box.Distance(x + (sx + 0.5) / kGrid - 0.5, y + (sy + 0.5) / kGrid - 0.5);
            if (std::fabs(d) <= halfPen) ++strokeHits;
            if (d <= 0) ++fillHits;
          }
        }
      }
      if (fill != 0 && fillHits > 0) canvas.BlendPixel(x, y, fill, fillHits * 255 / (kGrid * kGrid));
      if (stroke != 0 && strokeHits > 0) canvas.BlendPixel(x, y, stroke, strokeHits * 255 / (kGrid * kGrid));
    }
  }
}

}  // namespace zui
