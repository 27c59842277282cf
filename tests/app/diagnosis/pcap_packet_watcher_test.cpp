// The capture's reading of the frames the kernel filter lets through: which
// ARP requests name the box and a server address other than ours, and that
// each finding reaches the inbox once however often the box repeats itself.

#include "app/repair/diagnosis/linux/pcap_packet_watcher.h"

#include <gtest/gtest.h>

#include <vector>

namespace zapp {
namespace {

using Kind = DiagnosisEvent::Kind;
using Frame = std::vector<uint8_t>;

Frame Arp(uint16_t operation, std::vector<uint8_t> sender, std::vector<uint8_t> target) {
  Frame frame(6, 0xFF);
  for (int i = 0; i < 6; ++i) frame.push_back(uint8_t(0x02 + i));
  frame.insert(frame.end(), {0x08, 0x06, 0, 1, 0x08, 0x00, 6, 4, uint8_t(operation >> 8), uint8_t(operation)});
  for (int i = 0; i < 6; ++i) frame.push_back(uint8_t(0x02 + i));
  frame.insert(frame.end(), sender.begin(), sender.end());
  frame.insert(frame.end(), 6, 0);
  frame.insert(frame.end(), target.begin(), target.end());
  return frame;
}

Frame Ipv4From(std::vector<uint8_t> source) {
  Frame frame(12, 0x11);
  frame.insert(frame.end(), {0x08, 0x00, 0x45, 0, 0, 28, 0, 0, 0, 0, 64, 17, 0, 0});
  frame.insert(frame.end(), source.begin(), source.end());
  frame.insert(frame.end(), {192, 168, 1, 2});
  return frame;
}

class PacketWatcherTest : public ::testing::Test {
 protected:
  PacketWatcherTest() { watcher_.SetInbox(&inbox_); }
  void Feed(const Frame& frame) { watcher_.OnFrame(frame.data(), frame.size()); }

  DiagnosisInbox inbox_;
  PcapPacketWatcher watcher_;
};

TEST_F(PacketWatcherTest, ARequestForAnotherServerNamesTheBoxAndTheAddressOnce) {
  for (int second = 0; second < 5; ++second) Feed(Arp(1, {192, 168, 0, 1}, {192, 168, 0, 66}));
  const std::vector<DiagnosisEvent> events = inbox_.Take();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].kind, Kind::kBoxPacket);
  EXPECT_EQ(events[0].address, "192.168.0.1");
  EXPECT_EQ(events[1].kind, Kind::kArpForOther);
  EXPECT_EQ(events[1].address, "192.168.0.1");
  EXPECT_EQ(events[1].detail, "192.168.0.66");
}

TEST_F(PacketWatcherTest, OurAddressRepliesProbesAnnouncementsAndBrokenFramesAskForNoOtherServer) {
  Feed(Arp(1, {192, 168, 1, 1}, {192, 168, 1, 2}));   // it found us
  Feed(Arp(2, {192, 168, 1, 9}, {192, 168, 0, 66}));  // a reply answers someone else
  Feed(Arp(1, {0, 0, 0, 0}, {192, 168, 1, 1}));       // a probe for its own address
  Feed(Arp(1, {192, 168, 1, 1}, {192, 168, 1, 1}));   // an announcement
  Frame cut = Arp(1, {192, 168, 1, 1}, {192, 168, 0, 66});
  cut.resize(cut.size() - 1);
  Feed(cut);
  Feed(Frame(10, 0));
  Feed(Ipv4From({192, 168, 1, 1}));  // the box again, now by IP
  Feed(Ipv4From({0, 0, 0, 0}));      // a DHCP client has no address yet
  const std::vector<DiagnosisEvent> events = inbox_.Take();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, Kind::kBoxPacket);
  EXPECT_EQ(events[0].address, "192.168.1.1");
}

}  // namespace
}  // namespace zapp
