#pragma once
// The real backends of this platform: registry and GetAdaptersInfo, netsh and
// Windows Firewall on Windows; sysfs, rtnetlink and no firewall on Linux.

#include <memory>

#include "net/adapter_source.h"
#include "net/address_changer.h"
#include "net/firewall_rules.h"
#include "net/registry_source.h"

namespace znet {

std::unique_ptr<IRegistrySource> CreateRegistrySource();
std::unique_ptr<IAdapterSource> CreateAdapterSource();
std::unique_ptr<IAddressChanger> CreateAddressChanger();

// The rule procedure against the system's firewall. COM must already be
// initialised on the calling thread (Windows).
bool AddFirewallRules(const FirewallRequest& request);

}  // namespace znet
