// The list's tree: its header and body, and where added and removed
// controls go, with the rows renumbered and the selection kept in step.

#include "ui/list/list.h"

#include <algorithm>

#include "ui/base/wide_text.h"
#include "ui/list/list_body.h"
#include "ui/list/list_header.h"
#include "ui/list/list_header_item.h"

namespace zui {

CListUI::CListUI() : body_(new CListBodyUI(this)), header_(new CListHeaderUI) {
  AddOwnChild(header_, 0);
  AddOwnChild(body_, 1);
}

// The header and the body go with the other children in the container's
// destructor; nothing of theirs calls back into the list on the way.
CListUI::~CListUI() = default;

std::wstring_view CListUI::GetClass() const { return L"ListUI"; }

bool CListUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"List") || name == L"IList" || name == L"IListOwner" ||
         CVerticalLayoutUI::HasInterface(name);
}

// ---- own children -------------------------------------------------------------

bool CListUI::AddOwnChild(CControlUI* control, int index) { return CVerticalLayoutUI::AddAt(control, index); }

bool CListUI::RemoveOwnChild(CControlUI* control, bool doNotDestroy) {
  const int index = CVerticalLayoutUI::GetItemIndex(control);
  return index >= 0 && CVerticalLayoutUI::RemoveAt(index, doNotDestroy);
}

// ---- rows through the container interface -----------------------------------

CControlUI* CListUI::GetItemAt(int index) const { return body_->GetItemAt(index); }

int CListUI::GetItemIndex(CControlUI* control) const { return body_->GetItemIndex(control); }

int CListUI::GetCount() const { return body_->GetCount(); }

IListItemUI* CListUI::RowAt(int index) const { return dynamic_cast<IListItemUI*>(body_->GetItemAt(index)); }

void CListUI::RenumberRows(int from) {
  for (int i = std::max(from, 0); i < GetCount(); ++i)
    if (IListItemUI* item = RowAt(i)) item->SetIndex(i);
}

void CListUI::ShiftIndices(int from, int by) {
  auto shift = [from, by](int& index) {
    if (index >= from) index += by;
  };
  for (int& index : selected_) shift(index);
  shift(currentSelection_);
  shift(shiftAnchor_);
  shift(expandedRow_);
}

bool CListUI::Add(CControlUI* control) {
  if (control == nullptr) return false;
  if (auto* header = dynamic_cast<CListHeaderUI*>(control)) return AddHeader(header);
  if (dynamic_cast<CListHeaderItemUI*>(control) != nullptr) {
    const bool added = EnsureHeader()->Add(control);
    UpdateColumnCount();
    return added;
  }
  if (auto* item = dynamic_cast<IListItemUI*>(control)) return AddRowAt(control, item, GetCount());
  return AddOwnChild(control, OwnChildCount());
}

bool CListUI::AddAt(CControlUI* control, int index) {
  if (control == nullptr) return false;
  if (auto* header = dynamic_cast<CListHeaderUI*>(control)) return AddHeader(header);
  if (dynamic_cast<CListHeaderItemUI*>(control) != nullptr) {
    const bool added = EnsureHeader()->AddAt(control, index);
    UpdateColumnCount();
    return added;
  }
  if (auto* item = dynamic_cast<IListItemUI*>(control)) return AddRowAt(control, item, index);
  return AddOwnChild(control, index);
}

CListHeaderUI* CListUI::EnsureHeader() {
  if (header_ == nullptr) {
    header_ = new CListHeaderUI;
    AddOwnChild(header_, 0);
  }
  return header_;
}

// A skin's own header replaces the one the list made for itself, as long as
// that one is still empty.
bool CListUI::AddHeader(CListHeaderUI* header) {
  if (header != header_ && (header_ == nullptr || header_->GetCount() == 0)) {
    if (header_ != nullptr) RemoveOwnChild(header_, false);
    header_ = header;
  }
  UpdateColumnCount();
  return AddOwnChild(header, 0);
}

