#pragma once
// Formatted text: plain text with a few tags in braces or angle brackets.
//   {a}text{/a}         a link whose text is its own target
//   {a target}text{/a}  a link to `target`
//   {n}                 a line break
// Anything else in brackets is drawn as written. Words flow over lines with
// DT_WORDBREAK, lines align by DT_CENTER / DT_RIGHT, a single line by
// DT_VCENTER / DT_BOTTOM; the boxes of the links are handed back so a
// control can hit-test them.

#include <cstdint>
#include <string>

#include "ui/base/geometry.h"

namespace zui {

struct FormattedTextColors {
  uint32_t text = 0xFF000000;
  uint32_t link = 0xFF0000FF;
  uint32_t linkHover = 0xFFD3215F;
};

// The links found while drawing: one box per line a link covers.
struct TextLinks {
  static constexpr int kMax = 8;
  Rect rects[kMax];
  std::wstring targets[kMax];
  int count = 0;
  int hot = -1;  // box index drawn in the hover colour (its whole link is)

  int HitTest(Point p) const {
    for (int i = 0; i < count; ++i)
      if (rects[i].Contains(p)) return i;
    return -1;
  }
};

}  // namespace zui
