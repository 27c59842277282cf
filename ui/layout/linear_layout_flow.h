#pragma once
// The flow the vertical and horizontal layouts share: children follow one
// another along a main axis and are placed one by one across it. A layout
// describes its two axes, its scroll bars and its alignments; the passes
// themselves are written once.

#include <cstdint>
#include <vector>

#include "ui/base/geometry.h"
#include "ui/controls/control.h"

namespace zui {
class CScrollBarUI;
}

namespace zui::linear {

// Where one axis's numbers sit in a size, a rectangle and a child's limits.
struct Axis {
  int Size::*size;
  int Rect::*lead;   // left or top
  int Rect::*trail;  // right or bottom
  int (Rect::*extent)() const;
  int (CControlUI::*fixed)() const;
  int (CControlUI::*minimum)() const;
  int (CControlUI::*maximum)() const;
};

inline constexpr Axis kWidthAxis{&Size::cx,
                                 &Rect::left,
                                 &Rect::right,
                                 &Rect::Width,
                                 &CControlUI::GetFixedWidth,
                                 &CControlUI::GetMinWidth,
                                 &CControlUI::GetMaxWidth};
inline constexpr Axis kHeightAxis{&Size::cy,
                                  &Rect::top,
                                  &Rect::bottom,
                                  &Rect::Height,
                                  &CControlUI::GetFixedHeight,
                                  &CControlUI::GetMinHeight,
                                  &CControlUI::GetMaxHeight};

// An alignment word read along one axis.
enum class Place { kStart, kMiddle, kEnd };

inline Place PlaceOf(uint32_t align, uint32_t middle, uint32_t end) {
  if (align == middle) return Place::kMiddle;
  if (align == end) return Place::kEnd;
  return Place::kStart;
}

// How the placing pass sizes a child across the flow.
enum class CrossSize {
  // The estimate when above 0, else all the room.
  kEstimate,
  // The child's maximum (all the room when it is 0), never the estimate.
  kMaximum,
};

struct Flow {
  Axis main;                     // the children follow one another along it
  Axis cross;                    // each child is placed across it on its own
  const CScrollBarUI* mainBar;   // scrolls along the main axis
  const CScrollBarUI* crossBar;  // scrolls across
  Place start;                   // where the run starts when nothing stretches and no main bar shows
  Place across;                  // where each child sits across
  CrossSize crossSize;
};

// Places the visible, non-floating `items` in `area` and answers the size
// they need.
Size LayOut(const Flow& flow, const std::vector<ControlPtr>& items, const Rect& area, int64_t childPadding);

}  // namespace zui::linear
