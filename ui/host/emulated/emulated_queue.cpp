// The emulation's message queue, timers and painting. Retrieval follows
// user32's order: posted and input messages in the order they came, then
// WM_QUIT, then WM_PAINT for a window with something to paint, then WM_TIMER
// for a due timer. Paint and timer messages are made when they are retrieved,
// so neither is ever queued twice.

#include <algorithm>

#include "ui/host/emulated/emulated_host.h"
#include "ui/host/emulated/emulated_window.h"

namespace zui {
namespace {

// user32 raises shorter periods to this (USER_TIMER_MINIMUM).
constexpr uint32_t kMinimumTimerMs = 10;
constexpr uint32_t kMaximumTimerMs = 0x7FFFFFFF;

bool IsDue(uint32_t now, uint32_t due) { return static_cast<int32_t>(now - due) >= 0; }

}  // namespace

HostMessage EmulatedHost::StampLocked(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) const {
  HostMessage msg;
  msg.window = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = backend_->Now();
  msg.point = cursorPos_;
  return msg;
}

bool EmulatedHost::PostMessage(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (window != nullptr && windows_.find(window) == windows_.end()) return false;
    QueueItem item;
    item.msg = StampLocked(window, message, wParam, lParam);
    queue_.push_back(item);
  }
  backend_->Wake();
  return true;
}

void EmulatedHost::PostQuitMessage(int exitCode) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quitPending_ = true;
    quitCode_ = exitCode;
  }
  backend_->Wake();
}

void EmulatedHost::PostFront(const HostMessage& msg) {
  std::lock_guard<std::mutex> lock(mutex_);
  QueueItem item;
  item.msg = msg;
  queue_.push_front(item);
}

void EmulatedHost::EnqueueInput(QueueItem item) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(item);
  }
  backend_->Wake();
}

void EmulatedHost::DropQueued(WindowHandle window) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::erase_if(queue_, [window](const QueueItem& item) { return item.msg.window == window; });
}

LRESULT_T EmulatedHost::SendMessage(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return 0;
  return rec->proc(window, message, wParam, lParam);
}

EmulatedHost::WindowRecord* EmulatedHost::SendAndFind(WindowHandle window, uint32_t message, WPARAM_T wParam,
                                                      LPARAM_T lParam, LRESULT_T* answer) {
  LRESULT_T result = SendMessage(window, message, wParam, lParam);
  if (answer != nullptr) *answer = result;
  return Find(window);
}

LRESULT_T EmulatedHost::DispatchMessage(const HostMessage& msg) {
  WindowRecord* rec = Find(msg.window);
  if (rec == nullptr) return 0;
  return rec->proc(msg.window, msg.message, msg.wParam, msg.lParam);
}

bool EmulatedHost::Retrieve(HostMessage& msg, bool remove) {
  PostDueHover();
  for (;;) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!queue_.empty()) {
      if (queue_.front().input == InputKind::kNone) {
        msg = queue_.front().msg;
        if (remove) queue_.pop_front();
        return true;
      }
      // Raw input becomes messages now: hit-testing, capture and focus are
      // decided by the state at retrieval, and the procs may be called.
      QueueItem raw = queue_.front();
      queue_.pop_front();
      lock.unlock();
      std::vector<HostMessage> cooked = Cook(raw);
      lock.lock();
      for (auto it = cooked.rbegin(); it != cooked.rend(); ++it) {
        QueueItem item;
        item.msg = *it;
        queue_.push_front(item);
      }
      continue;
    }
    if (quitPending_) {
      msg = StampLocked(nullptr, WM_QUIT, static_cast<WPARAM_T>(quitCode_), 0);
      if (remove) quitPending_ = false;
      return true;
    }
    lock.unlock();
    return TakePaint(msg) || TakeTimer(msg, remove);
  }
}

bool EmulatedHost::TakePaint(HostMessage& msg) const {
  for (auto& [handle, rec] : windows_) {
    if (rec->destroying || rec->Minimized() || rec->update.IsEmpty() || !IsVisible(handle)) continue;
    std::lock_guard<std::mutex> lock(mutex_);
    msg = StampLocked(handle, WM_PAINT, 0, 0);
    return true;
  }
  return false;
}

