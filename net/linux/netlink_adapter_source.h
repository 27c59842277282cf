#pragma once
// The adapter list on Linux: links, first IPv4 addresses and default routes
// from rtnetlink (of the caller thread's network namespace), kind and
// description from sysfs.

#include <filesystem>

#include "net/adapter_source.h"

namespace znet {

class NetlinkAdapterSource : public IAdapterSource {
 public:
  explicit NetlinkAdapterSource(std::filesystem::path classNet = "/sys/class/net",
                                std::filesystem::path leaseDir = "/run/systemd/netif/leases");
  AdapterQuery ListAdapters(std::vector<AdapterEntry>& adapters) override;

 private:
  std::filesystem::path classNet_;
  std::filesystem::path leaseDir_;
};

}  // namespace znet
