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
      if (base < 0) {
        base = 0;
        frac = 0;
      }
      if (base >= S - 1) {
        base = S - 1;
        frac = 0;
      }
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

// Weighted sum of pixels, two channels per multiply: with weights summing
// to kOne every 16-bit lane stays below 2^16.
inline uint32_t Mix(const uint32_t* p, size_t stride, const uint16_t* w, int n) {
  uint32_t rb = 0, ag = 0;
  for (int k = 0; k < n; ++k) {
    const uint32_t px = p[k * stride], f = w[k];
    rb += (px & 0x00FF00FFu) * f;
    ag += ((px >> 8) & 0x00FF00FFu) * f;
  }
  return (((rb + 0x00800080u) >> 8) & 0x00FF00FFu) | ((ag + 0x00800080u) & 0xFF00FF00u);
}

// Scratch buffers reused across calls; drawing runs on one thread per window.
struct Scratch {
  AxisMap x, y;
  std::vector<uint32_t> rows;
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
      for (int i = 0; i < n; ++i) {
        const uint32_t a = src[i] >> 24;
        dst[i] = a == 255 ? src[i] : src[i] + pixel::Scale(dst[i], 255 - a);
      }
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
    uint32_t* out = s.rows.data() + static_cast<size_t>(r) * w;
    if (s.x.identity) {
      const uint32_t* p = in + s.x.identityOffset + (area.left - dest.left);
      std::copy(p, p + w, out);
      continue;
    }
    for (int i = 0; i < w; ++i) out[i] = Mix(in + s.x.first[i], 1, s.x.weights.data() + s.x.offset[i], s.x.count[i]);
  }

  // Vertical pass, row by row, straight into the target.
  const ClipRegion& clip = canvas.clip();
  for (int y = area.top; y < area.bottom; ++y) {
    const int j = y - area.top;
    const uint32_t* line;
    if (s.y.identity) {
      line = s.rows.data() + static_cast<size_t>(j) * w;
    } else {
      const uint32_t* in = s.rows.data() + static_cast<size_t>(s.y.first[j] - rowFirst) * w;
      const uint16_t* wt = s.y.weights.data() + s.y.offset[j];
      const int n = s.y.count[j];
      uint32_t* mixed = s.line.data();
      if (n == 1) {
        std::copy(in, in + w, mixed);
      } else if (n == 2) {
        // The common case when enlarging: two rows, weights summing to kOne.
        const uint32_t* in2 = in + w;
        const uint32_t f0 = wt[0], f1 = wt[1];
        for (int i = 0; i < w; ++i) {
          const uint32_t a = in[i], b = in2[i];
          const uint32_t rb = (a & 0x00FF00FFu) * f0 + (b & 0x00FF00FFu) * f1 + 0x00800080u;
          const uint32_t ag = ((a >> 8) & 0x00FF00FFu) * f0 + ((b >> 8) & 0x00FF00FFu) * f1 + 0x00800080u;
          mixed[i] = ((rb >> 8) & 0x00FF00FFu) | (ag & 0xFF00FF00u);
        }
      } else {
        for (int i = 0; i < w; ++i) mixed[i] = Mix(in + i, static_cast<size_t>(w), wt, n);
      }
      line = mixed;
    }
    WriteRow(canvas.target().row(y) + area.left, line, w, clip.MaskRow(area.left, y), blend, fade);
  }
}

}  // namespace zui
