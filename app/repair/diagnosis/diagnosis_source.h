#pragma once
// A watcher of the repair card for the diagnosis (its link, packets on it):
// it runs on a thread of its own from Start to Stop and leaves what it sees
// in the inbox. One implementation per platform; tests use fakes.

#include <cstdint>
#include <memory>
#include <vector>

#include "app/repair/diagnosis/diagnosis_inbox.h"

namespace zapp {

class IDiagnosisSource {
 public:
  virtual ~IDiagnosisSource() = default;
  // Starts watching card `index`; what it cannot watch it says through the
  // inbox (kSourceMissing) rather than failing the repair.
  virtual void Start(uint32_t index, DiagnosisInbox& inbox) = 0;
  // Stops and joins; nothing reaches the inbox afterwards. Idempotent.
  virtual void Stop() = 0;
};

// The card's link as the platform reports it (Linux: rtnetlink; Windows: IP Helper).
std::unique_ptr<IDiagnosisSource> CreateLinkWatcher();
// The box's packets on the card (Linux: a libpcap capture); null where that
// needs more than the system offers (Windows: a capture driver).
std::unique_ptr<IDiagnosisSource> CreatePacketWatcher();

// The platform's watchers of the repair card, and the plain pointers RepairSetup takes.
struct CardWatchers {
  CardWatchers();
  std::vector<IDiagnosisSource*> Pointers() const;
  std::unique_ptr<IDiagnosisSource> link, packets;
};

}  // namespace zapp
