#include "ui/list/list_container_element.h"

#include <algorithm>

#include "ui/base/wide_text.h"
#include "ui/list/list_header.h"

namespace zui {

std::wstring_view CListContainerElementUI::GetClass() const { return L"ListContainerElementUI"; }

bool CListContainerElementUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"ListItem") || EqualsIgnoreAsciiCase(name, L"ListContainerElement") ||
         CHorizontalLayoutUI::HasInterface(name);
}

uint32_t CListContainerElementUI::GetControlFlags() const { return kControlFlagWantReturn; }

void CListContainerElementUI::SetPos(Rect rc, bool needInvalidate) {
  CHorizontalLayoutUI::SetPos(rc, needInvalidate);
  AlignChildrenToColumns();
}

void CListContainerElementUI::AlignChildrenToColumns() {
  auto* list = dynamic_cast<IListUI*>(owner_);
  CListHeaderUI* header = list != nullptr ? list->GetHeader() : nullptr;
  if (header == nullptr || !header->IsVisible()) return;
  const int count = std::min({header->GetCount(), GetCount(), kMaxListColumns});
  for (int i = 0; i < count; ++i) {
    const Rect column = header->GetItemAt(i)->GetPos();
    if (column.left == 0 && column.right == 0) continue;
    CControlUI* child = GetItemAt(i);
    Rect r = child->GetPos();
    r.left = column.left;
    r.right = column.right;
    child->SetPos(r, false);
  }
}

void CListContainerElementUI::DoEvent(InputEvent& event) {
  if (!IsMouseEnabled() && IsMouseEventKind(event.type)) {
    PassToOwner(event);
    return;
  }
  switch (event.type) {
    case kEventKeyDown:
      if (event.key != VK_RETURN) break;
      [[fallthrough]];
    case kEventDoubleClick:
      if (IsEnabled()) {
        Activate();
        Invalidate();
      }
      return;
    case kEventRButtonDown:
      if (!RightButtonSelects()) break;
      [[fallthrough]];
    case kEventButtonDown: HandleRowPress(event, clickToggles_); return;
    case kEventButtonUp:
      // A press dragged off the row and released elsewhere is no click.
      if (IsEnabled() && itemRect_.Contains(event.point)) SendNotify(L"itemclick");
      return;
    case kEventTimer: SendNotify(L"timer", event.wParam, event.lParam); return;
    case kEventContextMenu:
      if (!IsContextMenuUsed()) break;
      SendNotify(L"menu", event.wParam, event.lParam);
      return;
    default:
      if (HandleRowHover(event)) return;
      break;
  }
  PassToOwner(event);
}

bool CListContainerElementUI::DoPaint(Canvas& canvas, const Rect& paint, CControlUI* stop) {
  PaintItemBackground(canvas);
  return CHorizontalLayoutUI::DoPaint(canvas, paint, stop);
}

}  // namespace zui
