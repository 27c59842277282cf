#include "ui/list/list_text_style.h"
#include "ui/list/list_text_element.h"

#include <algorithm>

#include "ui/base/wide_text.h"
#include "ui/controls/control_manager.h"
#include "ui/render/skin_renderer.h"

namespace zui {

std::wstring_view CListTextElementUI::GetClass() const { return L"ListTextElementUI"; }

bool CListTextElementUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"ListTextElement") || CListLabelElementUI::HasInterface(name);
}

void CListTextElementUI::SetOwner(CControlUI* control) {
  CListLabelElementUI::SetOwner(control);
  list_ = dynamic_cast<IListUI*>(control);
}

std::wstring CListTextElementUI::GetColumnText(int column) const {
  if (column < 0 || column >= static_cast<int>(columnTexts_.size())) return {};
  return columnTexts_[static_cast<size_t>(column)];
}

void CListTextElementUI::SetColumnText(int column, std::wstring_view text) {
  if (column < 0 || column >= kMaxListColumns) return;
  if (column >= static_cast<int>(columnTexts_.size())) columnTexts_.resize(static_cast<size_t>(column) + 1);
  std::wstring& slot = columnTexts_[static_cast<size_t>(column)];
  if (slot == text) return;
  slot = text;
  Invalidate();
}

std::wstring CListTextElementUI::CellText(int column) {
  IListCallbackUI* callback = list_ != nullptr ? list_->GetTextCallback() : nullptr;
  if (callback != nullptr) return callback->GetItemText(this, index_, column);
  return GetColumnText(column);
}

void CListTextElementUI::PaintItemText(Canvas& canvas, const Rect& rect) {
  if (owner_ == nullptr) return;
  const ListItemInfo* info = owner_->GetItemInfo();
  if (info == nullptr) return;
  const uint32_t colour = ItemTextColor(*info);
  const int columns = std::clamp(info->columns, 0, kMaxListColumns);
  for (int i = 0; i < columns; ++i) {
    const std::wstring text = CellText(i);
    if (text.empty()) continue;
    const Rect& column = info->columnRects[i];
    const Rect cell = ShrinkByPadding({column.left, rect.top, column.right, rect.bottom}, info->textPadding);
    PaintListText(canvas, manager_, cell, text, colour, info->font, info->textStyle, info->showHtml);
  }
}

}  // namespace zui
