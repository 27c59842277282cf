// Where a plain container puts its children, and where any container puts
// its floating children.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "ui/base/saturate.h"
#include "ui/layout/container.h"
#include "ui/layout/scroll_bar.h"

namespace zui {
namespace {

// trunc(extent * fraction), kept inside the int range whatever the skin wrote.
long long Fraction(long long extent, double fraction) {
  const double v = std::trunc(static_cast<double>(extent) * fraction);
  if (!(v == v)) return 0;
  if (v > static_cast<double>(INT32_MAX)) return INT32_MAX;
  if (v < static_cast<double>(INT32_MIN)) return INT32_MIN;
  return static_cast<long long>(v);
}

int ClampToLimits(int value, int minimum, int maximum) {
  if (value < minimum) value = minimum;
  if (value > maximum) value = maximum;
  return value;
}

}  // namespace

Rect CContainerUI::GetChildrenArea() const {
  const Rect inset = GetInset();
  Rect area{SaturatedAdd(itemRect_.left, inset.left), SaturatedAdd(itemRect_.top, inset.top),
            SaturatedSub(itemRect_.right, inset.right), SaturatedSub(itemRect_.bottom, inset.bottom)};
  if (IsBarShown(verticalScrollBar_.get())) area.right = SaturatedSub(area.right, verticalScrollBar_->GetFixedWidth());
  if (IsBarShown(horizontalScrollBar_.get()))
    area.bottom = SaturatedSub(area.bottom, horizontalScrollBar_->GetFixedHeight());
  return area;
}

void CContainerUI::SetPos(Rect rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  const Rect area = GetChildrenArea();
  if (items_.empty()) {
    ProcessScrollBar(area, {0, 0});
    return;
  }
  const Size needed = LayoutChildren(area);
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) SetFloatPos(i);
  ProcessScrollBar(area, needed);
}

Size CContainerUI::LayoutChildren(const Rect& area) {
  const int width = std::max(SaturatedSub(area.right, area.left), 0);
  const int height = std::max(SaturatedSub(area.bottom, area.top), 0);
  for (const ControlPtr& child : items_) {
    if (!child->IsVisible() || child->IsFloat()) continue;
    const int w = ClampToLimits(width, child->GetMinWidth(), child->GetMaxWidth());
    const int h = ClampToLimits(height, child->GetMinHeight(), child->GetMaxHeight());
    child->SetPos({area.left, area.top, SaturatedAdd(area.left, w), SaturatedAdd(area.top, h)}, false);
  }
  return {0, 0};
}

void CContainerUI::Move(Size offset, bool needInvalidate) {
  // The children follow when the parent's layout places this container again.
  CControlUI::Move(offset, needInvalidate);
}

void CContainerUI::SetFloatPos(int index) {
  CControlUI* child = CContainerUI::GetItemAt(index);
  if (child == nullptr || !child->IsVisible() || !child->IsFloat()) return;

  const Rect& p = itemRect_;
  const Point xy = child->GetFixedXY();
  const long long w = child->GetFixedWidth();
  const long long h = child->GetFixedHeight();
  const long long pw = static_cast<long long>(p.right) - p.left;
  const long long ph = static_cast<long long>(p.bottom) - p.top;
  const uint32_t align = child->GetFloatAlign();
  long long left, top, right, bottom;
  if (align != 0) {
    if (align & kFloatAlignCenter) left = p.left + (pw - w) / 2;
    else if (align & kFloatAlignRight) left = p.left + pw - w;
    else left = static_cast<long long>(p.left) + xy.x;
    if (align & kFloatAlignVCenter) top = p.top + (ph - h) / 2;
    else if (align & kFloatAlignBottom) top = p.top + ph - h;
    else top = static_cast<long long>(p.top) + xy.y;
    right = left + w;
    bottom = top + h;
  } else {
    const FloatPercent f = child->GetFloatPercent();
    left = p.left + Fraction(pw, f.left) + xy.x;
    top = p.top + Fraction(ph, f.top) + xy.y;
    right = p.left + Fraction(pw, f.right) + w + xy.x;
    bottom = p.top + Fraction(ph, f.bottom) + h + xy.y;
  }
  child->SetPos({SaturateToInt(left), SaturateToInt(top), SaturateToInt(right), SaturateToInt(bottom)}, false);
}

}  // namespace zui
