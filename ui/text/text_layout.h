#pragma once
// DrawText's layout, independent of any font technology: line breaking, end
// ellipsis, alignment and the DT_CALCRECT extent. An engine supplies the
// advances of its font and then paints the placed characters.

#include <vector>

#include "ui/base/geometry.h"
#include "ui/text/text_chars.h"
#include "ui/text/text_engine.h"

namespace zui {

class ITextMeasure {
 public:
  virtual ~ITextMeasure() = default;
  // Horizontal advance of one code point in whole pixels.
  virtual int Advance(char32_t code) = 0;
};

struct PlacedChar {
  char32_t code = 0;
  int x = 0;  // from the start of its line
  int advance = 0;
  bool prefixUnderline = false;
};

struct PlacedLine {
  int x = 0;  // where the line starts (alignment applied)
  int y = 0;  // top of the line box
  int width = 0;
  bool endsWithEllipsis = false;
  std::vector<PlacedChar> chars;
};

struct TextLayout {
  std::vector<PlacedLine> lines;  // the lines to paint
  Rect extent;                    // what DT_CALCRECT reports
  int height = 0;                 // DrawText's return value
  int lineHeight = 0;
};

// Lays `chars` out in `rect` the way DrawTextW does with `format`:
// - lines end at "\r\n", "\n" or "\r" unless DT_SINGLELINE;
// - DT_WORDBREAK wraps at spaces and between ideographs (not before closing
//   or after opening punctuation); a word longer than the line overflows,
//   or with DT_EDITCONTROL is cut at the character that no longer fits;
// - DT_VCENTER / DT_BOTTOM place a DT_SINGLELINE line; multi-line text
//   always starts at the top;
// - DT_END_ELLIPSIS cuts a line wider than the rectangle and ends it with
//   "..."; when wrapped text is taller than the rectangle, the lines that do
//   not fit are dropped and the last one kept ends with "...";
// - DT_EDITCONTROL does not show a partly visible last line (the first line
//   is always shown);
// - DT_CALCRECT: `extent` is left/top of `rect` plus the width of the widest
//   line and the height of all lines; no line is dropped for height.
TextLayout LayoutText(const std::vector<TextChar>& chars, ITextMeasure& measure, const FontMetrics& metrics,
                      const Rect& rect, unsigned format);

}  // namespace zui
