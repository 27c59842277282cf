// A tab layout shows its current page and keeps the others hidden; the
// current index follows the pages as they are added and removed.

#include "ui/layout/tab_layout.h"

#include <algorithm>

#include "ui/base/saturate.h"
#include "ui/base/wide_text.h"
#include "ui/render/value_format.h"

namespace zui {

std::wstring_view CTabLayoutUI::GetClass() const { return L"TabLayoutUI"; }

bool CTabLayoutUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"TabLayout") || CContainerUI::HasInterface(name);
}

// Appending is adding at the end: one set of page rules.
bool CTabLayoutUI::Add(ControlPtr&& control) { return AddAt(std::move(control), GetCount()); }

// The page's own flag decides, not its combined visibility: a tab layout
// filled while it is hidden still knows which page to show.
bool CTabLayoutUI::AddAt(ControlPtr&& control, int index) {
  CControlUI* page = control.get();
  if (!CContainerUI::AddAt(std::move(control), index)) return false;
  if (current_ == -1 && page->IsOwnVisible()) {
    current_ = index;
    return true;
  }
  // Only the current page may show, wherever the new one goes.
  if (current_ != -1 && index <= current_) ++current_;
  page->SetVisible(false);
  return true;
}

// Removing and detaching both come through here.
ControlPtr CTabLayoutUI::DetachAt(int index) {
  ControlPtr page = CContainerUI::DetachAt(index);
  if (page == nullptr) return nullptr;
  if (index == current_) {
    if (GetCount() > 0) {
      current_ = 0;
      GetItemAt(0)->SetVisible(true);
    } else {
      current_ = -1;
    }
    NeedParentUpdate();
  } else if (index < current_) {
    --current_;
  }
  return page;
}

void CTabLayoutUI::RemoveAll() {
  current_ = -1;
  CContainerUI::RemoveAll();
  NeedParentUpdate();
}

bool CTabLayoutUI::SelectItem(int index) {
  if (index < 0 || index >= GetCount()) return false;
  if (index == current_) return true;
  const int old = current_;
  current_ = index;
  for (int i = 0; i < GetCount(); ++i) {
    CControlUI* page = GetItemAt(i);
    if (i == index) {
      page->SetVisible(true);
      SetPos(itemRect_, true);
    } else {
      page->SetVisible(false);
    }
  }
  NeedParentUpdate();
  SendNotify(L"tabselect", static_cast<WPARAM_T>(current_), static_cast<LPARAM_T>(old));
  return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* page) {
  const int index = GetItemIndex(page);
  return index >= 0 && SelectItem(index);
}

void CTabLayoutUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (EqualsIgnoreAsciiCase(name, L"selectedid")) SelectItem(ParseIntValue(value));
  CContainerUI::SetAttribute(name, value);
}

Size CTabLayoutUI::LayoutChildren(const Rect& /*area*/) {
  // Pages fill the inset rectangle; no scroll bar takes part.
  const Rect inset = GetInset();
  const Rect r{SaturatedAdd(itemRect_.left, inset.left), SaturatedAdd(itemRect_.top, inset.top),
               SaturatedSub(itemRect_.right, inset.right), SaturatedSub(itemRect_.bottom, inset.bottom)};
  CControlUI* page = GetItemAt(current_);
  if (page == nullptr || !page->IsVisible() || page->IsFloat()) return {0, 0};

  const Rect pad = page->GetPadding();
  const int64_t left = int64_t{r.left} + pad.left;
  const int64_t top = int64_t{r.top} + pad.top;
  const int64_t width = std::max<int64_t>(int64_t{r.right} - pad.right - left, 0);
  const int64_t height = std::max<int64_t>(int64_t{r.bottom} - pad.bottom - top, 0);
  const Size est = page->EstimateSize({SaturateToInt(width), SaturateToInt(height)});
  int64_t cx = est.cx == 0 ? width : est.cx;
  int64_t cy = est.cy == 0 ? height : est.cy;
  cx = std::clamp<int64_t>(cx, page->GetMinWidth(), std::max(page->GetMinWidth(), page->GetMaxWidth()));
  cy = std::clamp<int64_t>(cy, page->GetMinHeight(), std::max(page->GetMinHeight(), page->GetMaxHeight()));
  page->SetPos({SaturateToInt(left), SaturateToInt(top), SaturateToInt(left + cx), SaturateToInt(top + cy)}, true);
  return {0, 0};
}

}  // namespace zui
