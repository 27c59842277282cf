#include "net/linux/netlink_address_changer.h"

#include <linux/rtnetlink.h>
#include <net/if.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "net/linux/netlink_socket.h"
#include "net/linux/repair_address_netlink.h"

namespace znet {
namespace {

int BringLinkUp(NetlinkSocket& socket, uint32_t index) {
  ifinfomsg family{};
  family.ifi_family = AF_UNSPEC;
  family.ifi_index = static_cast<int>(index);
  family.ifi_flags = IFF_UP;
  family.ifi_change = IFF_UP;
  NetlinkRequest request(RTM_NEWLINK, 0, &family, sizeof(family));
  return socket.Transact(request);
}

}  // namespace

NetlinkAddressChanger::NetlinkAddressChanger(TraceSink trace) : trace_(trace) {}

bool NetlinkAddressChanger::Fail(const char* what, uint32_t index, int error) {
  char line[256];
  if (error == EPERM || error == EACCES) {
    std::snprintf(line, sizeof(line),
                  "SetIP: cannot %s on interface %u: missing privilege (needs CAP_NET_ADMIN or root)", what, index);
  } else {
    std::snprintf(line, sizeof(line), "SetIP: cannot %s on interface %u: %s", what, index, std::strerror(error));
  }
  lastError_ = line;
  std::printf("%s\n", line);
  std::fflush(stdout);
  trace_(line);
  return false;
}

bool NetlinkAddressChanger::GiveRepairAddress(uint32_t index) {
  lastError_.clear();
  NetlinkSocket socket;
  if (socket.OpenError()) return Fail("open rtnetlink", index, socket.OpenError());
  if (int error = BringLinkUp(socket, index)) return Fail("bring the link up", index, error);
  const int error = AddRepairAddress(socket, index);
  if (error == EEXIST) {
    // Still there from an earlier call of ours is not the card's own.
    if (!givenByUs_.count(index)) hadRepairAddress_.insert(index);
  } else if (error) {
    return Fail("add 192.168.1.2/24", index, error);
  }
  if (!error) givenByUs_.insert(index);
  char line[128];
  std::snprintf(line, sizeof(line), "SetIP 111 netlink add %s/%d dev %u", kRepairAddress, kRepairPrefixLength, index);
  trace_(line);
  return true;
}

bool NetlinkAddressChanger::RestoreCard(uint32_t index, const NetCardInfo& recorded) {
  lastError_.clear();
  if (hadRepairAddress_.count(index) || recorded.ipAddress == kRepairAddress) {
    trace_("SetIP 222 netlink: the repair address was the card's own; left in place");
    return true;
  }
  NetlinkSocket socket;
  if (socket.OpenError()) return Fail("open rtnetlink", index, socket.OpenError());
  const int error = RemoveRepairAddress(socket, index);
  // Already gone (the link was reset meanwhile): the card is as it was.
  if (error && error != EADDRNOTAVAIL) return Fail("remove 192.168.1.2/24", index, error);
  givenByUs_.erase(index);
  char line[128];
  std::snprintf(line, sizeof(line), "SetIP 222 netlink del %s/%d dev %u", kRepairAddress, kRepairPrefixLength, index);
  trace_(line);
  return true;
}

bool NetlinkAddressChanger::CardCarriesRepairAddress(uint32_t index) {
  NetlinkSocket socket;
  bool carries = false;
  if (socket.OpenError() || QueryRepairAddress(socket, index, carries)) return false;
  return carries;
}

bool NetlinkAddressChanger::RepairAddressWasOwn(uint32_t index) const { return hadRepairAddress_.count(index) > 0; }

void NetlinkAddressChanger::SetRepairAddressWasOwn(uint32_t index, bool own) {
  if (own) {
    hadRepairAddress_.insert(index);
  } else {
    hadRepairAddress_.erase(index);
  }
}

}  // namespace znet
