// Painting a container and its children, and finding controls among them.

#include "ui/layout/container.h"
#include "ui/layout/scroll_bar.h"
#include "ui/render/skin_renderer.h"

namespace zui {

bool CContainerUI::DoPaint(Canvas& canvas, const Rect& paint, CControlUI* stop) {
  const Rect own = paint.Intersect(itemRect_);
  if (own.IsEmpty()) return true;
  ClipRecord ownClip;
  CSkinRenderer::ClipToRect(canvas, own, ownClip);
  if (!CControlUI::DoPaint(canvas, paint, stop)) return false;
  if (!PaintChildren(canvas, paint, stop)) return false;

  // The bars lie over the children's edge and are painted after them.
  for (CScrollBarUI* bar : {verticalScrollBar_.get(), horizontalScrollBar_.get()}) {
    if (bar == nullptr) continue;
    if (bar == stop) return false;
    if (!bar->IsVisible() || !paint.Intersects(bar->GetPos())) continue;
    if (!bar->Paint(canvas, paint, stop)) return false;
  }
  return true;
}

bool CContainerUI::PaintChildren(Canvas& canvas, const Rect& paint, CControlUI* stop) {
  if (items_.empty()) return true;
  const Rect area = GetChildrenArea();
  const Rect childPaint = paint.Intersect(area);
  ClipRecord childClip;
  const bool paintsArea = !childPaint.IsEmpty();
  if (paintsArea) CSkinRenderer::ClipToRect(canvas, childPaint, childClip);

  // By index, and checked each time: a child's painting may change the list.
  for (size_t i = 0; i < items_.size(); ++i) {
    CControlUI* child = items_[i].get();
    if (child == stop) return false;
    if (!child->IsVisible() || !paint.Intersects(child->GetPos())) continue;
    if (child->IsFloat()) {
      if (!itemRect_.Intersects(child->GetPos())) continue;
      // Floating children may stand outside the inset: they get the
      // container's own clip.
      if (paintsArea) childClip.UseOldRegion();
      const bool goOn = child->Paint(canvas, paint, stop);
      if (paintsArea) childClip.UseNewRegion();
      if (!goOn) return false;
    } else {
      if (!paintsArea || !area.Intersects(child->GetPos())) continue;
      if (!child->Paint(canvas, paint, stop)) return false;
    }
  }
  return true;
}

CControlUI* CContainerUI::FindControl(const ControlVisitor& visit, uint32_t flags, Point point) {
  const bool hitTest = (flags & kFindHitTest) != 0;
  if ((flags & kFindVisible) != 0 && !IsVisible()) return nullptr;
  if ((flags & kFindEnabled) != 0 && !IsEnabled()) return nullptr;
  if (hitTest && !itemRect_.Contains(point)) return nullptr;
  if ((flags & kFindUpdateTest) != 0 && visit(this) != nullptr) return nullptr;

  const bool mayBeSelf = !hitTest || IsMouseEnabled();
  if ((flags & kFindMeFirst) != 0 && mayBeSelf) {
    if (CControlUI* self = visit(this)) return self;
  }
  if (mayBeSelf) {
    for (CScrollBarUI* bar : {verticalScrollBar_.get(), horizontalScrollBar_.get()}) {
      if (bar == nullptr) continue;
      if (CControlUI* found = bar->FindControl(visit, flags, point)) return found;
    }
  }

  if (!(hitTest && !IsMouseChildEnabled())) {
    const Rect area = GetChildrenArea();
    const int count = static_cast<int>(items_.size());
    const bool topFirst = (flags & kFindTopFirst) != 0;
    for (int n = 0; n < count && n < static_cast<int>(items_.size()); ++n) {
      CControlUI* child = items_[static_cast<size_t>(topFirst ? static_cast<int>(items_.size()) - 1 - n : n)].get();
      CControlUI* found = child->FindControl(visit, flags, point);
      if (found == nullptr) continue;
      if (!hitTest || found->IsFloat() || area.Contains(point)) return found;
    }
  }

  if ((flags & kFindMeFirst) != 0 || !mayBeSelf) return nullptr;
  return visit(this);
}

CControlUI* CContainerUI::FindSubControl(std::wstring_view name) {
  auto byName = [name](CControlUI* control) { return control->GetName() == name ? control : nullptr; };
  for (const ControlPtr& child : items_) {
    if (CControlUI* found = child->FindControl(byName, kFindMeFirst)) return found;
  }
  return nullptr;
}

}  // namespace zui
