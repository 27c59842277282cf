#include "net/set_ip.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "net/netsh_address_changer.h"

namespace znet {
namespace {

using testing::RecordTrace;
using testing::TraceLines;

NetCardInfo Card(uint32_t index, std::string address, std::string mask, std::string gateway, bool dhcp) {
  NetCardInfo card;
  card.index = index;
  card.ipAddress = std::move(address);
  card.ipMask = std::move(mask);
  card.gateway = std::move(gateway);
  card.dhcpEnabled = dhcp;
  return card;
}

class SetIPTest : public ::testing::Test {
 protected:
  void SetUp() override { TraceLines().clear(); }

  NetshAddressChanger changer{[this](const std::string& line) { commands.push_back(line); }, RecordTrace};
  std::vector<std::string> commands;
};

TEST_F(SetIPTest, SetStaticRunsOneNetshLineAndTracesIt) {
  EXPECT_TRUE(SetIP(true, 7, {}, changer, RecordTrace));
  const std::string expected = "netsh interface ip set address 7 static 192.168.1.2 255.255.255.0";
  EXPECT_EQ(commands, std::vector<std::string>{expected});
  EXPECT_EQ(TraceLines(), (std::vector<std::string>{"SetIP 111 strcmd " + expected, "SetIP "}));
}

TEST_F(SetIPTest, RestoreChoosesDhcpOrTheRecordedStaticSetup) {
  const std::vector<NetCardInfo> cards = {
      Card(3, "10.1.1.1", "255.255.0.0", "10.1.0.1", true),  // DHCP flag wins over an address
      Card(4, "", "", "", false),
      Card(5, "0.0.0.0", "0.0.0.0", "0.0.0.0", false),
      Card(12, "10.0.0.5", "255.0.0.0", "10.0.0.1", false),
      Card(13, "172.16.0.9", "255.255.0.0", "", false),
  };
  for (uint32_t index : {3u, 4u, 5u, 12u, 13u}) EXPECT_TRUE(SetIP(false, index, cards, changer, RecordTrace));
  EXPECT_EQ(commands,
            (std::vector<std::string>{
                "netsh interface ip set address 3 source=dhcp",
                "netsh interface ip set address 4 source=dhcp",
                "netsh interface ip set address 5 source=dhcp",
                "netsh interface ip set address 12  source=static address=10.0.0.5 mask=255.0.0.0 gateway=10.0.0.1",
                "netsh interface ip set address 13  source=static address=172.16.0.9 mask=255.255.0.0 gateway=",
            }));
  EXPECT_EQ(TraceLines()[0], "SetIP 222 strcmd netsh interface ip set address 3 source=dhcp");
  EXPECT_EQ(TraceLines()[1], "SetIP ");
}

TEST_F(SetIPTest, NoChosenCardChangesNothing) {
  const std::vector<NetCardInfo> cards = {Card(0, "10.0.0.5", "255.0.0.0", "10.0.0.1", false)};
  EXPECT_TRUE(SetIP(false, 0, cards, changer, RecordTrace));
  EXPECT_FALSE(SetIP(true, 0, cards, changer, RecordTrace));
  EXPECT_TRUE(commands.empty());
  EXPECT_EQ(TraceLines(), (std::vector<std::string>{"SetIP ", "SetIP "}));
}

TEST_F(SetIPTest, RestoreOfACardNoLongerListedRunsNothing) {
  EXPECT_TRUE(SetIP(false, 9, {Card(8, "", "", "", true)}, changer, RecordTrace));
  EXPECT_TRUE(commands.empty());
}

TEST_F(SetIPTest, CommandThatWouldBeCutShortIsRefused) {
  const std::vector<NetCardInfo> cards = {Card(12, std::string(300, '1'), "255.0.0.0", "10.0.0.1", false)};
  EXPECT_FALSE(SetIP(false, 12, cards, changer, RecordTrace));
  EXPECT_TRUE(commands.empty());
}

}  // namespace
}  // namespace znet
