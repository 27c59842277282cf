#pragma once
// Small helpers the vertical and horizontal layouts share.

#include <algorithm>
#include <cstdint>

#include "ui/base/saturate.h"
#include "ui/controls/control.h"
#include "ui/layout/scroll_bar.h"

namespace zui::linear {

// The fixed size along an axis when set, else the maximum.
inline int64_t FixedOrMax(int fixed, int maximum) { return fixed >= 1 ? fixed : maximum; }

inline int64_t Clamp(int64_t v, int64_t minimum, int64_t maximum) {
  if (v > maximum) v = maximum;
  if (v < minimum) v = minimum;
  return v;
}

inline bool Shown(const CScrollBarUI* bar) { return bar != nullptr && bar->IsVisible(); }
inline int64_t RangeOf(const CScrollBarUI* bar) { return Shown(bar) ? bar->GetScrollRange() : 0; }
inline int64_t PosOf(const CScrollBarUI* bar) { return Shown(bar) ? bar->GetScrollPos() : 0; }

// The estimate request is made of ints; a size beyond them keeps to the edge.
inline Size Request(int64_t cx, int64_t cy) { return {SaturateToInt(cx), SaturateToInt(cy)}; }

inline Rect ToRect(int64_t l, int64_t t, int64_t r, int64_t b) {
  return {SaturateToInt(l), SaturateToInt(t), SaturateToInt(r), SaturateToInt(b)};
}

}  // namespace zui::linear
