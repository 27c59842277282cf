// The list's input: keys move the selection, the wheel scrolls (or moves
// the selection), rows pass up what they do not take.

#include <algorithm>

#include "ui/base/messages.h"
#include "ui/list/list.h"
#include "ui/list/list_body.h"

namespace zui {

void CListUI::DoEvent(InputEvent& event) {
  if (!IsMouseEnabled() && IsMouseEventKind(event.type)) {
    if (parent_ != nullptr) parent_->DoEvent(event);
    else CVerticalLayoutUI::DoEvent(event);
    return;
  }
  switch (event.type) {
    case kEventSetFocus:
    case kEventKillFocus: CControlUI::DoEvent(event); return;
    case kEventKeyDown:
      if (OnKeyDown(event)) return;
      break;
    case kEventScrollWheel: OnWheel(event); return;
    default: break;
  }
  CVerticalLayoutUI::DoEvent(event);
}

bool CListUI::OnKeyDown(const InputEvent& event) {
  switch (event.key) {
    case VK_UP:
      if (!selected_.empty()) {
        const int lowest = *std::min_element(selected_.begin(), selected_.end());
        UnselectAllRows();
        SelectRow(std::max(lowest - 1, 0), true);
      }
      return true;
    case VK_DOWN:
      if (!selected_.empty()) {
        const int highest = *std::max_element(selected_.begin(), selected_.end());
        UnselectAllRows();
        SelectRow(std::min(highest + 1, GetCount() - 1), true);
      }
      return true;
    case VK_HOME: SelectRow(FindSelectableRow(0, true), true); return true;
    case VK_END:
      // The last row that can be selected, even when the very last cannot.
      SelectRow(FindSelectableRow(GetCount() - 1, false), true);
      return true;
    case VK_PRIOR: PageUp(); return true;
    case VK_NEXT: PageDown(); return true;
    case VK_RETURN:
      if (CControlUI* row = body_->GetItemAt(currentSelection_)) row->Activate();
      return true;
    case L'A':
      if (!multiSelect_ || (event.keyState & kKeyStateControl) == 0) return false;
      SelectAllRows();
      return true;
    default: return false;
  }
}

void CListUI::OnWheel(const InputEvent& event) {
  const bool up = LowWord(event.wParam) == 0;
  if (scrollSelect_ && !multiSelect_) {
    // Past the first or last row the selection stays where it is.
    const int next =
        up ? FindSelectableRow(currentSelection_ - 1, false) : FindSelectableRow(currentSelection_ + 1, true);
    if (next >= 0 && next != currentSelection_) SelectRow(next);
    return;
  }
  if (up) LineUp();
  else LineDown();
}

}  // namespace zui
