#include "net/adapter_discovery.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace znet {
namespace {

using testing::Adapter;
using testing::CaptureOutput;
using testing::FakeAdapters;
using testing::FakeRegistry;

constexpr char kWiredId[] = "{11111111-2222-3333-4444-555555555555}";

TEST(LoadPhysicalCards, KeepsFlagRulesOfTheClassKey) {
  FakeRegistry registry;
  registry.subKeys = {
      {L"0000", {L"{AAAA}", 0x84u}},              // physical
      {L"0001", {L"{BBBB}", 0x1u}},               // virtual: no entry
      {L"0002", {L"{CCCC}", std::nullopt}},       // flags unreadable: false
      {L"0003", {std::nullopt, 0x4u}},            // no identifier: nothing
      {L"0004", {std::wstring(60, L'X'), 0x4u}},  // too long for the read buffer
      {L"Properties", {}},
  };
  PhysicalCardTable table;
  LoadPhysicalCards(registry, table);
  EXPECT_EQ(table, (PhysicalCardTable{{"{AAAA}", true}, {"{CCCC}", false}}));
}

TEST(LoadPhysicalCards, LaterSubkeyWithSameIdentifierReplacesOnlyWhenItStores) {
  FakeRegistry registry;
  registry.subKeys = {
      {L"0000", {L"{AAAA}", 0x4u}},         {L"0001", {L"{AAAA}", std::nullopt}},  // stores false over true
      {L"0002", {L"{BBBB}", std::nullopt}}, {L"0003", {L"{BBBB}", 0x4u}},          // stores true over false
      {L"0004", {L"{BBBB}", 0x0u}},                                                // stores nothing: true stays
  };
  PhysicalCardTable table;
  LoadPhysicalCards(registry, table);
  EXPECT_EQ(table, (PhysicalCardTable{{"{AAAA}", false}, {"{BBBB}", true}}));
}

class GetNetCardsTest : public ::testing::Test {
 protected:
  GetNetCardsTest() {
    AdapterEntry wired = Adapter(kWiredId, "Realtek PCIe GbE Family Controller", 12);
    wired.ipAddress = "10.0.0.5";
    wired.ipMask = "255.0.0.0";
    wired.gateway = "10.0.0.1";
    AdapterEntry wireless = Adapter("{WIFI}", "Intel Wireless-AC 9560", 14);
    wireless.type = kAdapterTypeWireless;
    AdapterEntry loop = Adapter("{LOOP}", "Microsoft KM-TEST LoopBack Adapter", 15);
    AdapterEntry loopUpper = Adapter("{LOOP2}", "LOOPBACK thing", 16);
    AdapterEntry virtualCard = Adapter("{VIRT}", "VirtualBox Host-Only Ethernet Adapter", 17);
    AdapterEntry lateCard = Adapter("{LATE}", "USB Ethernet plugged in later", 18);
    AdapterEntry noAddress = Adapter("{NOIP}", "Intel(R) Ethernet Connection I219-V", 19);
    noAddress.dhcpEnabled = true;
    adapters.list = {wired, wireless, loop, loopUpper, virtualCard, lateCard, noAddress};
    physical = {{kWiredId, true},  {"{WIFI}", true}, {"{LOOP}", true},
                {"{LOOP2}", true}, {"{NOIP}", true}, {"{UNREAD}", false}};
  }

  FakeAdapters adapters;
  PhysicalCardTable physical;
  std::vector<NetCardInfo> cards;
};

TEST_F(GetNetCardsTest, KeepsOnlyPhysicalWiredNonLoopbackCards) {
  std::string printed =
      CaptureOutput([&](std::FILE* out) { EXPECT_EQ(GetNetCards(adapters, physical, cards, out), 2); });
  // A second start refills the list instead of appending to it.
  CaptureOutput([&](std::FILE* out) { EXPECT_EQ(GetNetCards(adapters, physical, cards, out), 2); });
  ASSERT_EQ(cards.size(), 2u);
  EXPECT_EQ(cards[0].index, 12u);
  EXPECT_EQ(cards[0].ipAddress, "10.0.0.5");
  EXPECT_EQ(cards[0].ipMask, "255.0.0.0");
  EXPECT_EQ(cards[0].gateway, "10.0.0.1");
  EXPECT_EQ(cards[0].description, "Realtek PCIe GbE Family Controller");
  EXPECT_EQ(cards[0].wideDescription, L"Realtek PCIe GbE Family Controller");
  EXPECT_FALSE(cards[0].dhcpEnabled);
  EXPECT_EQ(cards[1].index, 19u);
  EXPECT_EQ(cards[1].ipAddress, "0.0.0.0");
  EXPECT_TRUE(cards[1].dhcpEnabled);

  // Every non-wireless adapter is printed, kept or not; the wireless one is not.
  EXPECT_EQ(printed.find("{WIFI}"), std::string::npos);
  for (const char* name : {kWiredId, "{LOOP}", "{LOOP2}", "{VIRT}", "{LATE}", "{NOIP}"}) {
    EXPECT_NE(printed.find(std::string("Adapter Name:     ") + name + "\n"), std::string::npos) << name;
  }
}

TEST_F(GetNetCardsTest, SystemFailuresGiveNoCards) {
  cards.resize(3);
  adapters.answer = AdapterQuery::Failed;
  EXPECT_EQ(CaptureOutput([&](std::FILE* out) { EXPECT_EQ(GetNetCards(adapters, physical, cards, out), 0); }), "");
  EXPECT_TRUE(cards.empty());
  adapters.answer = AdapterQuery::OutOfMemory;
  EXPECT_EQ(CaptureOutput([&](std::FILE* out) { GetNetCards(adapters, physical, cards, out); }),
            "Error allocating memory needed to call GetAdaptersinfo\n");
}

TEST(GetNetCardsDump, PrintsEachAdapterInTheExactLayout) {
  FakeAdapters adapters;
  AdapterEntry dhcp = Adapter("{A}", "Card A", 7);
  dhcp.hardwareAddress = {0x0a, 0xff, 0x01};
  dhcp.dhcpEnabled = true;
  dhcp.ipAddress = "192.168.0.20";
  dhcp.ipMask = "255.255.255.0";
  dhcp.gateway = "192.168.0.1";
  dhcp.dhcpServer = "192.168.0.1";
  AdapterEntry bare = Adapter("{B}", "Card B", 9);
  bare.hardwareAddress.clear();
  adapters.list = {dhcp, bare};
  std::vector<NetCardInfo> cards;
  const std::string printed = CaptureOutput([&](std::FILE* out) { GetNetCards(adapters, {}, cards, out); });
  EXPECT_EQ(printed, "Adapter Name:     {A}\n"
                     "Adapter Desc:     Card A\n"
                     "Adapter Addr: 0A-FF-01\n"
                     "Index:     7\n"
                     "IP Address:     192.168.0.20\n"
                     "IP Mask:     255.255.255.0\n"
                     "Gateway:     192.168.0.1\n"
                     "***\n"
                     "DHCP Enabled: Yes\n"
                     "  DHCP Server:     192.168.0.1\n"
                     "pAdapter->Type is 6\n"
                     "\n"
                     "Adapter Name:     {B}\n"
                     "Adapter Desc:     Card B\n"
                     "Adapter Addr: Index:     9\n"
                     "IP Address:     0.0.0.0\n"
                     "IP Mask:     0.0.0.0\n"
                     "Gateway:     0.0.0.0\n"
                     "***\n"
                     "DHCP Enabled: No\n"
                     "pAdapter->Type is 6\n"
                     "\n");
}

}  // namespace
}  // namespace znet
