#pragma once
// CListBodyUI: the scrolling part of a list that holds its rows. It lays
// the rows out like a vertical layout, each at least as wide as the
// header's columns, takes its scroll step from its list, and keeps the
// header in step with its horizontal scrolling.

#include "ui/layout/vertical_layout.h"

namespace zui {

class CListUI;

class CListBodyUI : public CVerticalLayoutUI {
 public:
  explicit CListBodyUI(CListUI* owner) : owner_(owner) {}

  CListUI* GetOwner() const { return owner_; }

  int GetScrollStepSize() const override;
  void SetScrollPos(Size pos, bool notify = true) override;
  Rect GetChildrenArea() const override;

 protected:
  Size LayoutChildren(const Rect& area) override;

 private:
  // The header moved to follow a horizontal scroll of `dx`.
  void ShiftHeader(int dx);
  // With a shown horizontal scroll bar the header starts left of the body
  // by the scroll position.
  void PlaceHeaderForScroll(const Rect& area);

  CListUI* owner_;
};

}  // namespace zui
