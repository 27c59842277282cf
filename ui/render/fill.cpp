// Colour fills and gradients.

#include <algorithm>
#include <vector>

#include "ui/render/coords.h"
#include "ui/render/pixel.h"
#include "ui/render/skin_renderer.h"

namespace zui {
namespace {

uint32_t Channel(uint32_t argb, int shift) { return (argb >> shift) & 0xFF; }

// The gradient's colour at position i of n (pixel centres, rounded).
uint32_t MixSmooth(uint32_t first, uint32_t second, int64_t i, int64_t n) {
  const int64_t wa = 2 * (n - i) - 1, wb = 2 * i + 1, total = 2 * n;
  uint32_t out = 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int64_t c = (Channel(first, shift) * wa + Channel(second, shift) * wb + n) / total;
    out |= static_cast<uint32_t>(c) << shift;
  }
  return out;
}

// Band i (counted from the far end, 2^k down to 1) of 2^k bands.
uint32_t MixBand(uint32_t first, uint32_t second, int i, int bands) {
  uint32_t out = 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t c = (i * Channel(first, shift) + (bands - i) * Channel(second, shift)) / bands;
    out |= c << shift;
  }
  return out;
}

int BandCount(int steps) {
  int k = 6;
  if (steps < 4) k = 1;
  else if (steps < 8) k = 2;
  else if (steps < 16) k = 3;
  else if (steps < 32) k = 4;
  else if (steps < 64) k = 5;
  return 1 << k;
}

// Fills `area` (a run of `rect` along the gradient axis) with one opaque
// colour seen at `alpha`: copied when opaque, blended otherwise.
void Put(Canvas& canvas, const Rect& area, uint32_t opaque, uint32_t alpha) {
  if (alpha == 255) canvas.CopyFill(area, opaque);
  else canvas.BlendFill(area, pixel::Scale(opaque, alpha));
}

}  // namespace

void CSkinRenderer::FillColor(Canvas& canvas, const Rect& rect, uint32_t argb) {
  if (argb < 0x01000000u) return;
  canvas.BlendFill(rect, pixel::Premultiply(argb));
}

void CSkinRenderer::FillGradient(Canvas& canvas, const Rect& rectIn, uint32_t first, uint32_t second, bool vertical,
                                 int steps, GradientPath path) {
  const Rect rect = Coords(rectIn);
  // One alpha for the whole gradient: the average of the two ends.
  const uint32_t alpha = ((first >> 24) + (second >> 24)) / 2;
  if (alpha == 0 || rect.IsEmpty()) return;
  const Rect visible = canvas.Visible(rect);
  if (visible.IsEmpty()) return;
  const int length = vertical ? rect.Height() : rect.Width();
  const int origin = vertical ? rect.top : rect.left;

  if (path == GradientPath::Smooth) {
    const int from = (vertical ? visible.top : visible.left) - origin;
    const int to = (vertical ? visible.bottom : visible.right) - origin;
    if (vertical) {
      for (int i = from; i < to; ++i)
        Put(canvas, {visible.left, origin + i, visible.right, origin + i + 1}, MixSmooth(first, second, i, length),
            alpha);
      return;
    }
    // Horizontal: one row of colours, then every visible row takes it.
    std::vector<uint32_t> colours(to - from);
    for (int i = from; i < to; ++i) colours[i - from] = pixel::Scale(MixSmooth(first, second, i, length), alpha);
    canvas.ForEachRow(visible, [&](uint32_t* row, int x0, int x1, int, const uint8_t* cover) {
      for (int x = x0; x < x1; ++x) {
        const uint32_t c = colours[x - visible.left];
        uint32_t& dst = row[x - x0];
        const uint32_t f = cover ? cover[x - x0] : 255;
        if (alpha == 255) dst = pixel::Lerp(dst, c, f);
        else if (f != 0) dst = pixel::Over(dst, pixel::Scale(c, f));
      }
    });
    return;
  }

  const int bands = BandCount(steps);
  for (int b = 0; b < bands; ++b) {
    const int start = origin + static_cast<int>(static_cast<int64_t>(length) * b / bands);
    const int end = origin + static_cast<int>(static_cast<int64_t>(length) * (b + 1) / bands);
    if (end <= start) continue;
    const Rect band = vertical ? Rect{rect.left, start, rect.right, end} : Rect{start, rect.top, end, rect.bottom};
    Put(canvas, band, MixBand(first, second, bands - b, bands), alpha);
  }
}

}  // namespace zui