bool EmulatedHost::TakeTimer(HostMessage& msg, bool remove) {
  uint32_t now = backend_->Now();
  TimerRecord* next = nullptr;
  for (TimerRecord& t : timers_) {
    if (!IsDue(now, t.due)) continue;
    if (next == nullptr || static_cast<int32_t>(t.due - next->due) < 0 ||
        (t.due == next->due && t.order < next->order)) {
      next = &t;
    }
  }
  if (next == nullptr) return false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    msg = StampLocked(next->window, WM_TIMER, next->id, 0);
  }
  // However many periods passed, one WM_TIMER stands for them all.
  if (remove) next->due = now + next->elapse;
  return true;
}

bool EmulatedHost::PeekMessage(HostMessage& msg, bool remove) {
  if (Retrieve(msg, remove)) return true;
  // Like user32, a peek also takes in what the platform has for us now.
  backend_->WaitForEvents(0);
  return Retrieve(msg, remove);
}

bool EmulatedHost::GetMessage(HostMessage& msg) {
  for (;;) {
    if (Retrieve(msg, true)) return msg.message != WM_QUIT;
    backend_->WaitForEvents(NextDueIn());
  }
}

std::optional<uint32_t> EmulatedHost::NextDueIn() const {
  uint32_t now = backend_->Now();
  std::optional<uint32_t> wait;
  auto consider = [&](uint32_t due) {
    uint32_t in = IsDue(now, due) ? 0 : due - now;
    if (!wait || in < *wait) wait = in;
  };
  for (const TimerRecord& t : timers_) consider(t.due);
  if (tracking_.hover && cursorWindow_ == tracking_.window) consider(tracking_.hoverStart + tracking_.hoverMs);
  return wait;
}

int EmulatedHost::PumpPending(const PreTranslate& preTranslate, int limit) {
  lastQuit_.reset();
  int handled = 0;
  HostMessage msg;
  while (handled < limit && PeekMessage(msg, true)) {
    if (msg.message == WM_QUIT) {
      lastQuit_ = static_cast<int>(msg.wParam);
      break;
    }
    ++handled;
    if (preTranslate && preTranslate(msg)) continue;
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
  return handled;
}

// --- Timers and clock ---

bool EmulatedHost::SetTimer(WindowHandle window, uintptr_t id, uint32_t elapseMs) {
  if (window != nullptr && Find(window) == nullptr) return false;
  uint32_t elapse = std::clamp(elapseMs, kMinimumTimerMs, kMaximumTimerMs);
  uint32_t due = backend_->Now() + elapse;
  for (TimerRecord& t : timers_) {
    if (t.window == window && t.id == id) {
      t.elapse = elapse;
      t.due = due;
      return true;
    }
  }
  timers_.push_back({window, id, elapse, due, timerOrder_++});
  return true;
}

bool EmulatedHost::KillTimer(WindowHandle window, uintptr_t id) {
  auto it = std::find_if(timers_.begin(), timers_.end(),
                         [&](const TimerRecord& t) { return t.window == window && t.id == id; });
  if (it == timers_.end()) return false;
  timers_.erase(it);
  return true;
}

std::optional<uint32_t> EmulatedHost::TimerPeriod(WindowHandle window, uintptr_t id) const {
  for (const TimerRecord& t : timers_) {
    if (t.window == window && t.id == id) return t.elapse;
  }
  return std::nullopt;
}

uint32_t EmulatedHost::GetTickCount() const { return backend_->Now(); }

// --- Painting ---

void EmulatedHost::InvalidateRect(WindowHandle window, const Rect* rect) {
  if (window == nullptr) {
    for (auto& [handle, rec] : windows_) rec->update = rec->Client();
    return;
  }
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return;
  Rect area = rect == nullptr ? rec->Client() : rect->Intersect(rec->Client());
  rec->update = rec->update.Union(area);
}

Rect EmulatedHost::BeginPaint(WindowHandle window) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return {};
  Rect area = rec->update.Intersect(rec->Client());
  rec->update = {};
  return area;
}

void EmulatedHost::EndPaint(WindowHandle window) {}

void EmulatedHost::Present(WindowHandle window, const Bitmap& frame, const Rect& area) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return;
  Rect copy = area.Intersect(rec->Client()).Intersect({0, 0, frame.width(), frame.height()});
  backend_->Present(window, frame, copy);
}

Rect EmulatedHost::UpdateRect(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? Rect{} : rec->update;
}

}  // namespace zui
