// Stacking children top to bottom: the linear flow with heights along the
// main axis and widths across it.

#include "ui/layout/vertical_layout.h"

#include "ui/base/wide_text.h"
#include "ui/layout/linear_layout_flow.h"

namespace zui {

std::wstring_view CVerticalLayoutUI::GetClass() const { return L"VerticalLayoutUI"; }

bool CVerticalLayoutUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"VerticalLayout") || CContainerUI::HasInterface(name);
}

Size CVerticalLayoutUI::LayoutChildren(const Rect& rc) {
  const linear::Flow flow{
      .main = linear::kHeightAxis,
      .cross = linear::kWidthAxis,
      .mainBar = verticalScrollBar_.get(),
      .crossBar = horizontalScrollBar_.get(),
      .start = linear::PlaceOf(GetChildVAlign(), kAlignVCenter, kAlignBottom),
      .across = linear::PlaceOf(GetChildAlign(), kAlignCenter, kAlignRight),
      .crossSize = linear::CrossSize::kEstimate,
  };
  return linear::LayOut(flow, items_, rc, GetChildPadding());
}

}  // namespace zui
