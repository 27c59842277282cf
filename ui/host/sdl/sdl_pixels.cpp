#include "ui/host/sdl/sdl_pixels.h"

namespace zui::sdl {

Rect UploadArea(const Rect& area, Size frame, Size surface) {
  return area.Intersect(Rect{0, 0, frame.cx, frame.cy}).Intersect(Rect{0, 0, surface.cx, surface.cy});
}

std::vector<uint32_t> StraightAlphaPixels(const Bitmap& bitmap) {
  std::vector<uint32_t> out;
  if (bitmap.empty()) return out;
  out.reserve(static_cast<size_t>(bitmap.width()) * bitmap.height());
  for (int y = 0; y < bitmap.height(); ++y) {
    for (int x = 0; x < bitmap.width(); ++x) {
      const uint32_t p = bitmap.at(x, y);
      const uint32_t a = p >> 24;
      if (a == 0) {
        out.push_back(0);
        continue;
      }
      auto straight = [a](uint32_t c) {
        uint32_t v = (c * 255 + a / 2) / a;
        return v > 255 ? 255u : v;  // a colour above its alpha is not premultiplied: saturate
      };
      out.push_back((a << 24) | (straight((p >> 16) & 0xFF) << 16) | (straight((p >> 8) & 0xFF) << 8) |
                    straight(p & 0xFF));
    }
  }
  return out;
}

}  // namespace zui::sdl