bool CListUI::AddRowAt(CControlUI* control, IListItemUI* item, int index) {
  if (!body_->AddAt(control, index)) return false;
  item->SetOwner(this);
  item->SetIndex(index);
  RenumberRows(index + 1);
  ShiftIndices(index, 1);
  AdoptSelectedRow(item, index);
  return true;
}

void CListUI::AdoptSelectedRow(IListItemUI* item, int index) {
  if (!item->IsSelected()) return;
  if (!multiSelect_) UnselectRow(index, true);
  selected_.push_back(index);
  currentSelection_ = index;
}

bool CListUI::SetItemIndex(CControlUI* control, int index) {
  const int from = body_->GetItemIndex(control);
  if (from < 0) return CVerticalLayoutUI::SetItemIndex(control, index);
  if (!body_->SetItemIndex(control, index)) return false;
  // The moved row takes `index`; the rows between close up behind it.
  auto move = [from, index](int& i) {
    if (i == from) i = index;
    else if (from < index && i > from && i <= index) --i;
    else if (from > index && i >= index && i < from) ++i;
  };
  for (int& i : selected_) move(i);
  if (currentSelection_ >= 0) move(currentSelection_);
  if (shiftAnchor_ >= 0) move(shiftAnchor_);
  if (expandedRow_ >= 0) move(expandedRow_);
  RenumberRows(0);
  return true;
}

bool CListUI::Remove(CControlUI* control, bool doNotDestroy) {
  if (control == nullptr || control == body_) return false;
  if (control == header_) {
    header_ = nullptr;
    info_.columns = 0;
    return RemoveOwnChild(control, doNotDestroy);
  }
  if (header_ != nullptr && header_->GetItemIndex(control) >= 0) {
    const bool removed = header_->Remove(control, doNotDestroy);
    UpdateColumnCount();
    return removed;
  }
  const int index = body_->GetItemIndex(control);
  if (index >= 0) return RemoveRowAt(index, doNotDestroy);
  return RemoveOwnChild(control, doNotDestroy);
}

bool CListUI::RemoveAt(int index, bool doNotDestroy) { return RemoveRowAt(index, doNotDestroy); }

bool CListUI::RemoveRowAt(int index, bool doNotDestroy) {
  CControlUI* control = body_->GetItemAt(index);
  if (control == nullptr) return false;
  if (IListItemUI* item = dynamic_cast<IListItemUI*>(control); item != nullptr && doNotDestroy) {
    // A row that lives on must not point at a list that may go before it.
    item->MarkSelected(false);
    item->SetOwner(nullptr);
    item->SetIndex(-1);
  }
  const bool wasCurrent = currentSelection_ == index;
  if (!body_->RemoveAt(index, doNotDestroy)) return false;
  RenumberRows(index);
  ForgetSelectedIndex(index);
  if (shiftAnchor_ == index) shiftAnchor_ = -1;
  if (expandedRow_ == index) expandedRow_ = -1;
  if (wasCurrent) currentSelection_ = -1;
  ShiftIndices(index + 1, -1);
  if (wasCurrent) {
    const int next = FindSelectableRow(index, false);
    if (next >= 0) SelectRow(next);
  }
  return true;
}

void CListUI::RemoveAll() {
  currentSelection_ = -1;
  shiftAnchor_ = -1;
  expandedRow_ = -1;
  selected_.clear();
  body_->RemoveAll();
}

// ---- columns ----------------------------------------------------------------

void CListUI::UpdateColumnCount() {
  info_.columns = header_ != nullptr ? std::min(header_->GetCount(), kMaxListColumns) : 0;
}

void CListUI::CopyColumnRects() {
  for (int i = 0; i < info_.columns; ++i) {
    CControlUI* item = header_->GetItemAt(i);
    if (item == nullptr || !item->IsVisible() || item->IsFloat()) continue;
    info_.columnRects[i] = item->GetPos();
  }
}

}  // namespace zui
