#pragma once
// A control that shows one of its pages at a time (the tab layout). A button
// bound to one by name selects its pages by index without knowing its class.

namespace zui {

class IPageSelectorUI {
 public:
  virtual ~IPageSelectorUI() = default;
  // False for an index outside the pages.
  virtual bool SelectItem(int index) = 0;
};

}  // namespace zui
