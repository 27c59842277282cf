#include "ui/list/list_item_background.h"

#include <algorithm>

#include "ui/controls/control.h"
#include "ui/render/skin_renderer.h"

namespace zui {
namespace {

uint32_t BackgroundColour(const ListItemInfo& info, const ListRowPaintState& state, bool oddUnderAlternate) {
  uint32_t colour = oddUnderAlternate ? 0 : info.bkColor;
  if (state.hot && info.hotBkColor != 0) colour = info.hotBkColor;
  if (state.selected && info.selectedBkColor != 0) colour = info.selectedBkColor;
  if (!state.enabled && info.disabledBkColor != 0) colour = info.disabledBkColor;
  return colour;
}

// The state image, when the row's state has one that could be drawn.
bool PaintStateImage(Canvas& canvas, CControlUI& row, const ListItemInfo& info, const ListRowPaintState& state) {
  const std::wstring* image = nullptr;
  if (!state.enabled) image = &info.disabledImage;
  else if (state.selected) image = &info.selectedImage;
  else if (state.hot) image = &info.hotImage;
  return image != nullptr && !image->empty() && row.DrawImage(canvas, *image);
}

void PaintLines(Canvas& canvas, const Rect& r, const ListItemInfo& info) {
  if (info.lineColor == 0) return;
  if (info.showRowLine)
    CSkinRenderer::PaintLine(canvas, {r.left, r.bottom - 1, r.right, r.bottom - 1}, 1, info.lineColor);
  if (!info.showColumnLine) return;
  const int columns = std::clamp(info.columns, 0, kMaxListColumns);
  for (int i = 0; i < columns; ++i) {
    const int x = info.columnRects[i].right - 1;
    CSkinRenderer::PaintLine(canvas, {x, r.top, x, r.bottom}, 1, info.lineColor);
  }
}

}  // namespace

void PaintListItemBackground(Canvas& canvas, CControlUI& row, const ListItemInfo& info, const ListRowPaintState& state,
                             const Rect& paint) {
  const bool odd = info.alternateBk && state.index % 2 != 0;
  const uint32_t colour = BackgroundColour(info, state, odd);
  const Rect area = paint.Intersect(row.GetPos());
  if (colour != 0 && !area.IsEmpty()) CSkinRenderer::FillColor(canvas, area, colour);

  if (PaintStateImage(canvas, row, info, state)) return;
  const std::wstring& own = row.GetBkImage();
  if (!own.empty()) {
    if (!odd) row.DrawImage(canvas, own);
  } else if (!info.bkImage.empty() && row.DrawImage(canvas, info.bkImage)) {
    return;
  }
  PaintLines(canvas, row.GetPos(), info);
}

}  // namespace zui
