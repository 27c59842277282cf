#pragma once
// Where the sources of the diagnosis (the server's worker, the link watcher,
// the capture) leave their events for the UI thread. Pushing wakes the UI
// thread through the frontend's wake function (a posted message, a queue
// event); the UI thread takes everything at once.

#include <functional>
#include <mutex>
#include <vector>

#include "app/repair/diagnosis/diagnosis_event.h"

namespace zapp {

class DiagnosisInbox {
 public:
  // More waiting events than this and new ones are dropped: a flood of ARP
  // must not grow memory while the UI thread is busy.
  static constexpr size_t kMaxWaiting = 256;

  // Any thread. The wake function runs outside the lock.
  void Push(DiagnosisEvent event);
  // UI thread: everything pushed so far, oldest first.
  std::vector<DiagnosisEvent> Take();
  // Set before the sources start, cleared before the frontend goes.
  void SetWake(std::function<void()> wake);

 private:
  std::mutex mutex_;
  std::vector<DiagnosisEvent> waiting_;
  std::function<void()> wake_;
  bool wakePending_ = false;
};

}  // namespace zapp
