#pragma once
// CTabLayoutUI: one visible page at a time; the others are hidden. Selecting
// a page sends "tabselect" with the new and the old index.

#include "ui/controls/page_selector.h"
#include "ui/layout/container.h"

namespace zui {

class CTabLayoutUI : public CContainerUI, public IPageSelectorUI {
 public:
  std::wstring_view GetClass() const override;               // "TabLayoutUI"
  bool HasInterface(std::wstring_view name) const override;  // "TabLayout", then the container's

  using IContainerUI::Add;
  using IContainerUI::AddAt;
  bool Add(ControlPtr&& control) override;
  bool AddAt(ControlPtr&& control, int index) override;
  ControlPtr DetachAt(int index) override;
  void RemoveAll() override;

  int GetCurSel() const { return current_; }
  bool SelectItem(int index) override;
  bool SelectItem(CControlUI* page);

  void SetAttribute(std::wstring_view name, std::wstring_view value) override;  // "selectedid"

 protected:
  Size LayoutChildren(const Rect& area) override;

 private:
  int current_ = -1;
};

}  // namespace zui
