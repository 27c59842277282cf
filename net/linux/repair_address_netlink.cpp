#include "net/linux/repair_address_netlink.h"

#include <arpa/inet.h>
#include <linux/if_addr.h>
#include <linux/rtnetlink.h>

#include <cstring>

#include "net/address_changer.h"

namespace znet {
namespace {

in_addr RepairAddress() {
  in_addr address{};
  inet_pton(AF_INET, kRepairAddress, &address);
  return address;
}

NetlinkRequest RepairAddressRequest(uint16_t type, uint16_t flags, uint32_t index) {
  ifaddrmsg family{};
  family.ifa_family = AF_INET;
  family.ifa_prefixlen = kRepairPrefixLength;
  family.ifa_scope = RT_SCOPE_UNIVERSE;
  family.ifa_index = index;
  NetlinkRequest request(type, flags, &family, sizeof(family));
  const in_addr local = RepairAddress();
  request.AddAttribute(IFA_LOCAL, &local, sizeof(local));
  request.AddAttribute(IFA_ADDRESS, &local, sizeof(local));
  if (type == RTM_NEWADDR) {
    in_addr broadcast = local;
    broadcast.s_addr |= htonl(~uint32_t{0} >> kRepairPrefixLength);
    request.AddAttribute(IFA_BROADCAST, &broadcast, sizeof(broadcast));
  }
  return request;
}

}  // namespace

int AddRepairAddress(NetlinkSocket& socket, uint32_t index) {
  NetlinkRequest add = RepairAddressRequest(RTM_NEWADDR, NLM_F_CREATE | NLM_F_EXCL, index);
  return socket.Transact(add);
}

int RemoveRepairAddress(NetlinkSocket& socket, uint32_t index) {
  NetlinkRequest remove = RepairAddressRequest(RTM_DELADDR, 0, index);
  return socket.Transact(remove);
}

bool IsRepairAddressMessage(const nlmsghdr& message, uint32_t index) {
  if (message.nlmsg_type != RTM_NEWADDR && message.nlmsg_type != RTM_DELADDR) return false;
  if (message.nlmsg_len < NLMSG_LENGTH(sizeof(ifaddrmsg))) return false;
  const auto* family = static_cast<const ifaddrmsg*>(NLMSG_DATA(&message));
  if (family->ifa_family != AF_INET || family->ifa_index != index || family->ifa_prefixlen != kRepairPrefixLength) {
    return false;
  }
  const in_addr wanted = RepairAddress();
  bool matches = false;
  ForEachAttribute(message, sizeof(ifaddrmsg), [&](uint16_t type, const void* data, size_t size) {
    if (type == IFA_LOCAL && size == sizeof(in_addr)) matches = std::memcmp(data, &wanted, sizeof(wanted)) == 0;
  });
  return matches;
}

int QueryRepairAddress(NetlinkSocket& socket, uint32_t index, bool& carries) {
  carries = false;
  ifaddrmsg family{};
  family.ifa_family = AF_INET;
  NetlinkRequest dump(RTM_GETADDR, 0, &family, sizeof(family));
  return socket.Dump(dump, [&](const nlmsghdr& message) {
    if (IsRepairAddressMessage(message, index)) carries = true;
  });
}

}  // namespace znet
