// Control timers: each control's own key mapped onto a native window timer.

#include <algorithm>

#include "ui/controls/control.h"
#include "ui/window/paint_manager.h"
#include "ui/host/host.h"

namespace zui {

namespace {

// Native ids cycle through 0..239, starting after the counter's first value.
constexpr uintptr_t kNativeIdRange = 240;

}  // namespace

bool CPaintManagerUI::SetTimer(CControlUI* control, uint32_t key, uint32_t elapseMs) {
  if (control == nullptr || window_ == nullptr) return false;
  for (TimerRecord& t : timers_) {
    if (t.sender != control || t.window != window_ || t.key != key) continue;
    if (!t.killed) return false;
    if (!Host().SetTimer(window_, t.nativeId, elapseMs)) return false;
    t.killed = false;
    return true;
  }
  // A native id still held by another record of this window would make two
  // controls share one timer, and one the window keeps for its own SetTimer
  // would steal the window's ticks, so such ids are passed over.
  auto taken = [this](uintptr_t id) { return IsTimerIdReserved(id) || IsTimerIdHeld(id); };
  uintptr_t counter = timerCounter_;
  for (uintptr_t tries = 0;; ++tries) {
    if (tries == kNativeIdRange) return false;
    counter = (counter + 1) % kNativeIdRange;
    if (!taken(counter)) break;
  }
  timerCounter_ = counter;
  if (!Host().SetTimer(window_, counter, elapseMs)) return false;
  TimerRecord record;
  record.sender = control;
  record.key = key;
  record.window = window_;
  record.nativeId = counter;
  timers_.push_back(record);
  return true;
}

bool CPaintManagerUI::ReserveTimerId(uintptr_t id) {
  if (IsTimerIdHeld(id)) return false;
  if (!IsTimerIdReserved(id)) reservedTimerIds_.push_back(id);
  return true;
}

bool CPaintManagerUI::IsTimerIdHeld(uintptr_t id) const {
  return std::any_of(timers_.begin(), timers_.end(),
                     [&](const TimerRecord& t) { return t.window == window_ && t.nativeId == id; });
}

bool CPaintManagerUI::IsTimerIdReserved(uintptr_t id) const {
  return std::find(reservedTimerIds_.begin(), reservedTimerIds_.end(), id) != reservedTimerIds_.end();
}

bool CPaintManagerUI::KillTimer(CControlUI* control, uint32_t key) {
  for (TimerRecord& t : timers_) {
    if (t.sender != control || t.window != window_ || t.key != key || t.killed) continue;
    if (Host().IsHostWindow(t.window)) Host().KillTimer(t.window, t.nativeId);
    t.killed = true;
    return true;
  }
  return false;
}

void CPaintManagerUI::KillTimer(CControlUI* control) {
  auto mine = [control](const TimerRecord& t) { return t.sender == control; };
  for (const TimerRecord& t : timers_)
    if (mine(t) && !t.killed && t.window != nullptr && Host().IsHostWindow(t.window))
      Host().KillTimer(t.window, t.nativeId);
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(), mine), timers_.end());
}

void CPaintManagerUI::RemoveAllTimers() {
  for (const TimerRecord& t : timers_)
    if (!t.killed && t.window != nullptr && Host().IsHostWindow(t.window)) Host().KillTimer(t.window, t.nativeId);
  timers_.clear();
}

bool CPaintManagerUI::HandleTimer(WPARAM_T id, LPARAM_T lParam) {
  for (const TimerRecord& t : timers_) {
    if (t.window != window_ || t.nativeId != id || t.killed) continue;
    // The control may set or kill timers while it handles this one.
    CControlUI* sender = t.sender;
    const uint32_t key = t.key;
    SendEvent(sender, kEventTimer, key, lParam);
    return true;
  }
  return false;
}

}  // namespace zui
