// Straight lines with Win32 pen styles, and rectangle outlines.

#include <algorithm>
#include <cstdlib>

#include "ui/render/pixel.h"
#include "ui/render/skin_renderer.h"

namespace zui {
namespace {

struct DashPattern {
  int count;
  int runs[6];  // on, off, on, off, ...
};

// The patterns of one-pixel pens; wider pens are always solid.
const DashPattern* PatternFor(int style) {
  static const DashPattern kDash{2, {18, 6}};
  static const DashPattern kDot{2, {3, 3}};
  static const DashPattern kDashDot{4, {9, 6, 3, 6}};
  static const DashPattern kDashDotDot{6, {9, 3, 3, 3, 3, 3}};
  switch (style) {
    case PS_DASH: return &kDash;
    case PS_DOT: return &kDot;
    case PS_DASHDOT: return &kDashDot;
    case PS_DASHDOTDOT: return &kDashDotDot;
    default: return nullptr;
  }
}

class DashWalker {
 public:
  explicit DashWalker(const DashPattern* pattern) : pattern_(pattern) {}
  // Whether the next pixel along the line is drawn.
  bool Next() {
    if (pattern_ == nullptr) return true;
    const bool on = run_ % 2 == 0;
    if (++inRun_ >= pattern_->runs[run_]) {
      inRun_ = 0;
      run_ = (run_ + 1) % pattern_->count;
    }
    return on;
  }

 private:
  const DashPattern* pattern_;
  int run_ = 0;
  int inRun_ = 0;
};

// Bresenham from (x0, y0) towards (x1, y1), the end point excluded; a
// `width` x `width` square is stamped centred on every pixel drawn.
void Walk(Canvas& canvas, int x0, int y0, int x1, int y1, int width, uint32_t color, const DashPattern* pattern) {
  const int64_t dx = std::llabs(int64_t{x1} - x0), dy = -std::llabs(int64_t{y1} - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  const Rect clip = canvas.ClipBox();
  const int half = width / 2;
  // A line far outside the clip does not need to be walked pixel by pixel.
  if (std::max(x0, x1) + width < clip.left || std::min(x0, x1) - width > clip.right ||
      std::max(y0, y1) + width < clip.top || std::min(y0, y1) - width > clip.bottom)
    return;
  DashWalker dash(pattern);
  int64_t err = dx + dy;
  int x = x0, y = y0;
  for (int64_t steps = std::max(dx, -dy); steps > 0; --steps) {
    if (dash.Next()) {
      if (width <= 1) canvas.BlendPixel(x, y, color, 255);
      else canvas.BlendFill({x - half, y - half, x - half + width, y - half + width}, color);
    }
    const int64_t e2 = 2 * err;
    if (e2 >= dy) { err += dy; x += sx; }
    if (e2 <= dx) { err += dx; y += sy; }
  }
}

}  // namespace

void CSkinRenderer::PaintLine(Canvas& canvas, const Rect& line, int width, uint32_t argb, int penStyle) {
  if (penStyle == PS_NULL) return;
  const uint32_t color = pixel::Opaque(argb);
  width = std::max(width, 1);
  const int x0 = line.left, y0 = line.top, x1 = line.right, y1 = line.bottom;
  if (width > 1 && (x0 == x1 || y0 == y1)) {
    // Wide straight lines: a band centred on the line, with flat ends so
    // border lines stop at the corners.
    const int half = width / 2;
    if (y0 == y1) {
      if (x0 == x1) return;
      canvas.BlendFill({std::min(x0, x1), y0 - half, std::max(x0, x1), y0 - half + width}, color);
    } else {
      canvas.BlendFill({x0 - half, std::min(y0, y1), x0 - half + width, std::max(y0, y1)}, color);
    }
    return;
  }
  Walk(canvas, x0, y0, x1, y1, width, color, width <= 1 ? PatternFor(penStyle) : nullptr);
}

void CSkinRenderer::PaintRect(Canvas& canvas, const Rect& rect, int width, uint32_t argb) {
  if (rect.IsEmpty() || (argb >> 24) == 0) return;
  const uint32_t color = pixel::Premultiply(argb);
  width = std::max(width, 1);
  if (2 * static_cast<int64_t>(width) >= rect.Width() || 2 * static_cast<int64_t>(width) >= rect.Height()) {
    canvas.BlendFill(rect, color);
    return;
  }
  // Four bands that do not overlap, so a translucent colour is laid once.
  canvas.BlendFill({rect.left, rect.top, rect.right, rect.top + width}, color);
  canvas.BlendFill({rect.left, rect.bottom - width, rect.right, rect.bottom}, color);
  canvas.BlendFill({rect.left, rect.top + width, rect.left + width, rect.bottom - width}, color);
  canvas.BlendFill({rect.right - width, rect.top + width, rect.right, rect.bottom - width}, color);
}

}  // namespace zui
