#pragma once
// The system's list of IPv4 adapters (GetAdaptersInfo on Windows, rtnetlink
// and sysfs on Linux), reduced to the fields discovery prints or keeps.

#include <cstdint>
#include <string>
#include <vector>

namespace znet {

inline constexpr uint32_t kAdapterTypeEthernet = 6;
inline constexpr uint32_t kAdapterTypeWireless = 71;  // IF_TYPE_IEEE80211

struct AdapterEntry {
  std::string name;  // instance identifier: the key of the physical-card table
  std::string description;
  std::vector<uint8_t> hardwareAddress;
  uint32_t index = 0;
  uint32_t type = kAdapterTypeEthernet;
  bool dhcpEnabled = false;
  std::string ipAddress = "0.0.0.0";
  std::string ipMask = "0.0.0.0";
  std::string gateway = "0.0.0.0";
  std::string dhcpServer;
};

enum class AdapterQuery { Ok, OutOfMemory, Failed };

class IAdapterSource {
 public:
  virtual ~IAdapterSource() = default;
  // Replaces `adapters` with the system's list, in the system's order.
  virtual AdapterQuery ListAdapters(std::vector<AdapterEntry>& adapters) = 0;
};

}  // namespace znet
