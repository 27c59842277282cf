#include "ui/host/win32/win32_dib_surface.h"

#include <algorithm>
#include <cstring>

namespace zui {

DibSurface::~DibSurface() { Release(); }

void DibSurface::Release() {
  if (dc_ != nullptr) {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

bool DibSurface::Reserve(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  if (dc_ != nullptr && width <= width_ && height <= height_) return true;
  // Grow both ways at once, so windows of different shapes do not make the
  // surface be rebuilt by turns.
  const int newWidth = std::max(width, width_);
  const int newHeight = std::max(height, height_);
  Release();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = newWidth;
  info.bmiHeader.biHeight = -newHeight;  // top-down, like Bitmap
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    return false;
  }
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) {
    DeleteObject(bitmap);
    return false;
  }
  bitmap_ = bitmap;
  dc_ = dc;
  previous_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<uint32_t*>(bits);
  width_ = newWidth;
  height_ = newHeight;
  return true;
}

Size DibSurface::CopyFrom(const Bitmap& source, const Rect& area) {
  const Rect clip = area.Intersect({0, 0, source.width(), source.height()});
  const int w = std::min(clip.Width(), width_);
  const int h = std::min(clip.Height(), height_);
  if (bits_ == nullptr || w <= 0 || h <= 0) return {};
  // GDI may still be drawing from the bits of an earlier copy.
  GdiFlush();
  for (int y = 0; y < h; ++y) {
    std::memcpy(bits_ + static_cast<size_t>(y) * width_, source.row(clip.top + y) + clip.left,
                static_cast<size_t>(w) * sizeof(uint32_t));
  }
  return {w, h};
}

}  // namespace zui
