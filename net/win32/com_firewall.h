#pragma once
// Windows Firewall through its COM classes (NetFwPolicy2, NetFwRule). COM
// must be initialised on the calling thread.

#include "net/firewall_store.h"

namespace znet {

class ComFirewall : public IFirewall {
 public:
  std::unique_ptr<IFirewallRules> OpenRules() override;
};

}  // namespace znet
