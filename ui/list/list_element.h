#pragma once
// CListElementUI: a row that is a plain control. It is activated by a double
// click or Return and hands every other event to its list. The text rows
// build on it.

#include "ui/list/list_row.h"

namespace zui {

class CListElementUI : public CListRowUI<CControlUI> {
 public:
  std::wstring_view GetClass() const override;               // "ListElementUI"
  bool HasInterface(std::wstring_view name) const override;  // "ListItem", "ListElement"
  uint32_t GetControlFlags() const override;

  void DoEvent(InputEvent& event) override;
  // Text rows draw their text here; a plain row draws none.
  void PaintItemText(Canvas& canvas, const Rect& rect) override {}

 protected:
  // Double click and Return: true when the event was one of them.
  bool HandleActivation(const InputEvent& event);
};

}  // namespace zui
