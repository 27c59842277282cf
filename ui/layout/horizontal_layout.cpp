// Children side by side, left to right: the linear flow with widths along
// the main axis and heights across it.

#include "ui/layout/horizontal_layout.h"

#include "ui/base/wide_text.h"
#include "ui/layout/linear_layout_flow.h"

namespace zui {

std::wstring_view CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayoutUI"; }

bool CHorizontalLayoutUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"HorizontalLayout") || CContainerUI::HasInterface(name);
}

Size CHorizontalLayoutUI::LayoutChildren(const Rect& rc) {
  // Where the row differs from a column with its axes exchanged: the row's
  // start follows the child alignment, each child's height follows its
  // maximum-height rule rather than its estimate (so a child without a fixed
  // height fills the row), and the vertical alignment places it in the row.
  const linear::Flow flow{
      .main = linear::kWidthAxis,
      .cross = linear::kHeightAxis,
      .mainBar = horizontalScrollBar_.get(),
      .crossBar = verticalScrollBar_.get(),
      .start = linear::PlaceOf(GetChildAlign(), kAlignCenter, kAlignRight),
      .across = linear::PlaceOf(GetChildVAlign(), kAlignVCenter, kAlignBottom),
      .crossSize = linear::CrossSize::kMaximum,
  };
  return linear::LayOut(flow, items_, rc, GetChildPadding());
}

}  // namespace zui
