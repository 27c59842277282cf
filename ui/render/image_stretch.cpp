#include "ui/render/image_stretch.h"

#include <algorithm>
#include <vector>

#include "ui/render/pixel.h"

namespace zui {
namespace {

constexpr int kOne = 256;  // weight scale

// For each destination pixel of one axis: the source pixels it reads and
// their weights (summing to kOne).
struct AxisMap {
  bool identity = false;
  int identityOffset = 0;  // source index = destination index + offset
  std::vector<int> first;
  std::vector<int> count;
  std::vector<int> offset;  // into weights
  std::vector<uint16_t> weights;
  int minSource = 0;
  int maxSource = 0;  // inclusive
};

// Rounds the weights to kOne in total by rounding the running sum, so no
// weight goes negative and the total is exact.
void Normalize(uint16_t* w, const int64_t* raw, int n, int64_t total) {
  int64_t cumulative = 0;
  int64_t previous = 0;
  for (int k = 0; k < n; ++k) {
    cumulative += raw[k];
    const int64_t scaled = (cumulative * kOne + total / 2) / total;
    w[k] = static_cast<uint16_t>(scaled - previous);
    previous = scaled;
  }
}

// Destination pixels [from, to) of a run of dstLen pixels showing source
// pixels [srcStart, srcStart + srcLen).
void BuildAxis(AxisMap& map, int srcStart, int srcLen, int dstLen, int from, int to) {
  map.first.clear();
  map.count.clear();
  map.offset.clear();
  map.weights.clear();
  map.identity = srcLen == dstLen;
  if (map.identity) {
    map.identityOffset = srcStart;
    map.minSource = srcStart + from;
    map.maxSource = srcStart + to - 1;
    return;
  }
  map.minSource = srcStart + srcLen;
  map.maxSource = srcStart;
  const int64_t S = srcLen, D = dstLen;
  std::vector<int64_t> raw;
  for (int i = from; i < to; ++i) {
    int j0, n;
    raw.clear();
    if (D < S) {
      // Shrinking: the destination pixel averages the source span it covers
      // ([i*S, (i+1)*S) in units of 1/D source pixel).
      const int64_t a = i * S, b = (i + 1) * S;
      j0 = static_cast<int>(a / D);
      const int j1 = static_cast<int>((b + D - 1) / D);
      n = j1 - j0;
      for (int j = j0; j < j1; ++j) {
        const int64_t lo = std::max<int64_t>(a, j * D), hi = std::min<int64_t>(b, (j + 1) * D);
        raw.push_back(hi - lo);
      }
      const size_t at = map.weights.size();
      map.weights.resize(at + n);
      Normalize(map.weights.data() + at, raw.data(), n, S);
      map.offset.push_back(static_cast<int>(at));
    } else {
      // Enlarging: bilinear between the two source pixels around the
      // destination pixel's centre, (2i+1)S/2D - 1/2 in source pixels.
      const int64_t num = (2 * i + 1) * S - D, den = 2 * D;
      int64_t base = num >= 0 ? num / den : -((-num + den - 1) / den);
      int64_t frac = num - base * den;
      if (base < 0) { base = 0; frac = 0; }
      if (base >= S - 1) { base = S - 1; frac = 0; }
      j0 = static_cast<int>(base);
      const size_t at = map.weights.size();
      if (frac == 0) {
        n = 1;
        map.weights.push_back(kOne);
      } else {
        n = 2;
        const int64_t r[2] = {den - frac, frac};
        map.weights.resize(at + 2);
        Normalize(map.weights.data() + at, r, 2, den);
      }
      map.offset.push_back(static_cast<int>(at));
    }
    map.first.push_back(srcStart + j0);
    map.count.push_back(n);
    map.minSource = std::min(map.minSource, srcStart + j0);
    map.maxSource = std::max(map.maxSource, srcStart + j0 + n - 1);
  }
}

struct Wide {
  uint32_t b, g, r, a;  // channel x kOne
};

// Scratch buffers reused across calls; drawing runs on one thread per window.
struct Scratch {
  AxisMap x, y;
  std::vector<Wide> rows;
  std::vector<uint32_t> line;
};

Scratch& TheScratch() {
  thread_local Scratch scratch;
  return scratch;
}

void WriteRow(uint32_t* dst, const uint32_t* src, int n, const uint8_t* cover, bool blend, uint32_t fade) {
  if (!blend) {
    if (cover == nullptr) {
      std::copy(src, src + n, dst);
    } else {
      for (int i = 0; i < n; ++i) dst[i] = pixel::Lerp(dst[i], src[i], cover[i]);
    }
    return;
  }
  if (cover == nullptr) {
    if (fade == 255) {
      for (int i = 0; i < n; ++i) dst[i] = pixel::Over(dst[i], src[i]);
    } else {
      for (int i = 0; i < n; ++i) dst[i] = pixel::Over(dst[i], pixel::Scale(src[i], fade));
    }
    return;
  }
  for (int i = 0; i < n; ++i) {
    if (cover[i] == 0) continue;
    dst[i] = pixel::Over(dst[i], pixel::Scale(src[i], pixel::Div255(fade * cover[i])));
  }
}

}  // namespace

void DrawImagePiece(Canvas& canvas, const Bitmap& image, const Rect& dest, const Rect& sourceIn, const Rect& limit,
                    bool blend, uint8_t fade) {
  if (dest.IsEmpty() || (blend && fade == 0)) return;
  const Rect source = sourceIn.Intersect({0, 0, image.width(), image.height()});
  if (source.IsEmpty()) return;
  const Rect area = canvas.Visible(dest.Intersect(limit));
  if (area.IsEmpty()) return;
  const int w = area.Width();
  Scratch& s = TheScratch();
  s.line.resize(w);

  // Same size: a straight copy from the matching place.
  if (source.Width() == dest.Width() && source.Height() == dest.Height()) {
    const int dx = source.left - dest.left, dy = source.top - dest.top;
    canvas.ForEachRow(area, [&](uint32_t* row, int x0, int x1, int y, const uint8_t* cover) {
      WriteRow(row, image.row(y + dy) + x0 + dx, x1 - x0, cover, blend, fade);
    });
    return;
  }

  BuildAxis(s.x, source.left, source.Width(), dest.Width(), area.left - dest.left, area.right - dest.left);
  BuildAxis(s.y, source.top, source.Height(), dest.Height(), area.top - dest.top, area.bottom - dest.top);

  // Horizontal pass over every source row the visible rows read.
  const int rowFirst = s.y.minSource, rowCount = s.y.maxSource - s.y.minSource + 1;
  s.rows.resize(static_cast<size_t>(rowCount) * w);
  for (int r = 0; r < rowCount; ++r) {
    const uint32_t* in = image.row(rowFirst + r);
    Wide* out = s.rows.data() + static_cast<size_t>(r) * w;
    if (s.x.identity) {
      const uint32_t* p = in + s.x.identityOffset + (area.left - dest.left);
      for (int i = 0; i < w; ++i)
        out[i] = {(p[i] & 0xFF) * kOne, ((p[i] >> 8) & 0xFF) * kOne, ((p[i] >> 16) & 0xFF) * kOne,
                  (p[i] >> 24) * kOne};
      continue;
    }
    for (int i = 0; i < w; ++i) {
      const uint32_t* p = in + s.x.first[i];
      const uint16_t* wt = s.x.weights.data() + s.x.offset[i];
      uint32_t b = 0, g = 0, rr = 0, a = 0;
      for (int k = 0, n = s.x.count[i]; k < n; ++k) {
        const uint32_t px = p[k], f = wt[k];
        b += (px & 0xFF) * f;
        g += ((px >> 8) & 0xFF) * f;
        rr += ((px >> 16) & 0xFF) * f;
        a += (px >> 24) * f;
      }
      out[i] = {b, g, rr, a};
    }
  }

  // Vertical pass, row by row, straight into the target.
  const ClipRegion& clip = canvas.clip();
  for (int y = area.top; y < area.bottom; ++y) {
    const int j = y - area.top;
    uint32_t* line = s.line.data();
    if (s.y.identity) {
      const Wide* in = s.rows.data() + static_cast<size_t>(s.y.identityOffset + (y - dest.top) - rowFirst) * w;
      for (int i = 0; i < w; ++i)
        line[i] = (((in[i].a + kOne / 2) >> 8) << 24) | (((in[i].r + kOne / 2) >> 8) << 16) |
                  (((in[i].g + kOne / 2) >> 8) << 8) | ((in[i].b + kOne / 2) >> 8);
    } else {
      const Wide* in = s.rows.data() + static_cast<size_t>(s.y.first[j] - rowFirst) * w;
      const uint16_t* wt = s.y.weights.data() + s.y.offset[j];
      const int n = s.y.count[j];
      for (int i = 0; i < w; ++i) {
        uint32_t b = 0, g = 0, r = 0, a = 0;
        for (int k = 0; k < n; ++k) {
          const Wide& px = in[static_cast<size_t>(k) * w + i];
          const uint32_t f = wt[k];
          b += px.b * f;
          g += px.g * f;
          r += px.r * f;
          a += px.a * f;
        }
        constexpr uint32_t kHalf = kOne * kOne / 2;
        line[i] = (((a + kHalf) >> 16) << 24) | (((r + kHalf) >> 16) << 16) | (((g + kHalf) >> 16) << 8) |
                  ((b + kHalf) >> 16);
      }
    }
    WriteRow(canvas.target().row(y) + area.left, line, w, clip.MaskRow(area.left, y), blend, fade);
  }
}

}  // namespace zui
