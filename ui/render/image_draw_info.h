#pragma once
// One parsed image descriptor: which part of which image is drawn where and
// how it is stretched, e.g. "file='img\\checked.png' dest='5,14,19,28'".

#include <cstdint>
#include <string>

#include "ui/base/geometry.h"

namespace zui {

struct ImageDrawInfo {
  std::wstring drawString;    // the descriptor text as given
  std::wstring modifyString;  // the modifier text as given
  std::wstring imageName;     // "file" / "res"; a bare file name when no key is present
  std::wstring resType;       // "restype"
  Rect dest;
  Rect source;
  Rect corner;
  uint32_t mask = 0;
  uint8_t fade = 255;
  bool hole = false;
  bool xTiled = false;
  bool yTiled = false;
  bool hsl = false;
  bool useSvg = false;
  bool useSvgSrcSize = false;
  bool noDpi = false;
  Size size;
  Rect padding;
  std::wstring align;
};

}  // namespace zui
