#pragma once
// A 32-bit top-down DIB section selected into a memory DC: the form in which
// GDI takes the toolkit's BGRA pixels, for BitBlt and for
// UpdateLayeredWindow alike.

#include <windows.h>

#include <cstdint>

#include "ui/base/bitmap.h"
#include "ui/base/geometry.h"

namespace zui {

class DibSurface {
 public:
  DibSurface() = default;
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  // At least `width` x `height` pixels; an existing surface that is big
  // enough is kept. False when GDI cannot make one (then the surface is
  // empty).
  bool Reserve(int width, int height);
  // Copies `area` of `source` (clipped to it) to the surface's top-left
  // corner; answers the size copied.
  Size CopyFrom(const Bitmap& source, const Rect& area);

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  void Release();

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace zui
