#pragma once
// The drawing routines every control uses to put skin content on a window's
// bitmap. Stateless: everything they need comes in as arguments. Colours are
// straight 0xAARRGGBB as skins write them; images are premultiplied.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/base/geometry.h"
#include "ui/render/canvas.h"
#include "ui/render/clip_record.h"
#include "ui/render/formatted_text.h"
#include "ui/render/image_draw_info.h"
#include "ui/render/pen_style.h"
#include "ui/render/render_resources.h"

namespace zui {

enum class GradientPath {
  Smooth,  // every pixel interpolated (the system's gradient fill)
  Bands,   // 2^k solid bands chosen from the step count
};

class CSkinRenderer {
 public:
  // "#FF212121" -> 0xFF212121; "#FFFFFF" has alpha 0; "FFFFFF 50%" has alpha 127.
  static uint32_t ParseColorValue(std::wstring_view text);

  // Fills `info` from the descriptor and the modifier (whose keys override).
  // With resources, rectangles follow the display scale and the file name
  // gets the "@scale." infix.
  static void ParseImageDescriptor(ImageDrawInfo& info, std::wstring_view descriptor, std::wstring_view modifier,
                                   IRenderResources* resources);

  // Draws a descriptor into `item`, touching only `paint`. False when nothing
  // could be drawn for want of resources, a descriptor or the image.
  static bool PaintImageDescriptor(Canvas* canvas, IRenderResources* resources, const Rect& item, const Rect& paint,
                                   std::wstring_view descriptor, std::wstring_view modifier = {});

  // Copies `source` of `image` onto `dest` keeping the corners unstretched.
  // With `alpha` or fade < 255 the pieces are blended with per-pixel alpha
  // times fade / 255; otherwise they replace the destination.
  static void PaintNineGrid(Canvas& canvas, const Bitmap& image, const Rect& dest, const Rect& paint,
                            const Rect& source, const Rect& corner, bool alpha, uint8_t fade, bool hole, bool xTiled,
                            bool yTiled);

  static void FillColor(Canvas& canvas, const Rect& rect, uint32_t argb);
  // First colour at the top (vertical) or left, second at the bottom or right.
  static void FillGradient(Canvas& canvas, const Rect& rect, uint32_t first, uint32_t second, bool vertical, int steps,
                           GradientPath path = GradientPath::Smooth);

  // A line from (line.left, line.top) to (line.right, line.bottom), the end
  // point excluded. The colour is drawn opaque (alpha ignored).
  static void PaintLine(Canvas& canvas, const Rect& line, int width, uint32_t argb, int penStyle = PS_SOLID);
  // Outline of `width` pixels inside `rect`, blended.
  static void PaintRect(Canvas& canvas, const Rect& rect, int width, uint32_t argb);
  // Anti-aliased outline of a rectangle with rounded corners of radius
  // ellipseWidth / 2; `fillArgb` (when its alpha is not 0) fills it first.
  static void PaintRoundRect(Canvas& canvas, const Rect& rect, int width, int ellipseWidth, uint32_t argb,
                             uint32_t fillArgb = 0);

  // Draws `text` with the font `fontIndex` and DT_* `style`; with DT_CALCRECT
  // only measures and updates `rect`.
  static void PaintText(Canvas* canvas, IRenderResources* resources, Rect& rect, std::wstring_view text, uint32_t argb,
                        int fontIndex, unsigned style);

  // Formatted text (formatted_text.h) in `rect`; with DT_CALCRECT only
  // measures and updates `rect`. `links` (optional) receives the link boxes.
  static void PaintFormattedText(Canvas* canvas, IRenderResources* resources, Rect& rect, std::wstring_view text,
                                 const FormattedTextColors& colors, int fontIndex, unsigned style,
                                 TextLinks* links = nullptr);

  // `image` scaled into `dest`, then turned by `degrees` clockwise about
  // `centre`, blended (premultiplied, bilinear) inside the canvas clip.
  static void PaintRotatedImage(Canvas& canvas, const Bitmap& image, const Rect& dest, Point centre, double degrees);

  static void ClipToRect(Canvas& canvas, const Rect& rect, ClipRecord& record);
  static void ClipToRoundRect(Canvas& canvas, const Rect& rect, const Rect& item, int ellipseWidth, int ellipseHeight,
                              ClipRecord& record);
};

}  // namespace zui
