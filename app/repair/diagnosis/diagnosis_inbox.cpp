#include "app/repair/diagnosis/diagnosis_inbox.h"

#include <utility>

namespace zapp {

void DiagnosisInbox::Push(DiagnosisEvent event) {
  std::function<void()> wake;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (waiting_.size() >= kMaxWaiting) return;
    waiting_.push_back(std::move(event));
    // One wake-up per batch: the UI thread takes all that waits.
    if (wakePending_ || !wake_) return;
    wakePending_ = true;
    wake = wake_;
  }
  wake();
}

std::vector<DiagnosisEvent> DiagnosisInbox::Take() {
  std::lock_guard<std::mutex> lock(mutex_);
  wakePending_ = false;
  std::vector<DiagnosisEvent> taken;
  taken.swap(waiting_);
  return taken;
}

void DiagnosisInbox::SetWake(std::function<void()> wake) {
  std::lock_guard<std::mutex> lock(mutex_);
  wake_ = std::move(wake);
  wakePending_ = false;
}

}  // namespace zapp
