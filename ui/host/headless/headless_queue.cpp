// The headless host's message queue, timers and painting. Retrieval follows
// user32's order: posted and input messages in the order they came, then
// WM_QUIT, then WM_PAINT for a window with something to paint, then WM_TIMER
// for a due timer. Paint and timer messages are made when they are retrieved,
// so neither is ever queued twice.

#include <algorithm>

#include "ui/host/headless/headless_host.h"
#include "ui/host/headless/headless_window.h"

namespace zui {
namespace {

// user32 raises shorter periods to this (USER_TIMER_MINIMUM).
constexpr uint32_t kMinimumTimerMs = 10;
constexpr uint32_t kMaximumTimerMs = 0x7FFFFFFF;

bool IsDue(uint32_t now, uint32_t due) { return static_cast<int32_t>(now - due) >= 0; }

}  // namespace

HostMessage HeadlessHost::StampLocked(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) const {
  HostMessage msg;
  msg.window = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = clock_.load();
  msg.point = cursorPos_;
  return msg;
}

bool HeadlessHost::PostMessage(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (window != nullptr && windows_.find(window) == windows_.end()) return false;
    QueueItem item;
    item.msg = StampLocked(window, message, wParam, lParam);
    queue_.push_back(item);
  }
  wake_.notify_all();
  return true;
}

void HeadlessHost::PostQuitMessage(int exitCode) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quitPending_ = true;
    quitCode_ = exitCode;
  }
  wake_.notify_all();
}

void HeadlessHost::PostFront(const HostMessage& msg) {
  std::lock_guard<std::mutex> lock(mutex_);
  QueueItem item;
  item.msg = msg;
  queue_.push_front(item);
}

void HeadlessHost::EnqueueInput(QueueItem item) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(item);
  }
  wake_.notify_all();
}

void HeadlessHost::DropQueued(WindowHandle window) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::erase_if(queue_, [window](const QueueItem& item) { return item.msg.window == window; });
}

LRESULT_T HeadlessHost::SendMessage(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return 0;
  return rec->proc(window, message, wParam, lParam);
}

LRESULT_T HeadlessHost::DispatchMessage(const HostMessage& msg) {
  WindowRecord* rec = Find(msg.window);
  if (rec == nullptr) return 0;
  return rec->proc(msg.window, msg.message, msg.wParam, msg.lParam);
}

bool HeadlessHost::Retrieve(HostMessage& msg, bool remove) {
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

bool HeadlessHost::TakePaint(HostMessage& msg) const {
  for (auto& [handle, rec] : windows_) {
    if (rec->destroying || rec->Minimized() || rec->update.IsEmpty() || !IsVisible(handle)) continue;
    std::lock_guard<std::mutex> lock(mutex_);
    msg = StampLocked(handle, WM_PAINT, 0, 0);
    return true;
  }
  return false;
}

bool HeadlessHost::TakeTimer(HostMessage& msg, bool remove) {
  uint32_t now = clock_.load();
  TimerRecord* next = nullptr;
  for (TimerRecord& t : timers_) {
    if (!IsDue(now, t.due)) continue;
    if (next == nullptr || static_cast<int32_t>(t.due - next->due) < 0 || (t.due == next->due && t.order < next->order)) {
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

bool HeadlessHost::PeekMessage(HostMessage& msg, bool remove) { return Retrieve(msg, remove); }

bool HeadlessHost::GetMessage(HostMessage& msg) {
  for (;;) {
    if (Retrieve(msg, true)) return msg.message != WM_QUIT;
    if (idleHandler_) {
      idleHandler_();
      if (Retrieve(msg, true)) return msg.message != WM_QUIT;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    uint64_t generation = clockGeneration_;
    wake_.wait(lock, [&] { return !queue_.empty() || quitPending_ || clockGeneration_ != generation; });
  }
}

int HeadlessHost::PumpPending(const PreTranslate& preTranslate, int limit) {
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

bool HeadlessHost::SetTimer(WindowHandle window, uintptr_t id, uint32_t elapseMs) {
  if (window != nullptr && Find(window) == nullptr) return false;
  uint32_t elapse = std::clamp(elapseMs, kMinimumTimerMs, kMaximumTimerMs);
  uint32_t due = clock_.load() + elapse;
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

bool HeadlessHost::KillTimer(WindowHandle window, uintptr_t id) {
  auto it = std::find_if(timers_.begin(), timers_.end(),
                         [&](const TimerRecord& t) { return t.window == window && t.id == id; });
  if (it == timers_.end()) return false;
  timers_.erase(it);
  return true;
}

std::optional<uint32_t> HeadlessHost::TimerPeriod(WindowHandle window, uintptr_t id) const {
  for (const TimerRecord& t : timers_) {
    if (t.window == window && t.id == id) return t.elapse;
  }
  return std::nullopt;
}

uint32_t HeadlessHost::GetTickCount() const { return clock_.load(); }

// --- Painting ---

void HeadlessHost::InvalidateRect(WindowHandle window, const Rect* rect) {
  if (window == nullptr) {
    for (auto& [handle, rec] : windows_) rec->update = rec->Client();
    return;
  }
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return;
  Rect area = rect == nullptr ? rec->Client() : rect->Intersect(rec->Client());
  rec->update = rec->update.Union(area);
}

Rect HeadlessHost::BeginPaint(WindowHandle window) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return {};
  Rect area = rec->update.Intersect(rec->Client());
  rec->update = {};
  return area;
}

void HeadlessHost::EndPaint(WindowHandle window) {}

void HeadlessHost::Present(WindowHandle window, const Bitmap& frame, const Rect& area) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return;
  Rect client = rec->Client();
  rec->frame.Resize(client.Width(), client.Height());
  Rect copy = area.Intersect(client).Intersect({0, 0, frame.width(), frame.height()});
  for (int y = copy.top; y < copy.bottom; ++y) {
    std::copy(frame.row(y) + copy.left, frame.row(y) + copy.right, rec->frame.row(y) + copy.left);
  }
  ++rec->presentCount;
  ++presentCount_;
}

const Bitmap* HeadlessHost::Frame(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr || rec->presentCount == 0 ? nullptr : &rec->frame;
}

int HeadlessHost::PresentCount(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? 0 : rec->presentCount;
}

Rect HeadlessHost::UpdateRect(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? Rect{} : rec->update;
}

}  // namespace zui
