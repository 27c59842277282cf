#include "net/linux/netlink_address_changer.h"

#include <arpa/inet.h>
#include <linux/if_addr.h>
#include <linux/rtnetlink.h>
#include <net/if.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "net/linux/netlink_socket.h"

namespace znet {
namespace {

in_addr Parse(const char* dotted) {
  in_addr address{};
  inet_pton(AF_INET, dotted, &address);
  return address;
}

NetlinkRequest RepairAddressRequest(uint16_t type, uint16_t flags, uint32_t index) {
  ifaddrmsg family{};
  family.ifa_family = AF_INET;
  family.ifa_prefixlen = kRepairPrefixLength;
  family.ifa_scope = RT_SCOPE_UNIVERSE;
  family.ifa_index = index;
  NetlinkRequest request(type, flags, &family, sizeof(family));
  const in_addr local = Parse(kRepairAddress);
  request.AddAttribute(IFA_LOCAL, &local, sizeof(local));
  request.AddAttribute(IFA_ADDRESS, &local, sizeof(local));
  if (type == RTM_NEWADDR) {
    in_addr broadcast = local;
    broadcast.s_addr |= htonl(~uint32_t{0} >> kRepairPrefixLength);
    request.AddAttribute(IFA_BROADCAST, &broadcast, sizeof(broadcast));
  }
  return request;
}

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
                  "SetIP: cannot %s on interface %u: missing privilege (needs CAP_NET_ADMIN or root)", what,
                  index);
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
  NetlinkRequest add = RepairAddressRequest(RTM_NEWADDR, NLM_F_CREATE | NLM_F_EXCL, index);
  const int error = socket.Transact(add);
  if (error == EEXIST) {
    hadRepairAddress_.insert(index);
  } else if (error) {
    return Fail("add 192.168.1.2/24", index, error);
  }
  char line[128];
  std::snprintf(line, sizeof(line), "SetIP 111 netlink add %s/%d dev %u", kRepairAddress, kRepairPrefixLength,
                index);
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
  NetlinkRequest remove = RepairAddressRequest(RTM_DELADDR, 0, index);
  const int error = socket.Transact(remove);
  // Already gone (the link was reset meanwhile): the card is as it was.
  if (error && error != EADDRNOTAVAIL) return Fail("remove 192.168.1.2/24", index, error);
  char line[128];
  std::snprintf(line, sizeof(line), "SetIP 222 netlink del %s/%d dev %u", kRepairAddress, kRepairPrefixLength,
                index);
  trace_(line);
  return true;
}

}  // namespace znet
