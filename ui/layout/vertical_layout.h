#pragma once
// CVerticalLayoutUI: children stacked top to bottom. Fixed heights are kept,
// the rest of the height is shared among the stretchable children (the last
// takes the rounding remainder); the child alignment places each child
// across the width.

#include "ui/layout/container.h"

namespace zui {

class CVerticalLayoutUI : public CContainerUI {
 public:
  std::wstring_view GetClass() const override;               // "VerticalLayoutUI"
  bool HasInterface(std::wstring_view name) const override;  // "VerticalLayout", then the container's

 protected:
  Size LayoutChildren(const Rect& area) override;
};

}  // namespace zui
