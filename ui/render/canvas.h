#pragma once
// The drawing surface every paint routine works on: a Bitmap plus the clip
// region in force. Controls narrow the clip with ClipRecord (clip_record.h)
// and the record puts the previous region back, so nested clips form a stack.

#include <cstdint>
#include <memory>
#include <vector>

#include "ui/base/geometry.h"
#include "ui/base/bitmap.h"

namespace zui {

// A clip region: a box, optionally with a per-pixel coverage mask over it
// (0 = outside, 255 = inside) for rounded shapes.
struct ClipRegion {
  Rect box;
  std::shared_ptr<const std::vector<uint8_t>> mask;  // box.Width() * box.Height(), or null

  static ClipRegion FromRect(const Rect& r) { return {r, nullptr}; }
  // Coverage of one pixel row of the box starting at column x; null when the
  // whole box is inside.
  const uint8_t* MaskRow(int x, int y) const {
    if (!mask) return nullptr;
    return mask->data() + static_cast<size_t>(y - box.top) * box.Width() + (x - box.left);
  }
};

class Canvas {
 public:
  explicit Canvas(Bitmap& target);

  Bitmap& target() { return *target_; }
  const ClipRegion& clip() const { return clip_; }
  Rect ClipBox() const { return clip_.box; }
  void SetClip(ClipRegion region);

  // The part of `area` that may be painted: inside the clip box.
  Rect Visible(const Rect& area) const { return area.Intersect(clip_.box); }

  // Calls fn(row pointer at x0, x0, x1, y, coverage or null) for every row of
  // `area` inside the clip box; coverage points at the mask for x0..x1.
  template <typename Fn>
  void ForEachRow(const Rect& area, Fn&& fn) {
    const Rect v = Visible(area);
    for (int y = v.top; y < v.bottom; ++y) fn(target_->row(y) + v.left, v.left, v.right, y, clip_.MaskRow(v.left, y));
  }

  // Source-over of one premultiplied pixel colour across `area`.
  void BlendFill(const Rect& area, uint32_t premultiplied);
  // Writes the pixel colour as is (inside the clip) across `area`.
  void CopyFill(const Rect& area, uint32_t premultiplied);
  // Blends `premultiplied` at one pixel scaled by coverage (0..255).
  void BlendPixel(int x, int y, uint32_t premultiplied, uint32_t coverage);

 private:
  Bitmap* target_;
  ClipRegion clip_;
};

}  // namespace zui
