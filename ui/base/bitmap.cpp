#include "ui/base/bitmap.h"

#include <algorithm>

namespace zui {

Bitmap::Bitmap(int width, int height, uint32_t fill) {
  Resize(width, height);
  Fill(fill);
}

void Bitmap::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<size_t>(width) * height, 0u);
}

void Bitmap::Fill(uint32_t pixel) { std::fill(pixels_.begin(), pixels_.end(), pixel); }

}  // namespace zui
