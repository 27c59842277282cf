#include "net/linux/netlink_adapter_source.h"

#include <arpa/inet.h>
#include <linux/if_addr.h>
#include <linux/rtnetlink.h>
#include <net/if.h>

#include <cstring>
#include <fstream>
#include <map>
#include <system_error>

#include "net/linux/device_description.h"
#include "net/linux/netlink_socket.h"

namespace znet {
namespace {

struct LinkInfo {
  uint32_t index = 0;
  bool loopback = false;
  std::string name;
  std::vector<uint8_t> hardwareAddress;
};

struct AddressInfo {
  in_addr address{};
  int prefixLength = 0;
  bool permanent = true;
};

std::string DottedQuad(in_addr address) {
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &address, text, sizeof(text));
  return text;
}

std::string PrefixToMask(int prefixLength) {
  in_addr mask{};
  mask.s_addr = prefixLength <= 0 ? 0 : htonl(~uint32_t{0} << (32 - std::min(prefixLength, 32)));
  return DottedQuad(mask);
}

int DumpLinks(NetlinkSocket& socket, std::vector<LinkInfo>& links) {
  ifinfomsg family{};
  family.ifi_family = AF_UNSPEC;
  NetlinkRequest request(RTM_GETLINK, 0, &family, sizeof(family));
  return socket.Dump(request, [&](const nlmsghdr& message) {
    if (message.nlmsg_type != RTM_NEWLINK) return;
    const auto* info = static_cast<const ifinfomsg*>(NLMSG_DATA(&message));
    LinkInfo link;
    link.index = static_cast<uint32_t>(info->ifi_index);
    link.loopback = (info->ifi_flags & IFF_LOOPBACK) != 0;
    ForEachAttribute(message, sizeof(ifinfomsg), [&](uint16_t type, const void* data, size_t size) {
      if (type == IFLA_IFNAME)
        link.name.assign(static_cast<const char*>(data), strnlen(static_cast<const char*>(data), size));
      if (type == IFLA_ADDRESS) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        link.hardwareAddress.assign(bytes, bytes + std::min<size_t>(size, 8));
      }
    });
    links.push_back(std::move(link));
  });
}

int DumpFirstAddresses(NetlinkSocket& socket, std::map<uint32_t, AddressInfo>& addresses) {
  ifaddrmsg family{};
  family.ifa_family = AF_INET;
  NetlinkRequest request(RTM_GETADDR, 0, &family, sizeof(family));
  return socket.Dump(request, [&](const nlmsghdr& message) {
    if (message.nlmsg_type != RTM_NEWADDR) return;
    const auto* info = static_cast<const ifaddrmsg*>(NLMSG_DATA(&message));
    if (info->ifa_family != AF_INET || addresses.count(info->ifa_index)) return;
    AddressInfo address;
    address.prefixLength = info->ifa_prefixlen;
    uint32_t flags = info->ifa_flags;
    bool haveLocal = false;
    ForEachAttribute(message, sizeof(ifaddrmsg), [&](uint16_t type, const void* data, size_t size) {
      if ((type == IFA_LOCAL || (type == IFA_ADDRESS && !haveLocal)) && size == sizeof(in_addr)) {
        std::memcpy(&address.address, data, sizeof(in_addr));
        haveLocal = haveLocal || type == IFA_LOCAL;
      }
      if (type == IFA_FLAGS && size == sizeof(uint32_t)) std::memcpy(&flags, data, sizeof(flags));
    });
    address.permanent = (flags & IFA_F_PERMANENT) != 0;
    addresses[info->ifa_index] = address;
  });
}

int DumpDefaultGateways(NetlinkSocket& socket, std::map<uint32_t, in_addr>& gateways) {
  rtmsg family{};
  family.rtm_family = AF_INET;
  NetlinkRequest request(RTM_GETROUTE, 0, &family, sizeof(family));
  return socket.Dump(request, [&](const nlmsghdr& message) {
    if (message.nlmsg_type != RTM_NEWROUTE) return;
    const auto* info = static_cast<const rtmsg*>(NLMSG_DATA(&message));
    if (info->rtm_dst_len != 0 || info->rtm_table != RT_TABLE_MAIN) return;
    uint32_t outputIndex = 0;
    in_addr gateway{};
    bool haveGateway = false;
    ForEachAttribute(message, sizeof(rtmsg), [&](uint16_t type, const void* data, size_t size) {
      if (type == RTA_OIF && size == sizeof(uint32_t)) std::memcpy(&outputIndex, data, sizeof(outputIndex));
      if (type == RTA_GATEWAY && size == sizeof(in_addr)) {
        std::memcpy(&gateway, data, sizeof(gateway));
        haveGateway = true;
      }
    });
    if (haveGateway && outputIndex != 0 && !gateways.count(outputIndex)) gateways[outputIndex] = gateway;
  });
}

bool IsWireless(const std::filesystem::path& interfaceDir) {
  std::error_code ec;
  return std::filesystem::exists(interfaceDir / "wireless", ec) ||
         std::filesystem::exists(interfaceDir / "phy80211", ec);
}

// systemd-networkd keeps the lease of each interface in a file named after
// its index; other DHCP clients leave the server unknown.
std::string LeaseServer(const std::filesystem::path& leaseDir, uint32_t index) {
  std::ifstream lease(leaseDir / std::to_string(index));
  std::string line;
  while (std::getline(lease, line)) {
    if (line.rfind("SERVER_ADDRESS=", 0) == 0) return line.substr(15);
  }
  return {};
}

}  // namespace

NetlinkAdapterSource::NetlinkAdapterSource(std::filesystem::path classNet, std::filesystem::path leaseDir)
    : classNet_(std::move(classNet)), leaseDir_(std::move(leaseDir)) {}

AdapterQuery NetlinkAdapterSource::ListAdapters(std::vector<AdapterEntry>& adapters) {
  adapters.clear();
  NetlinkSocket socket;
  std::vector<LinkInfo> links;
  std::map<uint32_t, AddressInfo> addresses;
  std::map<uint32_t, in_addr> gateways;
  if (socket.OpenError() || DumpLinks(socket, links) || DumpFirstAddresses(socket, addresses) ||
      DumpDefaultGateways(socket, gateways)) {
    return AdapterQuery::Failed;
  }
  for (const LinkInfo& link : links) {
    const std::filesystem::path dir = classNet_ / link.name;
    AdapterEntry entry;
    entry.name = link.name;
    entry.description = DescribeInterface(dir, link.name, link.loopback);
    entry.hardwareAddress = link.hardwareAddress;
    entry.index = link.index;
    entry.type = IsWireless(dir) ? kAdapterTypeWireless : kAdapterTypeEthernet;
    if (auto found = addresses.find(link.index); found != addresses.end()) {
      entry.ipAddress = DottedQuad(found->second.address);
      entry.ipMask = PrefixToMask(found->second.prefixLength);
      entry.dhcpEnabled = !found->second.permanent;
    }
    if (auto found = gateways.find(link.index); found != gateways.end()) entry.gateway = DottedQuad(found->second);
    if (entry.dhcpEnabled) entry.dhcpServer = LeaseServer(leaseDir_, link.index);
    adapters.push_back(std::move(entry));
  }
  return AdapterQuery::Ok;
}

}  // namespace znet
