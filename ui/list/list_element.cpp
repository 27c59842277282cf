#include "ui/list/list_element.h"

#include "ui/base/wide_text.h"

namespace zui {

std::wstring_view CListElementUI::GetClass() const { return L"ListElementUI"; }

bool CListElementUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"ListItem") || EqualsIgnoreAsciiCase(name, L"ListElement") ||
         CControlUI::HasInterface(name);
}

uint32_t CListElementUI::GetControlFlags() const { return kControlFlagWantReturn; }

bool CListElementUI::HandleActivation(const InputEvent& event) {
  const bool activation = event.type == kEventDoubleClick || (event.type == kEventKeyDown && event.key == VK_RETURN);
  if (!activation) return false;
  if (IsEnabled()) {
    Activate();
    Invalidate();
  }
  return true;
}

void CListElementUI::DoEvent(InputEvent& event) {
  if (!IsMouseEnabled() && IsMouseEventKind(event.type)) {
    PassToOwner(event);
    return;
  }
  if (HandleActivation(event)) return;
  PassToOwner(event);
}

}  // namespace zui
