#include "ui/list/list_body.h"

#include <algorithm>

#include "ui/base/saturate.h"
#include "ui/layout/scroll_bar.h"
#include "ui/list/list.h"
#include "ui/list/list_header.h"

namespace zui {
int CListBodyUI::GetScrollStepSize() const {
  return owner_ != nullptr ? owner_->GetScrollStepSize() : CVerticalLayoutUI::GetScrollStepSize();
}

Rect CListBodyUI::GetChildrenArea() const {
  Rect area = CVerticalLayoutUI::GetChildrenArea();
  // A fixed scroll bar keeps its room while hidden, so rows do not change
  // width when it comes and goes.
  const CScrollBarUI* bar = verticalScrollBar_.get();
  if (owner_ != nullptr && owner_->IsFixedScrollBar() && bar != nullptr && !bar->IsVisible())
    area.right = std::max(area.left, SaturatedSub(area.right, bar->GetFixedWidth()));
  return area;
}

Size CListBodyUI::LayoutChildren(const Rect& area) {
  Size needed = CVerticalLayoutUI::LayoutChildren(area);
  CListHeaderUI* header = owner_ != nullptr ? owner_->GetHeader() : nullptr;
  if (header == nullptr || header->GetCount() == 0) return needed;

  // Rows span every column even where the body is narrower.
  const Size available{std::max(SaturatedSub(area.right, area.left), 0),
                       std::max(SaturatedSub(area.bottom, area.top), 0)};
  const int columnsWidth = header->EstimateSize(available).cx;
  for (const ControlPtr& row : items_) {
    if (!row->IsVisible() || row->IsFloat()) continue;
    Rect r = row->GetPos();
    if (r.Width() >= columnsWidth) continue;
    r.right = SaturatedAdd(r.left, columnsWidth);
    row->SetPos(r, false);
  }
  needed.cx = std::max(needed.cx, columnsWidth);
  PlaceHeaderForScroll(area);
  return needed;
}

void CListBodyUI::PlaceHeaderForScroll(const Rect& area) {
  const CScrollBarUI* bar = horizontalScrollBar_.get();
  if (bar == nullptr || !bar->IsVisible()) return;
  CListHeaderUI* header = owner_->GetHeader();
  Rect r = header->GetPos();
  const int left = SaturateToInt(static_cast<int64_t>(area.left) - bar->GetScrollPos());
  if (r.left == left) return;
  r.left = left;
  header->SetPos(r, false);
}

void CListBodyUI::SetScrollPos(Size pos, bool notify) {
  const Size old = GetScrollPos();
  CVerticalLayoutUI::SetScrollPos(pos, notify);
  const int dx = SaturatedSub(GetScrollPos().cx, old.cx);
  if (dx == 0) return;
  ShiftHeader(dx);
  // The rows moved before the header did; they take its columns again.
  for (const ControlPtr& row : items_)
    if (row->IsVisible() && !row->IsFloat()) row->SetPos(row->GetPos(), false);
}

void CListBodyUI::ShiftHeader(int dx) {
  CListHeaderUI* header = owner_ != nullptr ? owner_->GetHeader() : nullptr;
  if (header == nullptr) return;
  ScopedHeaderItemsShown shown(*header);
  ListItemInfo* info = owner_->GetItemInfo();
  for (int i = 0; i < header->GetCount(); ++i) {
    CControlUI* item = header->GetItemAt(i);
    if (!item->IsVisible() || item->IsFloat()) continue;
    const Rect r = item->GetPos();
    item->SetPos({SaturatedSub(r.left, dx), r.top, SaturatedSub(r.right, dx), r.bottom}, !shown.hidden());
    if (i < kMaxListColumns) info->columnRects[i] = item->GetPos();
  }
}

}  // namespace zui
