// Keyboard focus among the controls, the Tab order, Alt shortcuts and the
// mouse capture.

#include <cwctype>

#include "ui/controls/control.h"
#include "ui/window/paint_manager.h"
#include "ui/host/host.h"

namespace zui {

namespace {

bool IsTabStop(const CControlUI* c) {
  return (c->GetControlFlags() & kControlFlagTabStop) != 0 && c->IsVisible() && c->IsEnabled() &&
         c->IsKeyboardEnabled();
}

CControlUI* AcceptShortcut(CControlUI* control, wchar_t wanted) {
  const wchar_t own = control->GetShortcut();
  if (own == 0 || !control->IsVisible() || !control->IsEnabled()) return nullptr;
  return static_cast<wchar_t>(std::towupper(own)) == wanted ? control : nullptr;
}

}  // namespace

void CPaintManagerUI::SetFocus(CControlUI* control, bool focusWindow) {
  if (window_ != nullptr && focusWindow && Host().GetFocus() != window_ && control != focus_ && !noActivate_)
    Host().SetFocus(window_);
  if (control == focus_) return;
  // The old focus's handlers may destroy the control that is to get it.
  const ControlRef target = control;
  if (focus_ != nullptr) {
    const ControlRef old = focus_;
    focus_ = nullptr;
    SendEvent(old.get(), kEventKillFocus);
    if (old.get() != nullptr) SendNotify(old.get(), L"killfocus");
  }
  control = target.get();
  if (control == nullptr || control->GetManager() != this || !control->IsVisible() || !control->IsEnabled()) return;
  focus_ = control;
  const ControlRef now = control;
  SendEvent(control, kEventSetFocus);
  if (now.get() != nullptr) SendNotify(now.get(), L"setfocus");
}

void CPaintManagerUI::SetFocusNeeded(CControlUI* control) {
  if (window_ != nullptr && Host().GetFocus() != window_ && !noActivate_) Host().SetFocus(window_);
  if (control == nullptr) return;
  // Taken at the next paint, when the layout is done.
  focusTarget_ = control;
  focusNeeded_ = true;
  if (window_ != nullptr) Invalidate();
}

void CPaintManagerUI::TakeNeededFocus() {
  if (!focusNeeded_) return;
  focusNeeded_ = false;
  CControlUI* target = focusTarget_;
  focusTarget_ = nullptr;
  if (target != nullptr) SetFocus(target);
  else MoveTabFocus(true);
}

bool CPaintManagerUI::SetNextTabControl(bool forward) {
  if (root_ == nullptr) return false;
  // While the tree is being restructured the focus waits for the next paint.
  if (updateNeeded_ && forward) {
    focusNeeded_ = true;
    if (window_ != nullptr) Invalidate();
    return true;
  }
  MoveTabFocus(forward);
  return true;
}

void CPaintManagerUI::MoveTabFocus(bool forward) {
  focusNeeded_ = false;
  if (root_ == nullptr) return;
  // Document order, with the focus control in it even when it is not a tab
  // stop itself, so the move starts from where the focus is.
  std::vector<CControlUI*> order;
  CControlUI* current = focus_;
  auto collect = [&](CControlUI* c) {
    if (c == current || IsTabStop(c)) order.push_back(c);
  };
  root_->FindControl(
      [&collect](CControlUI* c) -> CControlUI* {
        collect(c);
        return nullptr;
      },
      kFindVisible | kFindEnabled | kFindMeFirst);

  const int n = static_cast<int>(order.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (order[i] == current) at = i;
  CControlUI* next = nullptr;
  for (int step = 1; step <= n && next == nullptr; ++step) {
    int i;
    if (at < 0) i = forward ? step - 1 : n - step;
    else i = ((forward ? at + step : at - step) % n + n) % n;
    if (order[i] != current && IsTabStop(order[i])) next = order[i];
  }
  if (next != nullptr) SetFocus(next);
}

CControlUI* CPaintManagerUI::FindShortcut(wchar_t ch) const {
  if (root_ == nullptr || ch == 0) return nullptr;
  const wchar_t wanted = static_cast<wchar_t>(std::towupper(ch));
  return root_->FindControl([wanted](CControlUI* c) { return AcceptShortcut(c, wanted); },
                            kFindEnabled | kFindMeFirst | kFindTopFirst);
}

void CPaintManagerUI::SetCapture() {
  if (window_ != nullptr) Host().SetCapture(window_);
  captured_ = true;
}

void CPaintManagerUI::ReleaseCapture() {
  if (captured_) Host().ReleaseCapture();
  captured_ = false;
}

}  // namespace zui
