#include "ui/render/canvas.h"

#include <algorithm>

#include "ui/render/pixel.h"

namespace zui {

Canvas::Canvas(Bitmap& target) : target_(&target) {
  clip_ = ClipRegion::FromRect({0, 0, target.width(), target.height()});
}

void Canvas::SetClip(ClipRegion region) {
  // Never let a region reach outside the bitmap: every writer trusts the box.
  const Rect bounds{0, 0, target_->width(), target_->height()};
  if (region.box.Intersect(bounds) != region.box) {
    if (region.mask) {
      // Cut the mask down to the part inside the bitmap.
      const Rect inside = region.box.Intersect(bounds);
      auto cut = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(inside.Width()) * inside.Height());
      for (int y = inside.top; y < inside.bottom; ++y) {
        const uint8_t* from = region.MaskRow(inside.left, y);
        std::copy(from, from + inside.Width(), cut->data() + static_cast<size_t>(y - inside.top) * inside.Width());
      }
      region = {inside, std::move(cut)};
    } else {
      region.box = region.box.Intersect(bounds);
    }
  }
  if (region.box.IsEmpty()) region = ClipRegion{};
  clip_ = std::move(region);
}

void Canvas::BlendFill(const Rect& area, uint32_t color) {
  if (color == 0) return;
  ForEachRow(area, [color](uint32_t* row, int x0, int x1, int, const uint8_t* cover) {
    const int n = x1 - x0;
    if (cover == nullptr) {
      if ((color >> 24) == 255) {
        std::fill(row, row + n, color);
      } else {
        for (int i = 0; i < n; ++i) row[i] = pixel::Over(row[i], color);
      }
    } else {
      for (int i = 0; i < n; ++i)
        if (cover[i] != 0) row[i] = pixel::Over(row[i], pixel::Scale(color, cover[i]));
    }
  });
}

void Canvas::CopyFill(const Rect& area, uint32_t color) {
  ForEachRow(area, [color](uint32_t* row, int x0, int x1, int, const uint8_t* cover) {
    const int n = x1 - x0;
    if (cover == nullptr) {
      std::fill(row, row + n, color);
    } else {
      for (int i = 0; i < n; ++i) row[i] = pixel::Lerp(row[i], color, cover[i]);
    }
  });
}

void Canvas::BlendPixel(int x, int y, uint32_t color, uint32_t coverage) {
  if (!clip_.box.Contains({x, y}) || coverage == 0) return;
  if (const uint8_t* cover = clip_.MaskRow(x, y)) coverage = pixel::Div255(coverage * *cover);
  uint32_t& dst = target_->at(x, y);
  dst = pixel::Over(dst, pixel::Scale(color, coverage));
}

}  // namespace zui
