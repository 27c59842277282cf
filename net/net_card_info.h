#pragma once
// The records adapter discovery produces. The repair window owns the tables;
// the operations of this library fill and read them by reference.

#include <cstdint>
#include <map>
#include <string>

namespace znet {

// One eligible wired card as it was configured when the repair started.
struct NetCardInfo {
  std::string ipAddress;
  std::string gateway;
  std::string ipMask;
  std::string description;       // system code page
  std::wstring wideDescription;  // what the card chooser shows
  uint32_t index = 0;            // interface index: what netsh and the chooser use
  bool dhcpEnabled = false;
};

// Instance identifier -> true when the system flags the card as a physical
// device, false when its flags could not be read. Cards known to be virtual
// have no entry at all.
using PhysicalCardTable = std::map<std::string, bool>;

}  // namespace znet
