// Where the list puts its header, body and columns, and the scrolling it
// hands to its body.

#include <algorithm>

#include "ui/base/saturate.h"
#include "ui/layout/scroll_bar.h"
#include "ui/list/list.h"
#include "ui/list/list_body.h"
#include "ui/list/list_header.h"

namespace zui {

void CListUI::SetPos(Rect rc, bool needInvalidate) {
  CVerticalLayoutUI::SetPos(rc, needInvalidate);
  if (header_ == nullptr) return;
  UpdateColumnCount();
  {
    ScopedHeaderItemsShown shown(*header_);
    if (shown.hidden()) header_->SetPos({itemRect_.left, itemRect_.top, itemRect_.right, itemRect_.top}, false);
    CopyColumnRects();
  }
  // Rows align to the columns, which may only now have their places.
  body_->SetPos(body_->GetPos(), needInvalidate);
}

void CListUI::ScrollRowIntoView(int index) {
  const CControlUI* row = body_->GetItemAt(index);
  if (row == nullptr) return;
  const Rect r = row->GetPos();
  const Rect inset = body_->GetInset();
  const Rect& body = body_->GetPos();
  const int top = SaturatedAdd(body.top, inset.top);
  int bottom = SaturatedSub(body.bottom, inset.bottom);
  const CScrollBarUI* bar = body_->GetHorizontalScrollBar();
  if (bar != nullptr && bar->IsVisible()) bottom = SaturatedSub(bottom, bar->GetFixedHeight());
  if (r.top >= top && r.bottom < bottom) return;

  const int dy = r.top < top ? SaturatedSub(r.top, top) : SaturatedSub(r.bottom, bottom);
  Size pos = body_->GetScrollPos();
  pos.cy = SaturatedAdd(pos.cy, dy);
  body_->SetScrollPos(pos);
}

void CListUI::SetFixedScrollBar(bool on) {
  if (fixedScrollBar_ == on) return;
  fixedScrollBar_ = on;
  NeedUpdate();
}

Size CListUI::GetScrollPos() const { return body_->GetScrollPos(); }
Size CListUI::GetScrollRange() const { return body_->GetScrollRange(); }
void CListUI::SetScrollPos(Size pos, bool notify) { body_->SetScrollPos(pos, notify); }
void CListUI::LineUp() { body_->LineUp(); }
void CListUI::LineDown() { body_->LineDown(); }
void CListUI::PageUp() { body_->PageUp(); }
void CListUI::PageDown() { body_->PageDown(); }
void CListUI::HomeUp() { body_->HomeUp(); }
void CListUI::EndDown() { body_->EndDown(); }
void CListUI::LineLeft() { body_->LineLeft(); }
void CListUI::LineRight() { body_->LineRight(); }
void CListUI::PageLeft() { body_->PageLeft(); }
void CListUI::PageRight() { body_->PageRight(); }
void CListUI::HomeLeft() { body_->HomeLeft(); }
void CListUI::EndRight() { body_->EndRight(); }
void CListUI::EnableScrollBar(bool vertical, bool horizontal) { body_->EnableScrollBar(vertical, horizontal); }
CScrollBarUI* CListUI::GetVerticalScrollBar() const { return body_->GetVerticalScrollBar(); }
CScrollBarUI* CListUI::GetHorizontalScrollBar() const { return body_->GetHorizontalScrollBar(); }

}  // namespace zui
