// The packet logic driven datagram by datagram with explicit times, over a
// fake socket: timing rules and long transfers without waiting for them.

#include <gtest/gtest.h>

#include "tests/tftp/tftp_test_support.h"
#include "tftp/packets.h"

namespace ztftp::testing {
namespace {

class TftpdDriven : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return root_.text() + "/" + name; }
  // The only packet sent since the last call.
  Bytes OnlySent() {
    auto sent = driven_.TakeSent();
    EXPECT_EQ(sent.size(), 1u);
    return sent.empty() ? Bytes{} : sent.back().bytes;
  }
  bool NothingSent() { return driven_.TakeSent().empty(); }

  ScratchFolder root_;
  DrivenServer driven_{root_.text()};
  const PeerAddress peer_ = Peer(40000);
};

TEST_F(TftpdDriven, BlockNumbersRollOverAndTheTransferGoesOn) {
  // 65,540 full blocks of 8 bytes and a short one: numbers pass 65535 -> 0.
  const Bytes file = PatternBytes(65540 * 8 + 3, 5);
  root_.Write("roll.bin", file);
  uint64_t now = 1000;
  driven_.Deliver(Request(kReadRequest, "roll.bin", {{"blksize", "8"}}), peer_, now);
  EXPECT_EQ(OackOptions(OnlySent()), (std::vector<std::pair<std::string, std::string>>{{"blksize", "8"}}));
  Bytes received;
  uint16_t block = 0;
  size_t blocks = 0;
  bool rolled_over = false;
  for (;;) {
    driven_.Deliver(Ack(block), peer_, ++now);
    auto sent = driven_.TakeSent();
    ASSERT_EQ(sent.size(), 1u) << "after ack " << block;
    const Bytes& packet = sent[0].bytes;
    ASSERT_EQ(OpcodeOf(packet), kData);
    ASSERT_EQ(BlockOf(packet), uint16_t(block + 1));
    block = BlockOf(packet);
    rolled_over |= block == 0;
    ++blocks;
    received.insert(received.end(), packet.begin() + 4, packet.end());
    if (packet.size() < 12) break;
  }
  driven_.Deliver(Ack(block), peer_, ++now);
  EXPECT_TRUE(NothingSent());
  EXPECT_TRUE(rolled_over);
  EXPECT_EQ(blocks, 65541u);
  EXPECT_TRUE(received == file);
}

TEST_F(TftpdDriven, AcksOfThePreviousBlockResendOnlyAfterASecond) {
  root_.Write("f.bin", PatternBytes(3000));
  driven_.Deliver(Request(kReadRequest, "f.bin"), peer_, 0);
  EXPECT_EQ(BlockOf(OnlySent()), 1);
  driven_.Deliver(Ack(1), peer_, 100);
  const Bytes block2 = OnlySent();
  EXPECT_EQ(BlockOf(block2), 2);
  driven_.Deliver(Ack(1), peer_, 900);  // the same ACK again within a second: ignored
  EXPECT_TRUE(NothingSent());
  driven_.Deliver(Ack(1), peer_, 1200);  // later: block 2 was lost, send it again
  EXPECT_EQ(OnlySent(), block2);
  driven_.Deliver(Ack(5), peer_, 1300);  // ahead, or far behind: nothing
  driven_.Deliver(Ack(0), peer_, 1400);
  EXPECT_TRUE(NothingSent());
  driven_.Deliver({0, 5, 0, 0, 'x', 0}, peer_, 1500);  // a peer's ERROR changes nothing
  EXPECT_TRUE(NothingSent());
  driven_.Deliver(Ack(2), peer_, 1600);
  EXPECT_EQ(BlockOf(OnlySent()), 3);

  // A new request from the same port starts over, negotiating afresh.
  driven_.Deliver(Request(kReadRequest, "f.bin", {{"blksize", "1024"}}), peer_, 1700);
  EXPECT_EQ(OpcodeOf(OnlySent()), kOptionAck);
  driven_.Deliver(Ack(0), peer_, 1800);
  EXPECT_EQ(OnlySent().size(), 4u + 1024u);
  driven_.Deliver(Request(kReadRequest, "f.bin"), peer_, 1900);
  const Bytes restarted = OnlySent();
  EXPECT_EQ(BlockOf(restarted), 1);
  EXPECT_EQ(restarted.size(), 4u + 512u);
}

