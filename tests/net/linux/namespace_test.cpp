// The Linux address changer for real, inside two network namespaces that the
// test makes and always deletes: "near" holds the card (one end of a veth
// pair), "far" plays the device at 192.168.1.10. Nothing outside them is
// touched.

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "net/adapter_discovery.h"
#include "net/linux/netlink_adapter_source.h"
#include "net/linux/netlink_address_changer.h"
#include "net/set_ip.h"
#include "netns_helpers.h"

namespace znet {
namespace {

using testing::RunCommand;
using testing::RunInNamespace;

constexpr char kCard[] = "zcard0";
constexpr char kDevice[] = "zdev0";
constexpr uint16_t kPort = 40069;

int UdpSocketBoundTo(const char* address, uint16_t port) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  inet_pton(AF_INET, address, &local.sin_addr);
  if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof(local)) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

class NamespaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (geteuid() != 0) GTEST_SKIP() << "network namespace test needs root (CAP_SYS_ADMIN, CAP_NET_ADMIN)";
    const std::string suffix = std::to_string(getpid());
    near_ = "zaviz-near-" + suffix;
    far_ = "zaviz-far-" + suffix;
    ASSERT_TRUE(Ip("netns add " + near_));
    madeNear_ = true;
    ASSERT_TRUE(Ip("netns add " + far_));
    madeFar_ = true;
    // The pair is created inside "near" with its peer sent straight to
    // "far", so it never appears among this machine's interfaces.
    ASSERT_TRUE(Ip("-n " + near_ + " link add " + kCard + " type veth peer name " + kDevice + " netns " + far_));
    ASSERT_TRUE(Ip("-n " + near_ + " addr add 10.77.0.1/24 dev " + kCard));
    ASSERT_TRUE(Ip("-n " + near_ + " link set " + kCard + " up"));
    ASSERT_TRUE(Ip("-n " + far_ + " addr add 192.168.1.10/24 dev " + kDevice));
    ASSERT_TRUE(Ip("-n " + far_ + " link set " + kDevice + " up"));
  }

  void TearDown() override {
    if (madeNear_) Ip("netns del " + near_);
    if (madeFar_) Ip("netns del " + far_);
  }

  bool Ip(const std::string& arguments) {
    int status = 0;
    const std::string output = RunCommand("ip " + arguments, &status);
    if (status != 0) ADD_FAILURE() << "ip " << arguments << ": " << output;
    return status == 0;
  }

  std::string CardAddresses() { return testing::CardAddresses(near_, kCard); }

  std::string near_, far_;
  bool madeNear_ = false, madeFar_ = false;
};

TEST_F(NamespaceTest, RepairAddressSitsBesideTheCardsOwnAndLeavesExactly) {
  std::vector<NetCardInfo> cards;
  NetlinkAddressChanger changer;
  bool setOk = false;
  int receiver = -1, sender = -1;
  ASSERT_TRUE(RunInNamespace(near_, [&] {
    NetlinkAdapterSource adapters;
    std::FILE* sink = std::tmpfile();
    GetNetCards(adapters, {{kCard, true}}, cards, sink ? sink : stdout);
    if (sink) std::fclose(sink);
    if (cards.size() == 1) setOk = SetIP(true, cards[0].index, cards, changer);
    receiver = UdpSocketBoundTo("192.168.1.2", kPort);
  }));
  ASSERT_EQ(cards.size(), 1u) << "the veth end marked physical is the only eligible card";
  EXPECT_EQ(cards[0].description, kCard);
  EXPECT_EQ(cards[0].ipAddress, "10.77.0.1");
  EXPECT_EQ(cards[0].ipMask, "255.255.255.0");
  EXPECT_FALSE(cards[0].dhcpEnabled);
  ASSERT_TRUE(setOk) << changer.LastError();
  EXPECT_EQ(CardAddresses(), "10.77.0.1/24 192.168.1.2/24");

  ASSERT_GE(receiver, 0) << "bind to 192.168.1.2";
  ASSERT_TRUE(RunInNamespace(far_, [&] { sender = UdpSocketBoundTo("192.168.1.10", 0); }));
  ASSERT_GE(sender, 0);
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(kPort);
  inet_pton(AF_INET, "192.168.1.2", &target.sin_addr);
  std::string received;
  sockaddr_in from{};
  for (int attempt = 0; attempt < 25 && received.empty(); ++attempt) {  // first tries may wait for ARP
    sendto(sender, "upgrade", 7, 0, reinterpret_cast<sockaddr*>(&target), sizeof(target));
    pollfd ready{receiver, POLLIN, 0};
    if (poll(&ready, 1, 200) == 1) {
      char buffer[64];
      socklen_t fromLength = sizeof(from);
      const ssize_t n = recvfrom(receiver, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
      if (n > 0) received.assign(buffer, static_cast<size_t>(n));
    }
  }
  close(sender);
  close(receiver);
  EXPECT_EQ(received, "upgrade");
  char fromText[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &from.sin_addr, fromText, sizeof(fromText));
  EXPECT_STREQ(fromText, "192.168.1.10");

  bool restoreOk = false;
  ASSERT_TRUE(RunInNamespace(near_, [&] { restoreOk = SetIP(false, cards[0].index, cards, changer); }));
  EXPECT_TRUE(restoreOk) << changer.LastError();
  EXPECT_EQ(CardAddresses(), "10.77.0.1/24");
}

TEST_F(NamespaceTest, FailureIsReportedWithTheReason) {
  NetlinkAddressChanger changer;
  bool ok = true;
  ASSERT_TRUE(RunInNamespace(near_, [&] { ok = SetIP(true, 9999, {}, changer); }));
  EXPECT_FALSE(ok);
  EXPECT_NE(changer.LastError().find("interface 9999"), std::string::npos) << changer.LastError();
}

}  // namespace
}  // namespace znet
