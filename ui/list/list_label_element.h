#pragma once
// CListLabelElementUI: a row that shows its text with the list's item font,
// colours and padding over the list's item background, and selects on a
// press like a container row.

#include "ui/list/list_element.h"

namespace zui {

class CListLabelElementUI : public CListElementUI {
 public:
  std::wstring_view GetClass() const override;               // "ListLabelElementUI"
  bool HasInterface(std::wstring_view name) const override;  // "ListLabelElement", then the element's

  // Without a fixed height: the item font's height plus 8 and the padding.
  Size EstimateSize(Size available) override;
  void DoEvent(InputEvent& event) override;
  bool DoPaint(Canvas& canvas, const Rect& paint, CControlUI* stop) override;
  void PaintText(Canvas& canvas) override;
  void PaintItemText(Canvas& canvas, const Rect& rect) override;

 protected:
  // The text colour for the row's state.
  uint32_t ItemTextColor(const ListItemInfo& info) const;
};

}  // namespace zui