TEST_F(TftpdDriven, ASilentPeerIsServedAgainFiveTimesThenDropped) {
  root_.Write("f.bin", PatternBytes(3000));
  driven_.Deliver(Request(kReadRequest, "f.bin", {{"timeout", "2"}}), peer_, 0);
  const Bytes oack = OnlySent();
  driven_.Deliver(Ack(0), peer_, 10);
  const Bytes block1 = OnlySent();
  driven_.server.check_clients(1999);
  EXPECT_TRUE(NothingSent());
  for (int i = 1; i <= 5; ++i) {
    driven_.server.check_clients(10 + uint64_t(i) * 2000);
    EXPECT_EQ(OnlySent(), block1) << i;
  }
  EXPECT_TRUE(driven_.LogHas("ReSend [" + Path("f.bin") + "] BlockID=1.\n"));
  EXPECT_EQ(driven_.server.client_count(), 1u);
  driven_.server.check_clients(10 + 6 * 2000);
  EXPECT_TRUE(NothingSent());
  EXPECT_EQ(driven_.server.client_count(), 0u);
  EXPECT_TRUE(driven_.LogHas("READ: [" + Path("f.bin") + "] FAIL\n"));
  EXPECT_NE(oack, block1);
}

TEST_F(TftpdDriven, FinishedRecordsLeaveAfter45IdleSecondsAndUnfinishedUploadsLeaveNoFile) {
  root_.Write("f.bin", PatternBytes(100));
  root_.Write("up.bin", PatternBytes(5000));
  const PeerAddress uploader = Peer(40001);
  driven_.Deliver(Request(kReadRequest, "f.bin"), peer_, 0);
  driven_.Deliver(Ack(1), peer_, 5);
  driven_.Deliver(Request(kWriteRequest, "up.bin"), uploader, 0);
  driven_.Deliver(Data(1, PatternBytes(512)), uploader, 5);
  driven_.Deliver(Data(3, PatternBytes(512)), uploader, 6);  // out of order: not written
  driven_.TakeSent();
  driven_.server.check_clients(44000);
  EXPECT_EQ(driven_.server.client_count(), 2u);
  EXPECT_TRUE(NothingSent());
  driven_.server.check_clients(45006);
  EXPECT_EQ(driven_.server.client_count(), 0u);
  EXPECT_TRUE(driven_.LogHas("READ: [" + Path("f.bin") + "] OK\n"));
  EXPECT_TRUE(driven_.LogHas("WRITE: [" + Path("up.bin") + "] FAIL\n"));
  EXPECT_FALSE(root_.Exists("up.bin"));
}

TEST_F(TftpdDriven, RecordsAreCappedOldestIdleFirst) {
  root_.Write("f.bin", PatternBytes(100));
  for (uint16_t i = 0; i < 300; ++i) {
    driven_.Deliver(Request(kReadRequest, "f.bin", {{"tsize", "0"}}), Peer(uint16_t(20000 + i)), 1000 + i);
  }
  EXPECT_EQ(driven_.server.client_count(), tftpd::kMaxClients);
  driven_.TakeSent();
  // The first peers were dropped, the latest ones are still served.
  driven_.Deliver(Ack(0), Peer(20000), 2000);
  EXPECT_EQ(ErrorText(OnlySent()), "1 client not exists or timeout");
  driven_.Deliver(Ack(0), Peer(20299), 2001);
  EXPECT_EQ(OpcodeOf(OnlySent()), kData);
}

TEST_F(TftpdDriven, MalformedRequestsNeitherCrashNorOverread) {
  root_.Write("a.bin", PatternBytes(10));
  // No zero after the name: served as a request without mode or options.
  driven_.Deliver({0, 1, 'a', '.', 'b', 'i', 'n'}, peer_, 0);
  EXPECT_EQ(BlockOf(OnlySent()), 1);
  // An option without its value's zero is dropped: again no OACK.
  Bytes cut = Request(kReadRequest, "a.bin");
  for (char c : std::string("blksize\0001024", 12)) cut.push_back(uint8_t(c));
  driven_.Deliver(cut, Peer(40002), 0);
  EXPECT_EQ(OpcodeOf(OnlySent()), kData);
  driven_.Deliver({0, 4, 0}, peer_, 0);  // a 3-byte ACK
  driven_.Deliver(Bytes(4000, 0xFF), peer_, 0);
  driven_.Deliver({0, 2, 0}, Peer(40003), 0);  // a write request without a name
  EXPECT_EQ(driven_.server.client_count(), 3u);
}

}  // namespace
}  // namespace ztftp::testing
