#include "net/platform_network.h"

#include <windows.h>

#include "net/netsh_address_changer.h"
#include "net/win32/com_firewall.h"
#include "net/win32/win_adapter_source.h"
#include "net/win32/win_registry_source.h"

namespace znet {

std::unique_ptr<IRegistrySource> CreateRegistrySource() { return std::make_unique<WinRegistrySource>(); }
std::unique_ptr<IAdapterSource> CreateAdapterSource() { return std::make_unique<WinAdapterSource>(); }

// netsh is started without a window and not waited for.
std::unique_ptr<IAddressChanger> CreateAddressChanger() {
  return std::make_unique<NetshAddressChanger>(
      [](const std::string& commandLine) { WinExec(commandLine.c_str(), SW_HIDE); });
}

namespace {

// netsh's address is static: nothing on Windows takes it away.
class StaticAddressKeeper : public IRepairAddressKeeper {
 public:
  bool Start(uint32_t index) override { return index != 0; }
  void Stop() override {}
};

}  // namespace

std::unique_ptr<IRepairAddressKeeper> CreateRepairAddressKeeper(std::FILE* console) {
  return std::make_unique<StaticAddressKeeper>();
}

bool AddFirewallRules(const FirewallRequest& request) {
  ComFirewall firewall;
  return AddFirewallRules(request, firewall);
}

}  // namespace znet
