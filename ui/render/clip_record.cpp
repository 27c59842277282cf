#include "ui/render/clip_record.h"

#include <algorithm>
#include <cstdint>

namespace zui {

void ClipRecord::Begin(Canvas& canvas, ClipRegion region) {
  Restore();
  canvas_ = &canvas;
  old_ = canvas.clip();
  canvas.SetClip(std::move(region));
  new_ = canvas.clip();
}

void ClipRecord::UseOldRegion() {
  if (canvas_) canvas_->SetClip(old_);
}

void ClipRecord::UseNewRegion() {
  if (canvas_) canvas_->SetClip(new_);
}

void ClipRecord::Restore() {
  if (!canvas_) return;
  canvas_->SetClip(old_);
  canvas_ = nullptr;
}

ClipRegion IntersectClip(const ClipRegion& current, const Rect& rect) {
  const Rect box = current.box.Intersect(rect);
  if (box.IsEmpty()) return {};
  if (!current.mask || box == current.box) return {box, current.mask};
  auto mask = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(box.Width()) * box.Height());
  for (int y = box.top; y < box.bottom; ++y) {
    const uint8_t* from = current.MaskRow(box.left, y);
    std::copy(from, from + box.Width(), mask->data() + static_cast<size_t>(y - box.top) * box.Width());
  }
  return {box, std::move(mask)};
}

namespace {

int64_t FloorDiv2(int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

// Columns [x0, x1) of row y that lie inside the rounded rectangle. Pixel
// centres are tested against the corner ellipses in doubled integer
// coordinates, so the shape is exact and identical on every build.
void RoundRowSpan(const Rect& item, int ew, int eh, int y, int& x0, int& x1) {
  x0 = item.left;
  x1 = item.right;
  if (ew <= 0 || eh <= 0) return;
  const int64_t cy2 = 2 * static_cast<int64_t>(y) + 1;  // pixel centre, doubled
  int64_t dy2 = 0;
  if (cy2 < 2 * static_cast<int64_t>(item.top) + eh) dy2 = 2 * static_cast<int64_t>(item.top) + eh - cy2;
  else if (cy2 > 2 * static_cast<int64_t>(item.bottom) - eh) dy2 = cy2 - (2 * static_cast<int64_t>(item.bottom) - eh);
  if (dy2 == 0) return;
  // Inside when (dx2 / ew)^2 + (dy2 / eh)^2 <= 1.
  const int64_t ew2 = static_cast<int64_t>(ew) * ew, eh2 = static_cast<int64_t>(eh) * eh;
  const int64_t limit = ew2 * eh2 - dy2 * dy2 * ew2;
  // Largest doubled horizontal distance that still fits.
  int64_t lo = 0, hi = ew;
  if (limit < 0) {
    x0 = x1 = item.left;
    return;
  }
  while (lo < hi) {
    const int64_t mid = (lo + hi + 1) / 2;
    if (mid * mid * eh2 <= limit) lo = mid;
    else hi = mid - 1;
  }
  const int64_t maxDx2 = lo;
  // Leftmost x with  (2l + ew) - (2x + 1) <= maxDx2.
  const int64_t left = FloorDiv2(2 * static_cast<int64_t>(item.left) + ew - maxDx2);
  const int64_t right = FloorDiv2(2 * static_cast<int64_t>(item.right) - ew - 1 + maxDx2) + 1;
  x0 = static_cast<int>(std::max<int64_t>(item.left, left));
  x1 = static_cast<int>(std::min<int64_t>(item.right, right));
  if (x1 < x0) x1 = x0;
}

}  // namespace

ClipRegion IntersectRoundClip(const ClipRegion& current, const Rect& rect, const Rect& item, int ellipseWidth,
                              int ellipseHeight) {
  const Rect box = current.box.Intersect(rect).Intersect(item);
  if (box.IsEmpty()) return {};
  const int ew = std::clamp(ellipseWidth, 0, item.Width());
  const int eh = std::clamp(ellipseHeight, 0, item.Height());
  auto mask = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(box.Width()) * box.Height(), 0);
  for (int y = box.top; y < box.bottom; ++y) {
    int x0 = 0, x1 = 0;
    RoundRowSpan(item, ew, eh, y, x0, x1);
    x0 = std::max(x0, box.left);
    x1 = std::min(x1, box.right);
    uint8_t* out = mask->data() + static_cast<size_t>(y - box.top) * box.Width();
    const uint8_t* prev = current.MaskRow(box.left, y);
    for (int x = x0; x < x1; ++x) out[x - box.left] = prev ? prev[x - box.left] : 255;
  }
  return {box, std::move(mask)};
}

}  // namespace zui

#include "ui/render/skin_renderer.h"

namespace zui {

void CSkinRenderer::ClipToRect(Canvas& canvas, const Rect& rect, ClipRecord& record) {
  record.Begin(canvas, IntersectClip(canvas.clip(), rect));
}

void CSkinRenderer::ClipToRoundRect(Canvas& canvas, const Rect& rect, const Rect& item, int ellipseWidth,
                                    int ellipseHeight, ClipRecord& record) {
  record.Begin(canvas, IntersectRoundClip(canvas.clip(), rect, item, ellipseWidth, ellipseHeight));
}

}  // namespace zui
