#include "app/zaviz_repair/event_queue.h"

#include <utility>

namespace zaviz_repair {

void EventQueue::PushProgress(zapp::ProgressReport report) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const size_t n = events_.size();
    const bool mergeable = n >= 2 && events_[n - 1].kind == RepairEvent::Kind::kProgress &&
                           events_[n - 2].kind == RepairEvent::Kind::kProgress &&
                           events_[n - 1].report.path == report.path;
    if (mergeable) {
      events_[n - 1].report = std::move(report);
    } else {
      events_.push_back({RepairEvent::Kind::kProgress, std::move(report)});
    }
  }
  arrived_.notify_one();
}

void EventQueue::PushStop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back({RepairEvent::Kind::kStop, {}});
  }
  arrived_.notify_one();
}

void EventQueue::PushDiagnosis() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back({RepairEvent::Kind::kDiagnosis, {}});
  }
  arrived_.notify_one();
}

std::optional<RepairEvent> EventQueue::WaitNext(std::optional<Clock::time_point> deadline) {
  std::unique_lock<std::mutex> lock(mutex_);
  const auto ready = [this] { return !events_.empty(); };
  if (deadline) {
    if (!arrived_.wait_until(lock, *deadline, ready)) return std::nullopt;
  } else {
    arrived_.wait(lock, ready);
  }
  RepairEvent event = std::move(events_.front());
  events_.pop_front();
  return event;
}

size_t EventQueue::Size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return events_.size();
}

}  // namespace zaviz_repair
