// Notifications to the window's listeners, at once or through the queue that
// one wake-up message drains, and the listener lists themselves.

#include <algorithm>

#include "ui/controls/control.h"
#include "ui/window/paint_manager.h"
#include "ui/host/host.h"

namespace zui {

namespace {

template <typename T>
bool AddOnce(std::vector<T*>& list, T* item) {
  if (item == nullptr || std::find(list.begin(), list.end(), item) != list.end()) return false;
  list.push_back(item);
  return true;
}

template <typename T>
bool RemoveFrom(std::vector<T*>& list, T* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

}  // namespace

bool CPaintManagerUI::AddNotifier(INotifyUI* notifier) { return AddOnce(notifiers_, notifier); }
bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) { return RemoveFrom(notifiers_, notifier); }
bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI* filter) { return AddOnce(preMessageFilters_, filter); }
bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI* filter) {
  return RemoveFrom(preMessageFilters_, filter);
}
bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter) { return AddOnce(messageFilters_, filter); }
bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter) { return RemoveFrom(messageFilters_, filter); }
bool CPaintManagerUI::AddTranslateAccelerator(ITranslateAccelerator* accelerator) {
  return AddOnce(translateAccelerators_, accelerator);
}
bool CPaintManagerUI::RemoveTranslateAccelerator(ITranslateAccelerator* accelerator) {
  return RemoveFrom(translateAccelerators_, accelerator);
}
bool CPaintManagerUI::AddPostPaint(CControlUI* control) { return AddOnce(postPaintControls_, control); }
bool CPaintManagerUI::RemovePostPaint(CControlUI* control) { return RemoveFrom(postPaintControls_, control); }

void CPaintManagerUI::SendNotify(CControlUI* sender, std::wstring_view type, WPARAM_T wParam, LPARAM_T lParam,
                                 bool async) {
  NotifyRecord msg;
  msg.type = type;
  msg.sender = sender;
  msg.wParam = wParam;
  msg.lParam = lParam;
  SendNotify(msg, async);
}

void CPaintManagerUI::SendNotify(NotifyRecord& msg, bool async) {
  msg.point = lastMousePos_;
  msg.timestamp = Host().GetTickCount();
  if (useVirtualWnd_ && msg.sender != nullptr) msg.virtualWindow = msg.sender->GetVirtualWnd();
  if (!async) {
    DeliverNotify(msg);
    return;
  }
  asyncNotify_.push_back({std::make_unique<NotifyRecord>(msg), msg.sender});
  PostDrainMessage();
}

void CPaintManagerUI::PostDrainMessage() {
  if (asyncPosted_ || window_ == nullptr) return;
  asyncPosted_ = Host().PostMessage(window_, kMsgDrainQueue, 0, 0);
}

void CPaintManagerUI::DeliverNotify(NotifyRecord& msg) {
  // A listener may destroy the sender; the later listeners then see none.
  const ControlRef sender = msg.sender;
  if (msg.sender != nullptr && !msg.sender->OnNotify.empty()) msg.sender->OnNotify.Notify(msg);
  // Listeners may come and go while one of them is being told.
  const std::vector<INotifyUI*> notifiers = notifiers_;
  for (INotifyUI* notifier : notifiers) {
    if (std::find(notifiers_.begin(), notifiers_.end(), notifier) == notifiers_.end()) continue;
    msg.sender = sender.get();
    notifier->Notify(msg);
  }
}

void CPaintManagerUI::DrainQueue() {
  // Taken out first: a control destroyed here may queue more for later.
  std::vector<ControlPtr> doomed;
  doomed.swap(doomed_);
  doomed.clear();
  asyncPosted_ = false;
  while (!asyncNotify_.empty()) {
    QueuedNotify queued = std::move(asyncNotify_.front());
    asyncNotify_.pop_front();
    // A sender destroyed since it was queued is delivered as none.
    queued.record->sender = queued.sender;
    DeliverNotify(*queued.record);
  }
}

uint16_t CPaintManagerUI::KeyStateNow() const {
  uint16_t state = 0;
  IUiHost& host = Host();
  if (host.GetKeyState(VK_CONTROL) < 0) state |= kKeyStateControl;
  if (host.GetKeyState(VK_RBUTTON) < 0) state |= kKeyStateRButton;
  if (host.GetKeyState(VK_LBUTTON) < 0) state |= kKeyStateLButton;
  if (host.GetKeyState(VK_SHIFT) < 0) state |= kKeyStateShift;
  if (host.GetKeyState(VK_MENU) < 0) state |= kKeyStateAlt;
  return state;
}

InputEvent CPaintManagerUI::MakeEvent(int type, CControlUI* sender, WPARAM_T wParam, LPARAM_T lParam) const {
  InputEvent event;
  event.type = type;
  event.sender = sender;
  event.timestamp = Host().GetTickCount();
  event.point = lastMousePos_;
  event.keyState = KeyStateNow();
  event.wParam = wParam;
  event.lParam = lParam;
  return event;
}

bool CPaintManagerUI::SendEvent(CControlUI* control, int type, WPARAM_T wParam, LPARAM_T lParam, wchar_t key,
                                uint16_t keyState) {
  if (control == nullptr) return false;
  InputEvent event = MakeEvent(type, control, wParam, lParam);
  event.key = key;
  if (keyState != 0) event.keyState = keyState;
  const ControlRef watch = control;
  control->Event(event);
  return watch != nullptr;
}

}  // namespace zui
