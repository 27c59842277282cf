#include "app/repair/diagnosis/diagnosis_source.h"

namespace zapp {

CardWatchers::CardWatchers() : link(CreateLinkWatcher()), packets(CreatePacketWatcher()) {}

std::vector<IDiagnosisSource*> CardWatchers::Pointers() const {
  std::vector<IDiagnosisSource*> pointers;
  if (link) pointers.push_back(link.get());
  if (packets) pointers.push_back(packets.get());
  return pointers;
}

}  // namespace zapp
