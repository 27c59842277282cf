// Notify-map dispatch: a window class's table of handlers, searched by event
// type and control name, then the tables of its base classes.

#include "ui/window/notify_pump.h"

#include "ui/controls/control.h"
#include "ui/base/wide_text.h"

namespace zui {

namespace {

const NotifyMapEntry kNoEntries[] = {{L"", L"", 0, nullptr, nullptr}};

bool IsEmpty(const wchar_t* text) { return text == nullptr || *text == L'\0'; }

}  // namespace

const NotifyMap CNotifyPump::kNotifyMap = {nullptr, kNoEntries};

bool CNotifyPump::AddVirtualWnd(std::wstring_view name, CNotifyPump* pump) {
  if (name.empty() || pump == nullptr) return false;
  return virtualWindows_.emplace(FoldCaseCopy(name), pump).second;
}

bool CNotifyPump::RemoveVirtualWnd(std::wstring_view name) { return virtualWindows_.erase(FoldCaseCopy(name)) > 0; }

bool CNotifyPump::NotifyPump(NotifyRecord& msg) {
  if (!msg.virtualWindow.empty()) {
    auto it = virtualWindows_.find(FoldCaseCopy(msg.virtualWindow));
    // A sub-window answers from its own maps only, so pumps naming each
    // other cannot loop.
    if (it != virtualWindows_.end() && it->second->DispatchByMap(msg)) return true;
  }
  return DispatchByMap(msg);
}

bool CNotifyPump::DispatchByMap(NotifyRecord& msg) {
  for (const NotifyMap* map = GetNotifyMap(); map != nullptr; map = map->base) {
    const NotifyMapEntry* chosen = nullptr;
    const NotifyMapEntry* anyControl = nullptr;
    for (const NotifyMapEntry* e = map->entries; e != nullptr && e->signature != 0; ++e) {
      if (e->type == nullptr || msg.type != e->type) continue;
      if (IsEmpty(e->controlName)) {
        anyControl = e;
      } else if (msg.sender != nullptr && msg.sender->GetName() == e->controlName) {
        chosen = e;
        break;
      }
    }
    if (chosen == nullptr) chosen = anyControl;
    if (chosen == nullptr) continue;
    switch (chosen->signature) {
      case 2:
        if (chosen->onRecord == nullptr) return false;
        (this->*chosen->onRecord)(msg);
        return true;
      case 1:
        if (chosen->onParams == nullptr) return false;
        (this->*chosen->onParams)(msg.wParam, msg.lParam);
        return true;
      default: return false;
    }
  }
  return false;
}

}  // namespace zui
