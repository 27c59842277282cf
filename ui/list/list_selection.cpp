// The list's selection: its rows' selected flags and its own selected
// indices with the current selection, changed together.

#include <algorithm>

#include "ui/base/messages.h"
#include "ui/host/host.h"
#include "ui/list/list.h"
#include "ui/list/list_body.h"

namespace zui {

bool CListUI::IsSelectableRow(int index) const {
  const CControlUI* control = body_->GetItemAt(index);
  return control != nullptr && control->IsVisible() && control->IsEnabled() && RowAt(index) != nullptr;
}

int CListUI::FindSelectableRow(int index, bool forward) const {
  const int count = GetCount();
  if (count == 0) return -1;
  index = std::clamp(index, 0, count - 1);
  if (forward) {
    for (int i = index; i < count; ++i)
      if (IsSelectableRow(i)) return i;
  } else {
    for (int i = index; i >= 0; --i)
      if (IsSelectableRow(i)) return i;
  }
  return -1;
}

bool CListUI::IsSelectedIndex(int index) const {
  return std::find(selected_.begin(), selected_.end(), index) != selected_.end();
}

void CListUI::ForgetSelectedIndex(int index) {
  selected_.erase(std::remove(selected_.begin(), selected_.end(), index), selected_.end());
}

int CListUI::GetCurrentSelection() const { return selected_.empty() ? -1 : selected_.front(); }

int CListUI::GetNextSelected(int index) const {
  if (selected_.empty()) return -1;
  if (index < 0) return selected_.front();
  const auto it = std::find(selected_.begin(), selected_.end(), index);
  if (it == selected_.end() || it + 1 == selected_.end()) return -1;
  return *(it + 1);
}

// The row is marked here rather than through its SetSelected, which would
// call back into this list for the same row.
bool CListUI::SelectRow(int index, bool takeFocus) {
  shiftAnchor_ = -1;
  UnselectRow(index, true);
  if (index < 0) return false;
  if (IsSelectedIndex(index)) return true;
  CControlUI* control = body_->GetItemAt(index);
  IListItemUI* item = dynamic_cast<IListItemUI*>(control);
  if (item == nullptr || !control->IsEnabled() || !item->MarkSelected(true)) return false;

  const int old = currentSelection_;
  currentSelection_ = index;
  selected_.push_back(index);
  ScrollRowIntoView(index);
  if (takeFocus) control->SetFocus();
  if (currentSelection_ != old) SendNotify(L"itemselect", static_cast<WPARAM_T>(index), 0);
  return true;
}

bool CListUI::AddToSelection(int index, bool takeFocus) {
  if (!multiSelect_) return SelectRow(index, takeFocus);
  if (index < 0) {
    UnselectAllRows();
    return false;
  }
  if (shiftAnchor_ == -1) shiftAnchor_ = currentSelection_ != -1 ? currentSelection_ : index;
  CControlUI* control = body_->GetItemAt(index);
  IListItemUI* item = dynamic_cast<IListItemUI*>(control);
  if (item == nullptr || !control->IsEnabled()) return false;

  const bool ctrl = Host().GetKeyState(VK_CONTROL) < 0;
  const bool shift = !ctrl && Host().GetKeyState(VK_SHIFT) < 0;
  if (ctrl && IsSelectedIndex(index)) {
    item->MarkSelected(false);
    ForgetSelectedIndex(index);
    if (currentSelection_ == index) currentSelection_ = -1;
    return true;
  }
  if (shift) {
    UnselectAllRows();
    const auto [low, high] = std::minmax(shiftAnchor_, index);
    for (int i = low; i <= high; ++i) {
      if (!IsSelectableRow(i) || !RowAt(i)->MarkSelected(true)) continue;
      selected_.push_back(i);
    }
  } else if (!IsSelectedIndex(index)) {
    if (!item->MarkSelected(true)) return false;
    selected_.push_back(index);
  }

  currentSelection_ = index;
  ScrollRowIntoView(index);
  if (takeFocus) control->SetFocus();
  SendNotify(L"itemselect", static_cast<WPARAM_T>(index), shift ? static_cast<LPARAM_T>(shiftAnchor_) : 0);
  return true;
}

bool CListUI::UnselectRow(int index, bool others) {
  if (others) {
    const std::vector<int> selected = selected_;
    for (int i : selected) {
      if (i == index) continue;
      if (IListItemUI* item = RowAt(i)) item->MarkSelected(false);
      if (currentSelection_ == i) currentSelection_ = -1;
      ForgetSelectedIndex(i);
    }
    // The row that stays selected is the current one now.
    if (currentSelection_ == -1 && IsSelectedIndex(index)) currentSelection_ = index;
    return true;
  }
  IListItemUI* item = RowAt(index);
  if (item == nullptr) return false;
  item->MarkSelected(false);
  if (currentSelection_ == index) currentSelection_ = -1;
  ForgetSelectedIndex(index);
  return true;
}

bool CListUI::SelectAllRows() {
  UnselectAllRows();
  for (int i = 0; i < GetCount(); ++i) {
    if (!IsSelectableRow(i) || !RowAt(i)->MarkSelected(true)) continue;
    selected_.push_back(i);
    currentSelection_ = i;
  }
  return true;
}

void CListUI::UnselectAllRows() {
  const std::vector<int> selected = selected_;
  for (int i : selected)
    if (IListItemUI* item = RowAt(i)) item->MarkSelected(false);
  selected_.clear();
  currentSelection_ = -1;
}

void CListUI::SetMultiSelection(bool on) {
  if (multiSelect_ == on) return;
  multiSelect_ = on;
  if (!on) UnselectAllRows();
}

bool CListUI::ExpandRow(int index, bool expand) {
  if (expandedRow_ >= 0 && !info_.multiExpandable) {
    if (IListItemUI* item = RowAt(expandedRow_)) item->SetExpanded(false);
    expandedRow_ = -1;
  }
  if (expand) {
    CControlUI* control = body_->GetItemAt(index);
    IListItemUI* item = dynamic_cast<IListItemUI*>(control);
    if (item == nullptr || !control->IsVisible()) return false;
    expandedRow_ = index;
    if (!item->SetExpanded(true)) {
      expandedRow_ = -1;
      return false;
    }
  }
  NeedUpdate();
  return true;
}

}  // namespace zui
