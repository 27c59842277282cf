#pragma once
// Pixel chores of the SDL backend that need no SDL: which part of a frame
// goes onto a surface, and icons without premultiplied alpha.

#include <cstdint>
#include <vector>

#include "ui/base/bitmap.h"
#include "ui/base/geometry.h"

namespace zui::sdl {

// `area` clipped to the frame and to the surface (both anchored at 0, 0).
Rect UploadArea(const Rect& area, Size frame, Size surface);

// The bitmap's pixels as straight (not premultiplied) 0xAARRGGBB, the form
// window-manager icons take.
std::vector<uint32_t> StraightAlphaPixels(const Bitmap& bitmap);

}  // namespace zui::sdl
