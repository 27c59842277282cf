// The list's tree: its header and body, and where added and removed
// controls go, with the rows renumbered and the selection kept in step.

#include "ui/list/list.h"

#include <algorithm>
#include <memory>

#include "ui/base/wide_text.h"
#include "ui/list/list_body.h"
#include "ui/list/list_header.h"
#include "ui/list/list_header_item.h"

namespace zui {

CListUI::CListUI() {
  auto body = std::make_unique<CListBodyUI>(this);
  body_ = body.get();
  EnsureHeader();
  AddOwnChild(std::move(body), 1);
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

// The list's own children go straight to the vertical layout, whose
// Add/Detach would otherwise come back here for rows.
bool CListUI::AddOwnChild(ControlPtr&& control, int index) {
  return CVerticalLayoutUI::AddAt(std::move(control), index);
}

ControlPtr CListUI::DetachOwnChild(CControlUI* control) {
  return CVerticalLayoutUI::DetachAt(CVerticalLayoutUI::GetItemIndex(control));
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

bool CListUI::Add(ControlPtr&& control) {
  if (control == nullptr) return false;
  if (dynamic_cast<CListHeaderUI*>(control.get()) != nullptr) return AddHeader(std::move(control));
  if (dynamic_cast<CListHeaderItemUI*>(control.get()) != nullptr)
    return AddHeaderItem(std::move(control), EnsureHeader()->GetCount());
  if (dynamic_cast<IListItemUI*>(control.get()) != nullptr) return AddRowAt(std::move(control), GetCount());
  return AddOwnChild(std::move(control), OwnChildCount());
}

bool CListUI::AddAt(ControlPtr&& control, int index) {
  if (control == nullptr) return false;
  if (dynamic_cast<CListHeaderUI*>(control.get()) != nullptr) return AddHeader(std::move(control));
  if (dynamic_cast<CListHeaderItemUI*>(control.get()) != nullptr) return AddHeaderItem(std::move(control), index);
  if (dynamic_cast<IListItemUI*>(control.get()) != nullptr) return AddRowAt(std::move(control), index);
  return AddOwnChild(std::move(control), index);
}

bool CListUI::AddHeaderItem(ControlPtr&& control, int index) {
  const bool added = EnsureHeader()->AddAt(std::move(control), index);
  UpdateColumnCount();
  return added;
}

CListHeaderUI* CListUI::EnsureHeader() {
  if (header_ == nullptr) {
    auto header = std::make_unique<CListHeaderUI>();
    header_ = header.get();
    AddOwnChild(std::move(header), 0);
  }
  return header_;
}

// A skin's own header replaces the one the list made for itself, as long as
// that one is still empty.
bool CListUI::AddHeader(ControlPtr&& control) {
  auto* header = static_cast<CListHeaderUI*>(control.get());
  if (header != header_ && (header_ == nullptr || header_->GetCount() == 0)) {
    if (header_ != nullptr) Dispose(DetachOwnChild(header_));
    header_ = header;
  }
  UpdateColumnCount();
  return AddOwnChild(std::move(control), 0);
}

bool CListUI::AddRowAt(ControlPtr&& control, int index) {
  auto* item = dynamic_cast<IListItemUI*>(control.get());
  if (!body_->AddAt(std::move(control), index)) return false;
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

bool CListUI::Remove(CControlUI* control) {
  ControlPtr gone = Detach(control);
  if (gone == nullptr) return false;
  Dispose(std::move(gone));
  return true;
}

bool CListUI::RemoveAt(int index) { return Remove(GetItemAt(index)); }

ControlPtr CListUI::Detach(CControlUI* control) {
  if (control == nullptr || control == body_) return nullptr;
  if (control == header_) {
    header_ = nullptr;
    info_.columns = 0;
    return DetachOwnChild(control);
  }
  if (header_ != nullptr && header_->GetItemIndex(control) >= 0) {
    ControlPtr item = header_->Detach(control);
    UpdateColumnCount();
    return item;
  }
  const int index = body_->GetItemIndex(control);
  if (index >= 0) return DetachRowAt(index);
  return DetachOwnChild(control);
}

ControlPtr CListUI::DetachAt(int index) { return DetachRowAt(index); }

ControlPtr CListUI::DetachRowAt(int index) {
  if (body_->GetItemAt(index) == nullptr) return nullptr;
  const bool wasCurrent = currentSelection_ == index;
  ControlPtr row = body_->DetachAt(index);
  if (auto* item = dynamic_cast<IListItemUI*>(row.get())) {
    // A row that lives on must not point at a list that may go before it.
    item->MarkSelected(false);
    item->SetOwner(nullptr);
    item->SetIndex(-1);
  }
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
  return row;
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
