#include "net/linux/netlink_repair_address_keeper.h"

#include <linux/rtnetlink.h>
#include <net/if.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "net/address_changer.h"
#include "net/linux/repair_address_netlink.h"

namespace znet {
namespace {

std::string CardName(uint32_t index) {
  char name[IF_NAMESIZE] = {};
  if (if_indextoname(index, name)) return name;
  return "interface " + std::to_string(index);
}

void CloseIfOpen(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

}  // namespace

NetlinkRepairAddressKeeper::NetlinkRepairAddressKeeper(std::FILE* console, KeeperOptions options)
    : console_(console), options_(options) {}

NetlinkRepairAddressKeeper::~NetlinkRepairAddressKeeper() { Stop(); }

bool NetlinkRepairAddressKeeper::Start(uint32_t index) {
  Stop();
  if (index == 0) return false;
  requests_ = std::make_unique<NetlinkSocket>();
  wakeUp_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (options_.listenToNotifications) notifications_ = OpenNetlinkNotifications(1u << (RTNLGRP_IPV4_IFADDR - 1));
  if (requests_->OpenError() || wakeUp_ < 0 || (options_.listenToNotifications && notifications_ < 0)) {
    Say("cannot watch the repair address: " +
        std::string(std::strerror(requests_->OpenError() ? requests_->OpenError() : errno)));
    requests_.reset();
    CloseIfOpen(wakeUp_);
    CloseIfOpen(notifications_);
    return false;
  }
  index_ = index;
  cardName_ = CardName(index);
  lastError_ = 0;
  putBack_ = 0;
  thread_ = std::thread(&NetlinkRepairAddressKeeper::Run, this);
  return true;
}

void NetlinkRepairAddressKeeper::Stop() {
  if (!thread_.joinable()) return;
  const uint64_t one = 1;
  (void)!write(wakeUp_, &one, sizeof(one));
  thread_.join();
  requests_.reset();
  CloseIfOpen(wakeUp_);
  CloseIfOpen(notifications_);
}

void NetlinkRepairAddressKeeper::Run() {
  using Clock = std::chrono::steady_clock;
  auto nextCheck = Clock::now() + options_.checkInterval;
  for (;;) {
    pollfd waits[2] = {{wakeUp_, POLLIN, 0}, {notifications_, POLLIN, 0}};
    const auto untilCheck = std::chrono::duration_cast<std::chrono::milliseconds>(nextCheck - Clock::now());
    const int timeout = static_cast<int>(std::max<int64_t>(0, untilCheck.count()));
    const int ready = poll(waits, notifications_ >= 0 ? 2 : 1, timeout);
    if (ready < 0 && errno != EINTR) return;
    if (waits[0].revents) return;
    bool check = Clock::now() >= nextCheck;
    if (waits[1].revents && RemovalNotified()) check = true;
    if (!check) continue;
    PutBackIfGone();
    nextCheck = Clock::now() + options_.checkInterval;
  }
}

bool NetlinkRepairAddressKeeper::RemovalNotified() {
  std::vector<char> buffer(64 * 1024);
  bool removed = false;
  for (;;) {
    const ssize_t received = recv(notifications_, buffer.data(), buffer.size(), 0);
    if (received < 0) {
      if (errno == EINTR) continue;
      // Lost notifications (ENOBUFS): look for ourselves.
      return removed || errno == ENOBUFS;
    }
    if (received == 0) return removed;
    size_t remaining = static_cast<size_t>(received);
    for (auto* message = reinterpret_cast<nlmsghdr*>(buffer.data()); NLMSG_OK(message, remaining);
         message = NLMSG_NEXT(message, remaining)) {
      if (message->nlmsg_type == RTM_DELADDR && IsRepairAddressMessage(*message, index_)) removed = true;
    }
  }
}

void NetlinkRepairAddressKeeper::PutBackIfGone() {
  // An exclusive add is the check and the repair at once: EEXIST means the
  // address is in place and nothing changes.
  const int error = AddRepairAddress(*requests_, index_);
  if (error == EEXIST) {
    lastError_ = 0;
    return;
  }
  if (error == 0) {
    ++putBack_;
    lastError_ = 0;
    Say("repair address " + std::string(kRepairAddress) + " was removed from " + cardName_ + "; put back");
    return;
  }
  if (error != lastError_) {  // one line per kind of failure, not one a second
    Say("repair address " + std::string(kRepairAddress) + " is missing on " + cardName_ +
        " and cannot be put back: " + std::strerror(error));
  }
  lastError_ = error;
}

void NetlinkRepairAddressKeeper::Say(const std::string& line) {
  if (!console_) return;
  std::fprintf(console_, "%s\n", line.c_str());
  std::fflush(console_);
}

}  // namespace znet
