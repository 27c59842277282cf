// The keys and the wheel a container takes for its scroll bars.

#include "ui/base/messages.h"
#include "ui/layout/container.h"
#include "ui/layout/scroll_bar.h"

namespace zui {
namespace {

bool Usable(const CScrollBarUI* bar) { return IsBarShown(bar) && bar->IsEnabled(); }

// The wheel's direction word: 0 away from the user (up), 1 toward.
constexpr int kWheelUp = 0;

}  // namespace

void CContainerUI::DoEvent(InputEvent& event) {
  if (!IsMouseEnabled() && IsMouseEventKind(event.type)) {
    CControlUI::DoEvent(event);
    return;
  }
  if (event.type == kEventSetFocus || event.type == kEventKillFocus) {
    CControlUI::DoEvent(event);
    return;
  }
  const bool vertical = Usable(verticalScrollBar_.get());
  if (vertical || Usable(horizontalScrollBar_.get())) {
    if (event.type == kEventKeyDown && ScrollByKey(event.key, vertical)) return;
    if (event.type == kEventScrollWheel) {
      const bool up = LowWord(event.wParam) == kWheelUp;
      if (vertical) up ? LineUp() : LineDown();
      else up ? LineLeft() : LineRight();
      return;
    }
  }
  CControlUI::DoEvent(event);
}

bool CContainerUI::ScrollByKey(wchar_t key, bool vertical) {
  switch (key) {
    case VK_PRIOR: vertical ? PageUp() : PageLeft(); return true;
    case VK_NEXT: vertical ? PageDown() : PageRight(); return true;
    case VK_END: vertical ? EndDown() : EndRight(); return true;
    case VK_HOME: vertical ? HomeUp() : HomeLeft(); return true;
    case VK_UP: vertical ? LineUp() : LineLeft(); return true;
    case VK_DOWN: vertical ? LineDown() : LineRight(); return true;
    default: return false;
  }
}

}  // namespace zui
