#pragma once
// The Linux keeper of the repair address: a thread that listens to the
// kernel's IPv4 address notifications and checks the card once a second
// besides; when 192.168.1.2/24 is gone it adds it again and says so.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "net/linux/netlink_socket.h"
#include "net/repair_address_keeper.h"

namespace znet {

struct KeeperOptions {
  std::chrono::milliseconds checkInterval{1000};
  bool listenToNotifications = true;  // off only to test the periodic check alone
};

class NetlinkRepairAddressKeeper : public IRepairAddressKeeper {
 public:
  explicit NetlinkRepairAddressKeeper(std::FILE* console, KeeperOptions options = {});
  ~NetlinkRepairAddressKeeper() override;

  // Opens its sockets in the calling thread's network namespace.
  bool Start(uint32_t index) override;
  void Stop() override;

  // How often the address was put back since Start.
  int PutBackCount() const { return putBack_.load(); }

 private:
  void Run();
  // Drains pending notifications; true when one said the address was removed.
  bool RemovalNotified();
  void PutBackIfGone();
  void Say(const std::string& line);

  std::FILE* console_;
  KeeperOptions options_;
  uint32_t index_ = 0;
  std::string cardName_;
  std::unique_ptr<NetlinkSocket> requests_;
  int notifications_ = -1;
  int wakeUp_ = -1;
  int lastError_ = 0;
  std::atomic<int> putBack_{0};
  std::thread thread_;
};

}  // namespace znet
