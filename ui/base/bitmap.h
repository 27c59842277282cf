#pragma once
// A 32-bit top-down pixel buffer: every window paints into one. A pixel is a
// uint32_t 0xAARRGGBB, so in memory the bytes run blue, green, red, alpha,
// with the colour premultiplied by alpha — the layout of a Win32 DIB section.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zui {

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, uint32_t fill = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }

  uint32_t* pixels() { return pixels_.data(); }
  const uint32_t* pixels() const { return pixels_.data(); }
  uint32_t* row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint32_t* row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  uint32_t& at(int x, int y) { return row(y)[x]; }
  uint32_t at(int x, int y) const { return row(y)[x]; }

  // Keeps the buffer when the size is unchanged; new pixels are transparent.
  void Resize(int width, int height);
  void Fill(uint32_t pixel);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

}  // namespace zui
