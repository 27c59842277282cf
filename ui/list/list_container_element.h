#pragma once
// CListContainerElementUI: a row that is a horizontal layout of any
// controls. Its children are moved into the columns of its list's header,
// it paints the list's item background under them, and it selects, hovers
// and activates like every row.

#include "ui/layout/horizontal_layout.h"
#include "ui/list/list_row.h"

namespace zui {

class CListContainerElementUI : public CListRowUI<CHorizontalLayoutUI> {
 public:
  std::wstring_view GetClass() const override;               // "ListContainerElementUI"
  bool HasInterface(std::wstring_view name) const override;  // "ListItem", "ListContainerElement"
  uint32_t GetControlFlags() const override;

  // A plain press on a selected row deselects it while this is on.
  bool IsClickTogglesSelection() const { return clickToggles_; }
  void SetClickTogglesSelection(bool on) { clickToggles_ = on; }

  void SetPos(Rect rc, bool needInvalidate = true) override;
  void DoEvent(InputEvent& event) override;
  bool DoPaint(Canvas& canvas, const Rect& paint, CControlUI* stop) override;
  void PaintItemText(Canvas& canvas, const Rect& rect) override {}

 private:
  // Child i takes the horizontal extent of header item i.
  void AlignChildrenToColumns();

  bool clickToggles_ = false;
};

}  // namespace zui
