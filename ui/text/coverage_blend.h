#pragma once
// Puts anti-aliased text into a premultiplied BGRA bitmap: an 8-bit coverage
// mask (0 = no ink, 255 = full ink) is blended source-over in one colour.

#include <cstdint>

#include "ui/base/geometry.h"
#include "ui/base/bitmap.h"

namespace zui {

struct CoverageMask {
  const uint8_t* data = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;  // bytes from one row to the next
};

// Blends `mask` with its top-left corner at (x, y), touching only pixels
// inside `clip` (which the caller has already cut to the bitmap). `argb` is
// straight (not premultiplied) 0xAARRGGBB.
void BlendCoverage(Bitmap& target, const Rect& clip, int x, int y, const CoverageMask& mask, uint32_t argb);

// Full-coverage rectangle in the same colour (underlines).
void BlendSolidRect(Bitmap& target, const Rect& clip, const Rect& area, uint32_t argb);

}  // namespace zui
