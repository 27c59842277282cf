#include "ui/text/coverage_blend.h"

namespace zui {
namespace {

// Exact x / 255 for x in [0, 255 * 255], rounded.
inline uint32_t Div255(uint32_t x) { return (x + 128 + ((x + 128) >> 8)) >> 8; }

struct PremultipliedColour {
  uint32_t a, r, g, b;
};

PremultipliedColour Split(uint32_t argb) { return {argb >> 24, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF}; }

inline void BlendPixel(uint32_t& dst, const PremultipliedColour& c, uint32_t coverage) {
  const uint32_t a = Div255(coverage * c.a);
  if (a == 0) return;
  const uint32_t inv = 255 - a;
  const uint32_t d = dst;
  const uint32_t outA = a + Div255(((d >> 24) & 0xFF) * inv);
  const uint32_t outR = Div255(c.r * a + ((d >> 16) & 0xFF) * inv);
  const uint32_t outG = Div255(c.g * a + ((d >> 8) & 0xFF) * inv);
  const uint32_t outB = Div255(c.b * a + (d & 0xFF) * inv);
  dst = (outA << 24) | (outR << 16) | (outG << 8) | outB;
}

}  // namespace

void BlendCoverage(Bitmap& target, const Rect& clip, int x, int y, const CoverageMask& mask, uint32_t argb) {
  const Rect area = Rect{x, y, x + mask.width, y + mask.height}.Intersect(clip);
  if (area.IsEmpty() || mask.data == nullptr) return;
  const PremultipliedColour colour = Split(argb);
  if (colour.a == 0) return;
  for (int row = area.top; row < area.bottom; ++row) {
    const uint8_t* src = mask.data + static_cast<ptrdiff_t>(row - y) * mask.pitch + (area.left - x);
    uint32_t* dst = target.row(row) + area.left;
    for (int col = area.left; col < area.right; ++col, ++src, ++dst) {
      if (*src != 0) BlendPixel(*dst, colour, *src);
    }
  }
}

void BlendSolidRect(Bitmap& target, const Rect& clip, const Rect& area, uint32_t argb) {
  const Rect cut = area.Intersect(clip);
  if (cut.IsEmpty()) return;
  const PremultipliedColour colour = Split(argb);
  if (colour.a == 0) return;
  for (int row = cut.top; row < cut.bottom; ++row) {
    uint32_t* dst = target.row(row) + cut.left;
    for (int col = cut.left; col < cut.right; ++col, ++dst) BlendPixel(*dst, colour, 255);
  }
}

}  // namespace zui
