// Children side by side, left to right: the vertical layout's passes with
// the axes exchanged. Heights come from the child's limits, not from its
// estimate, so a child without a fixed height fills the row.

#include "ui/layout/horizontal_layout.h"

#include "ui/base/wide_text.h"
#include "ui/layout/linear_layout_math.h"

namespace zui {

using linear::Clamp;
using linear::FixedOrMax;

std::wstring_view CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayoutUI"; }

bool CHorizontalLayoutUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"HorizontalLayout") || CContainerUI::HasInterface(name);
}

Size CHorizontalLayoutUI::LayoutChildren(const Rect& rc) {
  const int64_t availW = int64_t{rc.Width()} + linear::RangeOf(horizontalScrollBar_);
  const int64_t availH = int64_t{rc.Height()} + linear::RangeOf(verticalScrollBar_);
  const int64_t childPadding = GetChildPadding();

  // Measuring pass.
  int64_t fixedSum = 0;
  int64_t neededH = 0;
  int stretchable = 0;
  int measured = 0;
  for (CControlUI* child : items_) {
    if (!child->IsVisible() || child->IsFloat()) continue;
    const Rect pad = child->GetPadding();
    const int64_t maxW = FixedOrMax(child->GetFixedWidth(), child->GetMaxWidth());
    const int64_t maxH = FixedOrMax(child->GetFixedHeight(), child->GetMaxHeight());
    const Size est =
        child->EstimateSize(linear::Request(std::min(availW, maxW), std::min(availH - pad.top - pad.bottom, maxH)));
    int64_t w = est.cx;
    if (w == 0) ++stretchable;
    else w = Clamp(w, child->GetMinWidth(), child->GetMaxWidth());
    fixedSum += w + pad.left + pad.right;
    const int64_t h = Clamp(std::max<int64_t>(est.cy, 0), child->GetMinHeight(), child->GetMaxHeight());
    neededH = std::max(neededH, h + pad.top + pad.bottom);
    ++measured;
  }
  if (measured > 1) fixedSum += (measured - 1) * childPadding;
  const int64_t share = stretchable > 0 ? std::max<int64_t>((availW - fixedSum) / stretchable, 0) : 0;

  int64_t x = rc.left;
  if (linear::Shown(horizontalScrollBar_)) {
    x -= horizontalScrollBar_->GetScrollPos();
  } else if (stretchable == 0) {
    if (GetChildAlign() == kAlignCenter) x += (availW - fixedSum) / 2;
    else if (GetChildAlign() == kAlignRight) x += availW - fixedSum;
  }

  // Placing pass.
  const int64_t vRange = linear::RangeOf(verticalScrollBar_);
  const int64_t vPos = linear::PosOf(verticalScrollBar_);
  int64_t remainingW = availW;
  int64_t remainingFixed = fixedSum;
  int64_t neededW = 0;
  int stretched = 0;
  int placed = 0;
  for (CControlUI* child : items_) {
    if (!child->IsVisible() || child->IsFloat()) continue;
    const Rect pad = child->GetPadding();
    const int64_t maxW = FixedOrMax(child->GetFixedWidth(), child->GetMaxWidth());
    const int64_t maxH = FixedOrMax(child->GetFixedHeight(), child->GetMaxHeight());
    const int64_t roomH = availH - pad.top - pad.bottom;
    remainingW -= pad.left;
    const Size est = child->EstimateSize(linear::Request(std::min(remainingW, maxW), std::min(roomH, maxH)));
    remainingFixed -= pad.left + pad.right;
    if (placed > 0) remainingFixed -= childPadding;
    int64_t w = est.cx;
    if (w != 0) {
      w = Clamp(w, child->GetMinWidth(), child->GetMaxWidth());
      remainingFixed -= w;
    } else {
      ++stretched;
      w = stretched == stretchable ? std::max<int64_t>(remainingW - remainingFixed - pad.right, 0) : share;
      w = Clamp(w, child->GetMinWidth(), child->GetMaxWidth());
    }
    int64_t h = child->GetMaxHeight();
    if (h == 0) h = roomH;
    h = std::max<int64_t>(h, 0);
    h = std::min(h, std::min(maxH, roomH));
    h = std::max<int64_t>(h, child->GetMinHeight());

    int64_t top;
    if (GetChildVAlign() == kAlignVCenter) {
      const int64_t centre = (int64_t{rc.top} + rc.bottom) / 2 + vRange / 2 - vPos;
      top = centre - h / 2;
    } else if (GetChildVAlign() == kAlignBottom) {
      top = int64_t{rc.bottom} + vRange - vPos - pad.bottom - h;
    } else {
      top = int64_t{rc.top} - vPos + pad.top;
    }
    const int64_t left = x + pad.left;
    child->SetPos(linear::ToRect(left, top, left + w, top + h), false);

    x += w + pad.left + pad.right + childPadding;
    remainingW -= w + pad.right + childPadding;
    neededW += w + pad.left + pad.right;
    ++placed;
  }
  if (measured > 1) neededW += (measured - 1) * childPadding;
  return linear::Request(neededW, neededH);
}

}  // namespace zui
