#pragma once
// CListTextElementUI: a row with one text per column of its list's header,
// each drawn inside its column. The texts come from the list's text
// callback when it has one, else from the row's own column texts.

#include <string>
#include <vector>

#include "ui/list/list_label_element.h"

namespace zui {

class CListTextElementUI : public CListLabelElementUI {
 public:
  std::wstring_view GetClass() const override;               // "ListTextElementUI"
  bool HasInterface(std::wstring_view name) const override;  // "ListTextElement", then the label row's

  void SetOwner(CControlUI* control) override;
  // The row's own text of a column; empty for a column it has none for.
  std::wstring GetColumnText(int column) const;
  void SetColumnText(int column, std::wstring_view text);

  void PaintItemText(Canvas& canvas, const Rect& rect) override;

 private:
  std::wstring CellText(int column);

  IListUI* list_ = nullptr;
  std::vector<std::wstring> columnTexts_;
};

}  // namespace zui
