#pragma once
// One decoded skin image, owned by the image table that holds it.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/base/bitmap.h"

namespace zui {

struct SkinImage {
  Bitmap bitmap;                           // premultiplied BGRA, top-down
  std::vector<uint32_t> unadjustedPixels;  // kept only when adjustColour is set
  int width = 0;
  int height = 0;
  bool hasAlpha = false;
  bool adjustColour = false;
  std::wstring resType;  // native resource type it came from; empty for files
  uint32_t mask = 0;     // pixel value made transparent, 0 = none
};

}  // namespace zui
