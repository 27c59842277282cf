#pragma once
// The repair card's link and its repair address from rtnetlink: the link's
// state at the start and every change (IFF_LOWER_UP, the carrier), and the
// repair address coming back after it was removed (the keeper's work).

#include <atomic>
#include <cstdint>
#include <thread>

#include "app/repair/diagnosis/diagnosis_source.h"

namespace zapp {

class NetlinkLinkWatcher : public IDiagnosisSource {
 public:
  ~NetlinkLinkWatcher() override;
  // Opens its socket in the calling thread's network namespace.
  void Start(uint32_t index, DiagnosisInbox& inbox) override;
  void Stop() override;

 private:
  void Run();
  // Reads what is pending on the notification socket; false when it failed for good.
  bool Drain();
  void NoteLink(bool up);

  uint32_t index_ = 0;
  DiagnosisInbox* inbox_ = nullptr;
  int notifications_ = -1;
  int wakeUp_ = -1;
  int linkUp_ = -1;  // -1 unknown, else the last state told
  bool addressRemoved_ = false;
  std::thread thread_;
};

}  // namespace zapp
