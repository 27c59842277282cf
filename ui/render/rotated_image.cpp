// An image drawn turned about a point. The sine and cosine come from our own
// series in plain double arithmetic (the C library's differ between builds),
// and every pixel is sampled in fixed point, so each build draws the same
// bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "ui/render/coords.h"
#include "ui/render/pixel.h"
#include "ui/render/skin_renderer.h"

namespace zui {
namespace {

constexpr int kFracBits = 16;
constexpr int64_t kOne = int64_t{1} << kFracBits;
constexpr double kPi = 3.14159265358979323846;

// Sine and cosine of an angle in degrees, exact at the quarter turns. The
// angle is first reduced to [-45, 45] degrees, where a short Taylor series
// is accurate far beyond the 16 bits we keep.
struct SinCos {
  double sin = 0, cos = 1;
};

SinCos TurnOf(double degrees) {
  if (!std::isfinite(degrees)) return {};
  // fmod is exact, so both builds reduce any finite angle alike.
  double d = std::fmod(degrees, 360.0);
  if (d < 0) d += 360.0;
  if (d >= 360.0) d = 0;
  // Quarter index q with d = 90 q + r, r in [-45, 45).
  int q = static_cast<int>((d + 45.0) / 90.0);
  const double r = (d - 90.0 * q) * (kPi / 180.0);
  q &= 3;
  const double r2 = r * r;
  double s = r, c = 1;
  double termS = r, termC = 1;
  for (int n = 1; n <= 7; ++n) {
    termS *= -r2 / ((2.0 * n) * (2.0 * n + 1));
    termC *= -r2 / ((2.0 * n - 1) * (2.0 * n));
    s += termS;
    c += termC;
  }
  switch (q) {
    case 0: return {s, c};
    case 1: return {c, -s};
    case 2: return {-s, -c};
    default: return {-c, s};
  }
}

int64_t ToFixed(double v) {
  const double scaled = v * static_cast<double>(kOne);
  return static_cast<int64_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}

// Bilinear sample at (sx, sy) in 16.16 image coordinates of pixel centres,
// held to the image: the edges of the picture come from its coverage of the
// destination instead, so an enlarged image keeps crisp one-pixel edges.
uint32_t Sample(const Bitmap& image, int64_t sx, int64_t sy) {
  sx = std::clamp<int64_t>(sx, 0, int64_t{image.width() - 1} * kOne);
  sy = std::clamp<int64_t>(sy, 0, int64_t{image.height() - 1} * kOne);
  const int x0 = static_cast<int>(sx >> kFracBits), y0 = static_cast<int>(sy >> kFracBits);
  const int x1 = std::min(x0 + 1, image.width() - 1), y1 = std::min(y0 + 1, image.height() - 1);
  const uint32_t fx = static_cast<uint32_t>((sx >> (kFracBits - 8)) & 0xFF);
  const uint32_t fy = static_cast<uint32_t>((sy >> (kFracBits - 8)) & 0xFF);
  const uint32_t p[4] = {image.at(x0, y0), image.at(x1, y0), image.at(x0, y1), image.at(x1, y1)};
  const uint32_t w[4] = {(256 - fx) * (256 - fy), fx * (256 - fy), (256 - fx) * fy, fx * fy};  // sum 65536
  uint32_t out = 0;
  for (int shift = 0; shift <= 24; shift += 8) {
    uint64_t acc = 0;
    for (int k = 0; k < 4; ++k) acc += uint64_t{(p[k] >> shift) & 0xFF} * w[k];
    out |= static_cast<uint32_t>((acc + 0x8000) >> 16) << shift;
  }
  return out;
}

// How much of a pixel whose centre lies at `t` (16.16, destination units)
// falls inside [0, length]: 0 to kOne.
int64_t Coverage(int64_t t, int64_t length) {
  const int64_t fromStart = t + kOne / 2, fromEnd = length * kOne - t + kOne / 2;
  return std::clamp<int64_t>(std::min(fromStart, fromEnd), 0, kOne);
}

}  // namespace

void CSkinRenderer::PaintRotatedImage(Canvas& canvas, const Bitmap& image, const Rect& destIn, Point centre,
                                      double degrees) {
  const Rect dest = Coords(destIn);
  // The fixed-point products below stay inside 64 bits for images up to
  // 2^16 pixels a side; nothing a skin draws turned comes near that.
  constexpr int kMaxSide = 1 << 16;
  if (dest.IsEmpty() || image.empty() || image.width() > kMaxSide || image.height() > kMaxSide) return;
  const SinCos t = TurnOf(degrees);
  const int64_t cosF = ToFixed(t.cos), sinF = ToFixed(t.sin);
  const int64_t cx = int64_t{Coord(centre.x)} * kOne, cy = int64_t{Coord(centre.y)} * kOne;

  // The turned destination's bounding box: the four corners turned.
  int64_t minX = INT64_MAX, minY = INT64_MAX, maxX = INT64_MIN, maxY = INT64_MIN;
  const int64_t xs[2] = {int64_t{dest.left} * kOne - cx, int64_t{dest.right} * kOne - cx};
  const int64_t ys[2] = {int64_t{dest.top} * kOne - cy, int64_t{dest.bottom} * kOne - cy};
  for (int64_t dx : xs) {
    for (int64_t dy : ys) {
      const int64_t x = cx + ((dx * cosF - dy * sinF) >> kFracBits);
      const int64_t y = cy + ((dx * sinF + dy * cosF) >> kFracBits);
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
  }
  const Rect box{Coord((minX >> kFracBits) - 1), Coord((minY >> kFracBits) - 1), Coord((maxX >> kFracBits) + 2),
                 Coord((maxY >> kFracBits) + 2)};

  const int64_t dw = dest.Width(), dh = dest.Height();
  const int64_t iw = image.width(), ih = image.height();
  canvas.ForEachRow(box, [&](uint32_t* row, int x0, int x1, int y, const uint8_t* cover) {
    // Pixel centre relative to the centre of turning.
    const int64_t py = int64_t{y} * kOne + kOne / 2 - cy;
    for (int x = x0; x < x1; ++x) {
      const int64_t px = int64_t{x} * kOne + kOne / 2 - cx;
      // Turned back by the angle: where in the unturned destination it lies.
      const int64_t u = cx + ((px * cosF + py * sinF) >> kFracBits) - int64_t{dest.left} * kOne;
      const int64_t v = cy + ((py * cosF - px * sinF) >> kFracBits) - int64_t{dest.top} * kOne;
      const int64_t coverX = Coverage(u, dw), coverY = Coverage(v, dh);
      if (coverX == 0 || coverY == 0) continue;
      uint32_t coverage = static_cast<uint32_t>(std::min<int64_t>(255, ((coverX >> 8) * (coverY >> 8) * 255) >> 16));
      if (cover != nullptr) coverage = pixel::Div255(coverage * cover[x - x0]);
      if (coverage == 0) continue;
      // Destination units to image pixel centres.
      const int64_t sx = u * iw / dw - kOne / 2, sy = v * ih / dh - kOne / 2;
      const uint32_t colour = pixel::Scale(Sample(image, sx, sy), coverage);
      if (colour == 0) continue;
      row[x - x0] = pixel::Over(row[x - x0], colour);
    }
  });
}

}  // namespace zui
