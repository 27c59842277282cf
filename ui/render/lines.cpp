// Straight lines with Win32 pen styles, and rectangle outlines.

#include <algorithm>
#include <cstdlib>

#include "ui/render/coords.h"
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

// Whether step k along the line is drawn.
bool DashOn(const DashPattern* pattern, int64_t k) {
  if (pattern == nullptr) return true;
  int total = 0;
  for (int i = 0; i < pattern->count; ++i) total += pattern->runs[i];
  int64_t at = k % total;
  for (int i = 0; i < pattern->count; ++i) {
    if (at < pattern->runs[i]) return i % 2 == 0;
    at -= pattern->runs[i];
  }
  return false;
}

// Steps along the major axis from (x0, y0) towards (x1, y1), the end point
// excluded, the minor coordinate rounded from the exact line. Each step is
// computed on its own, so only the steps that can reach the clip box are
// visited, however far away the end points lie. A `width` x `width` square is
// stamped centred on every pixel drawn.
void Walk(Canvas& canvas, int x0, int y0, int x1, int y1, int width, uint32_t color, const DashPattern* pattern) {
  const int64_t dx = int64_t{x1} - x0, dy = int64_t{y1} - y0;
  const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
  const int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
  const int64_t steps = major < 0 ? -major : major;
  if (steps == 0) return;
  const int64_t dir = major < 0 ? -1 : 1;
  const int64_t start = xMajor ? x0 : y0, minorStart = xMajor ? y0 : x0;
  const Rect clip = canvas.ClipBox();
  const int64_t lo = (xMajor ? clip.left : clip.top) - int64_t{width};
  const int64_t hi = (xMajor ? clip.right : clip.bottom) + int64_t{width};
  // Steps whose major coordinate start + dir * k lies in [lo, hi).
  int64_t first = dir > 0 ? lo - start : start - hi + 1;
  int64_t last = dir > 0 ? hi - start : start - lo + 1;
  first = std::max<int64_t>(first, 0);
  last = std::min<int64_t>(last, steps);
  const int half = width / 2;
  for (int64_t k = first; k < last; ++k) {
    if (!DashOn(pattern, k)) continue;
    // round(k * minor / steps), halves away from zero; 128-bit because end
    // points may span the whole int range.
    const __int128 num = static_cast<__int128>(2 * k) * minor, den = 2 * static_cast<__int128>(steps);
    const int64_t offset = static_cast<int64_t>(num >= 0 ? (num + steps) / den : -((-num + steps) / den));
    const int64_t a = start + dir * k, b = minorStart + offset;
    const int x = static_cast<int>(xMajor ? a : b), y = static_cast<int>(xMajor ? b : a);
    if (width <= 1) canvas.BlendPixel(x, y, color, 255);
    else canvas.BlendFill({x - half, y - half, x - half + width, y - half + width}, color);
  }
}

}  // namespace

void CSkinRenderer::PaintLine(Canvas& canvas, const Rect& line, int width, uint32_t argb, int penStyle) {
  if (penStyle == PS_NULL) return;
  const uint32_t color = pixel::Opaque(argb);
  width = std::clamp(width, 1, 1 << 16);
  const int x0 = line.left, y0 = line.top, x1 = line.right, y1 = line.bottom;
  if (width > 1 && (x0 == x1 || y0 == y1)) {
    // Wide straight lines: a band centred on the line, with flat ends so
    // border lines stop at the corners.
    const int half = width / 2;
    const Rect c = Coords(line);
    if (y0 == y1) {
      if (x0 == x1) return;
      canvas.BlendFill({std::min(c.left, c.right), c.top - half, std::max(c.left, c.right), c.top - half + width},
                       color);
    } else {
      canvas.BlendFill({c.left - half, std::min(c.top, c.bottom), c.left - half + width, std::max(c.top, c.bottom)},
                       color);
    }
    return;
  }
  Walk(canvas, x0, y0, x1, y1, width, color, width <= 1 ? PatternFor(penStyle) : nullptr);
}

void CSkinRenderer::PaintRect(Canvas& canvas, const Rect& rectIn, int width, uint32_t argb) {
  const Rect rect = Coords(rectIn);
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
