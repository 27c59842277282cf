#include "net/platform_network.h"

#include "net/linux/netlink_adapter_source.h"
#include "net/linux/netlink_address_changer.h"
#include "net/linux/netlink_repair_address_keeper.h"
#include "net/linux/sysfs_registry_source.h"
#include "sys/debug_output.h"

namespace znet {

std::unique_ptr<IRegistrySource> CreateRegistrySource() { return std::make_unique<SysfsRegistrySource>(); }
std::unique_ptr<IAdapterSource> CreateAdapterSource() { return std::make_unique<NetlinkAdapterSource>(); }
std::unique_ptr<IAddressChanger> CreateAddressChanger() { return std::make_unique<NetlinkAddressChanger>(); }
std::unique_ptr<IRepairAddressKeeper> CreateRepairAddressKeeper(std::FILE* console) {
  return std::make_unique<NetlinkRepairAddressKeeper>(console);
}

// A plain Linux desktop filters by port, not by program, so there is no rule
// to add for the executable.
bool AddFirewallRules(const FirewallRequest& request) {
  if (!request.inbound && !request.outbound) return false;
  zsys::DebugOutput("AddFirewallRules: no per-program firewall on this system; nothing changed");
  return request.inbound && request.outbound;
}

}  // namespace znet
