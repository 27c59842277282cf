#pragma once
// CHorizontalLayoutUI: children side by side, left to right; the vertical
// layout's rules with the axes exchanged.

#include "ui/layout/container.h"

namespace zui {

class CHorizontalLayoutUI : public CContainerUI {
 public:
  std::wstring_view GetClass() const override;               // "HorizontalLayoutUI"
  bool HasInterface(std::wstring_view name) const override;  // "HorizontalLayout", then the container's

 protected:
  Size LayoutChildren(const Rect& area) override;
};

}  // namespace zui
