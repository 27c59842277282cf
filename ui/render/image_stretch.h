#pragma once
// Good-quality scaled copy of one image piece: box filtering when shrinking,
// bilinear when enlarging, exact copy at 1:1. Integer weights only, so every
// build draws the same pixels.

#include <cstdint>

#include "ui/base/geometry.h"
#include "ui/base/bitmap.h"
#include "ui/render/canvas.h"

namespace zui {

// Draws `source` of `image` scaled onto `dest`, touching only the part inside
// `limit` and the canvas clip. With `blend` the premultiplied pixels are laid
// over the target scaled by fade / 255; otherwise they replace it.
void DrawImagePiece(Canvas& canvas, const Bitmap& image, const Rect& dest, const Rect& source, const Rect& limit,
                    bool blend, uint8_t fade);

}  // namespace zui
