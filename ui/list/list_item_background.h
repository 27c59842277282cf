#pragma once
// The item background every row of a list paints before its own content:
// a colour by state, a state image, the row's or the list's background
// image, and the row and column lines.

#include "ui/base/geometry.h"
#include "ui/list/list_interfaces.h"

namespace zui {

class Canvas;
class CControlUI;

struct ListRowPaintState {
  int index = -1;
  bool hot = false;
  bool selected = false;
  bool enabled = true;
};

// Paints into `paint` (the part of the row being repainted).
void PaintListItemBackground(Canvas& canvas, CControlUI& row, const ListItemInfo& info, const ListRowPaintState& state,
                             const Rect& paint);

}  // namespace zui
