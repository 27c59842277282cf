// Stacking children top to bottom: a measuring pass finds the fixed heights
// and the stretchable children, a placing pass hands out the rest.

#include "ui/layout/vertical_layout.h"

#include "ui/base/wide_text.h"
#include "ui/layout/linear_layout_math.h"

namespace zui {

using linear::Clamp;
using linear::FixedOrMax;

std::wstring_view CVerticalLayoutUI::GetClass() const { return L"VerticalLayoutUI"; }

bool CVerticalLayoutUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"VerticalLayout") || CContainerUI::HasInterface(name);
}

Size CVerticalLayoutUI::LayoutChildren(const Rect& rc) {
  // Everything in 64 bits: skin numbers and scroll ranges add up freely.
  const int64_t availW = int64_t{rc.Width()} + linear::RangeOf(horizontalScrollBar_);
  const int64_t availH = int64_t{rc.Height()} + linear::RangeOf(verticalScrollBar_);
  const int64_t childPadding = GetChildPadding();

  // Measuring pass.
  int64_t fixedSum = 0;
  int64_t neededW = 0;
  int stretchable = 0;
  int measured = 0;
  for (CControlUI* child : items_) {
    if (!child->IsVisible() || child->IsFloat()) continue;
    const Rect pad = child->GetPadding();
    const int64_t maxW = FixedOrMax(child->GetFixedWidth(), child->GetMaxWidth());
    const int64_t maxH = FixedOrMax(child->GetFixedHeight(), child->GetMaxHeight());
    const Size est =
        child->EstimateSize(linear::Request(std::min(availW - pad.left - pad.right, maxW), std::min(availH, maxH)));
    int64_t h = est.cy;
    if (h == 0) ++stretchable;
    else h = Clamp(h, child->GetMinHeight(), child->GetMaxHeight());
    fixedSum += h + pad.top + pad.bottom;
    const int64_t w = Clamp(std::max<int64_t>(est.cx, 0), child->GetMinWidth(), child->GetMaxWidth());
    neededW = std::max(neededW, w + pad.left + pad.right);
    ++measured;
  }
  if (measured > 1) fixedSum += (measured - 1) * childPadding;
  const int64_t share = stretchable > 0 ? std::max<int64_t>((availH - fixedSum) / stretchable, 0) : 0;

  int64_t y = rc.top;
  if (linear::Shown(verticalScrollBar_)) {
    y -= verticalScrollBar_->GetScrollPos();
  } else if (stretchable == 0) {
    if (GetChildVAlign() == kAlignVCenter) y += (availH - fixedSum) / 2;
    else if (GetChildVAlign() == kAlignBottom) y += availH - fixedSum;
  }

  // Placing pass.
  const int64_t hRange = linear::RangeOf(horizontalScrollBar_);
  const int64_t hPos = linear::PosOf(horizontalScrollBar_);
  int64_t remainingH = availH;
  int64_t remainingFixed = fixedSum;
  int64_t neededH = 0;
  int stretched = 0;
  int placed = 0;
  for (CControlUI* child : items_) {
    if (!child->IsVisible() || child->IsFloat()) continue;
    const Rect pad = child->GetPadding();
    const int64_t maxW = FixedOrMax(child->GetFixedWidth(), child->GetMaxWidth());
    const int64_t maxH = FixedOrMax(child->GetFixedHeight(), child->GetMaxHeight());
    const int64_t roomW = availW - pad.left - pad.right;
    remainingH -= pad.top;
    const Size est = child->EstimateSize(linear::Request(std::min(roomW, maxW), std::min(remainingH, maxH)));
    remainingFixed -= pad.top + pad.bottom;
    if (placed > 0) remainingFixed -= childPadding;
    int64_t h = est.cy;
    if (h != 0) {
      h = Clamp(h, child->GetMinHeight(), child->GetMaxHeight());
      remainingFixed -= h;
    } else {
      ++stretched;
      // The last stretchable child absorbs what the even shares left over.
      h = stretched == stretchable ? std::max<int64_t>(remainingH - remainingFixed - pad.bottom, 0) : share;
      h = Clamp(h, child->GetMinHeight(), child->GetMaxHeight());
    }
    int64_t w = est.cx > 0 ? est.cx : roomW;
    w = std::min(w, std::min(roomW, maxW));
    w = std::max<int64_t>(w, child->GetMinWidth());

    int64_t left;
    if (GetChildAlign() == kAlignCenter) {
      // Centred on the middle; the child's own side paddings play no part.
      const int64_t centre = (int64_t{rc.left} + rc.right) / 2 + hRange / 2 - hPos;
      left = centre - w / 2;
    } else if (GetChildAlign() == kAlignRight) {
      left = int64_t{rc.right} + hRange - hPos - pad.right - w;
    } else {
      left = int64_t{rc.left} - hPos + pad.left;
    }
    const int64_t top = y + pad.top;
    child->SetPos(linear::ToRect(left, top, left + w, top + h), false);

    y += h + pad.top + pad.bottom + childPadding;
    remainingH -= h + pad.bottom + childPadding;
    neededH += h + pad.top + pad.bottom;
    ++placed;
  }
  if (measured > 1) neededH += (measured - 1) * childPadding;
  return linear::Request(neededW, neededH);
}

}  // namespace zui
