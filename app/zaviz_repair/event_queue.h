#pragma once
// What reaches the repair's main thread from elsewhere: the server's progress
// reports (from its worker thread), stop requests (signals, Ctrl+C) and the
// diagnosis's wake-ups. The main thread waits here, also for the finishing
// timer's next tick and the diagnosis's.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include "app/repair/progress_report.h"

namespace zaviz_repair {

struct RepairEvent {
  enum class Kind { kProgress, kStop, kDiagnosis };
  Kind kind = Kind::kProgress;
  zapp::ProgressReport report;
};

class EventQueue {
 public:
  using Clock = std::chrono::steady_clock;

  // Any thread. A report that follows a queued report of the same file
  // replaces it (the workflow only reads the latest position per file), so
  // the queue stays short when the main thread is slow; the first report,
  // which only turns the page, is never merged away.
  void PushProgress(zapp::ProgressReport report);
  void PushStop();
  // The diagnosis's inbox has events (they stay there; this only wakes the main thread).
  void PushDiagnosis();

  // Main thread: the next event, or nullopt when `deadline` passes first
  // (no deadline: waits for an event).
  std::optional<RepairEvent> WaitNext(std::optional<Clock::time_point> deadline);

  size_t Size() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<RepairEvent> events_;
};

}  // namespace zaviz_repair
