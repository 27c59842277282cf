#pragma once
// The real backends of this platform: registry and GetAdaptersInfo, netsh and
// Windows Firewall on Windows; sysfs, rtnetlink and no firewall on Linux.

#include <cstdio>
#include <memory>

#include "net/adapter_source.h"
#include "net/address_changer.h"
#include "net/firewall_rules.h"
#include "net/registry_source.h"
#include "net/repair_address_keeper.h"

namespace znet {

std::unique_ptr<IRegistrySource> CreateRegistrySource();
std::unique_ptr<IAdapterSource> CreateAdapterSource();
std::unique_ptr<IAddressChanger> CreateAddressChanger();
// Linux: puts 192.168.1.2/24 back when it disappears (one line on `console`
// each time); Windows: does nothing, netsh's address is static.
std::unique_ptr<IRepairAddressKeeper> CreateRepairAddressKeeper(std::FILE* console);

// The rule procedure against the system's firewall. COM must already be
// initialised on the calling thread (Windows).
bool AddFirewallRules(const FirewallRequest& request);

}  // namespace znet
