// The packet logic driven datagram by datagram with explicit times, over a
// fake socket: timing rules and long transfers without waiting for them.

#include <gtest/gtest.h>

#include <algorithm>

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

TEST_F(TftpdDriven, ALostBlockGoesAgainAfterTheTimerNotThePeersTimeout) {
  root_.Write("f.bin", PatternBytes(3000));
  driven_.Deliver(Request(kReadRequest, "f.bin"), peer_, 1000);
  EXPECT_EQ(BlockOf(OnlySent()), 1);
  // Round trips of about 20 ms: the timer settles well under the peer's 5 s.
  uint64_t now = 1020;
  driven_.Deliver(Ack(1), peer_, now);
  for (uint16_t block = 2; block <= 4; ++block) {
    EXPECT_EQ(BlockOf(OnlySent()), block);
    driven_.Deliver(Ack(block), peer_, now += 20);
  }
  const Bytes block5 = OnlySent();  // lost on its way
  EXPECT_EQ(BlockOf(block5), 5);
  const uint64_t due = driven_.server.next_wakeup_ms(now);
  EXPECT_GT(due, now + 40);
  EXPECT_LT(due, now + 200);
  driven_.server.check_clients(due - 1);
  EXPECT_TRUE(NothingSent());
  driven_.server.check_clients(due);
  EXPECT_EQ(OnlySent(), block5);
  EXPECT_TRUE(driven_.LogHas("ReSend [" + Path("f.bin") + "] BlockID=5.\n"));
  // The next wait is twice as long.
  EXPECT_EQ(driven_.server.next_wakeup_ms(due), due + 2 * (due - now));
  // The peer's ACK of the previous block right after the resend does not
  // send it a third time; the ACK of block 5 goes on as usual.
  driven_.Deliver(Ack(4), peer_, due + 5);
  EXPECT_TRUE(NothingSent());
  driven_.Deliver(Ack(5), peer_, due + 20);
  EXPECT_EQ(BlockOf(OnlySent()), 6);
}

TEST_F(TftpdDriven, ASilentPeerIsServedAgainUpToItsTimeoutThenDropped) {
  root_.Write("f.bin", PatternBytes(3000));
  driven_.Deliver(Request(kReadRequest, "f.bin", {{"timeout", "2"}}), peer_, 0);
  const Bytes oack = OnlySent();
  driven_.Deliver(Ack(0), peer_, 10);
  const Bytes block1 = OnlySent();
  EXPECT_NE(oack, block1);
  // Then nothing from the peer: the block goes again each time the timer
  // runs out, the waits doubling up to the 2-second timeout.
  std::vector<uint64_t> resent_at;
  uint64_t now = 10;
  while (driven_.server.client_count() > 0 && resent_at.size() < 100) {
    now = driven_.server.next_wakeup_ms(now);
    driven_.server.check_clients(now);
    for (const auto& sent : driven_.TakeSent()) {
      EXPECT_EQ(sent.bytes, block1);
      resent_at.push_back(now);
    }
  }
  ASSERT_GE(resent_at.size(), 2u);
  EXPECT_LT(resent_at[0], 10u + 100u);  // long before the peer's own timeout
  uint64_t previous = 10, previous_wait = 0;
  int at_the_cap = 0;
  for (uint64_t at : resent_at) {
    const uint64_t wait = at - previous;
    EXPECT_LE(wait, 2000u);
    if (previous_wait > 0) {
      EXPECT_EQ(wait, std::min<uint64_t>(2 * previous_wait, 2000)) << at;
    }
    at_the_cap += wait == 2000;
    previous = at;
    previous_wait = wait;
  }
  EXPECT_LE(at_the_cap, tftpd::kMaxResends);
  EXPECT_LE(resent_at.size(), size_t(tftpd::kMaxResends + 6));
  // Removed (kMaxResends + 1) timeouts after the peer last said something.
  EXPECT_EQ(now, 10u + (tftpd::kMaxResends + 1) * 2000u);
  EXPECT_TRUE(driven_.LogHas("READ: [" + Path("f.bin") + "] FAIL\n"));
  EXPECT_TRUE(driven_.LogHas("ReSend [" + Path("f.bin") + "] BlockID=1.\n"));
}

TEST_F(TftpdDriven, PeerEventsTellRequestsTheirOptionsAndHowEachReadEndedWithItsCounts) {
  using Kind = tftpd::PeerEvent::Kind;
  std::vector<tftpd::PeerEvent> events;
  driven_.server.peer_event_callback = [&events](const tftpd::PeerEvent& event) { events.push_back(event); };
  driven_.server.serve_only("served.bin");
  root_.Write("served.bin", PatternBytes(700));
  root_.Write("other.bin", PatternBytes(10));
  const PeerAddress other = Peer(40001);
  driven_.Deliver(Request(kReadRequest, "other.bin"), other, 0);
  driven_.Deliver(Request(kWriteRequest, "served.bin"), other, 0);  // refused, but not a name we lack
  driven_.Deliver(Request(kReadRequest, "served.bin"), peer_, 0);
  driven_.Deliver(Ack(1), peer_, 10);
  driven_.Deliver(Ack(1), peer_, 1500);  // a repeat after the timer: block 2 goes again
  driven_.Deliver(Ack(2), peer_, 1520);  // the whole file: no give-up when it goes
  driven_.Deliver(Request(kReadRequest, "served.bin", {{"timeout", "1"}, {"tsize", "0"}}), other, 1530);
  driven_.TakeSent();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].kind, Kind::kNameRefused);
  EXPECT_EQ(events[0].name, "other.bin");
  EXPECT_EQ(events[0].peer, other);
  EXPECT_EQ(events[1].kind, Kind::kReadRequest);
  EXPECT_EQ(events[1].peer, peer_);
  EXPECT_EQ(events[1].options, "");
  EXPECT_FALSE(events[1].after_whole_file);
  EXPECT_EQ(events[2].kind, Kind::kReadDone);
  EXPECT_EQ(events[2].peer, peer_);
  EXPECT_EQ(events[2].blocks, 2u);
  EXPECT_EQ(events[2].bytes, 700);
  EXPECT_EQ(events[2].resends, 1u);
  EXPECT_EQ(events[2].duration_ms, 1520u);
  EXPECT_EQ(events[3].kind, Kind::kReadRequest);
  EXPECT_TRUE(events[3].after_whole_file) << "the first read had sent the whole file";
  EXPECT_EQ(events[3].options, "timeout=1 tsize=0");
  EXPECT_EQ(events[4].kind, Kind::kOptionAck);
  EXPECT_EQ(events[4].options, "timeout=1 tsize=700") << "the OACK as sent, with the real size";
  for (uint64_t now = 1530; driven_.server.client_count() > 0 && now < 100000;) {
    now = driven_.server.next_wakeup_ms(now);
    driven_.server.check_clients(now);
  }
  ASSERT_EQ(events.size(), 6u);
  EXPECT_EQ(events[5].kind, Kind::kGivenUp);
  EXPECT_EQ(events[5].peer, other);
  EXPECT_EQ(events[5].name, "served.bin");
  EXPECT_EQ(events[5].blocks, 0u) << "only the OACK went out";
  EXPECT_EQ(events[5].resends, uint64_t(tftpd::kMaxResends));
}

TEST_F(TftpdDriven, AShutDownTellsEachReadItCutsOffWithItsCountsSoFarAndNotTheFinishedOnes) {
  using Kind = tftpd::PeerEvent::Kind;
  std::vector<tftpd::PeerEvent> events;
  driven_.server.peer_event_callback = [&events](const tftpd::PeerEvent& event) { events.push_back(event); };
  root_.Write("big.bin", PatternBytes(512 * 10));
  root_.Write("small.bin", PatternBytes(100));
  const PeerAddress done = Peer(40002);
  driven_.Deliver(Request(kReadRequest, "small.bin"), done, 0);  // one short block: all of it has gone
  driven_.Deliver(Request(kReadRequest, "big.bin"), peer_, 100);
  driven_.Deliver(Ack(1), peer_, 110);
  driven_.Deliver(Ack(2), peer_, 120);
  driven_.Deliver(Ack(2), peer_, 1500);  // a repeat after the timer: block 3 goes again
  driven_.Deliver(Ack(3), peer_, 1600);
  events.clear();
  driven_.server.shut_down();
  ASSERT_EQ(events.size(), 1u) << "only the read that was cut off";
  EXPECT_EQ(events[0].kind, Kind::kReadLeft);
  EXPECT_EQ(events[0].peer, peer_);
  EXPECT_EQ(events[0].name, "big.bin");
  EXPECT_EQ(events[0].blocks, 4u) << "three acknowledged, the fourth on its way";
  EXPECT_EQ(events[0].bytes, 4 * 512);
  EXPECT_EQ(events[0].resends, 1u);
  EXPECT_EQ(events[0].duration_ms, 1500u) << "up to the peer's last word";
  EXPECT_EQ(driven_.server.client_count(), 0u);
}

TEST_F(TftpdDriven, TheWorkerWakesForTheEarliestTimerOrRemovalOnly) {
  EXPECT_EQ(driven_.server.next_wakeup_ms(500), 500u + tftpd::kLongestWaitMs);  // nothing to do
  root_.Write("f.bin", PatternBytes(100));
  driven_.Deliver(Request(kReadRequest, "f.bin"), peer_, 1000);
  EXPECT_EQ(BlockOf(OnlySent()), 1);
  EXPECT_EQ(driven_.server.next_wakeup_ms(1000), 2000u);  // no round trip yet: one second
  driven_.Deliver(Ack(1), peer_, 1010);                   // the last block: nothing is awaited any more
  EXPECT_TRUE(NothingSent());
  EXPECT_EQ(driven_.server.next_wakeup_ms(1010), 1010u + tftpd::kLongestWaitMs);
  EXPECT_EQ(driven_.server.next_wakeup_ms(50000), 1010u + tftpd::kIdleRemovalMs);
}

// The network delivers every DATA twice, the peer acknowledges every copy,
// and now and then it takes its time (as a boot loader writing to flash), so
// that the timer runs out and yet more copies are about. The server must
// not answer each copy's ACK with a block: the Sorcerer's Apprentice.
TEST_F(TftpdDriven, DuplicatedDataAcknowledgedTwiceDoesNotMultiplyTheBlocksSent) {
  const size_t kBlocks = 2000;
  const Bytes file = PatternBytes(kBlocks * 512 - 100, 3);
  root_.Write("dup.bin", file);
  struct Event {
    uint64_t at;
    bool to_server;
    Bytes packet;
  };
  std::vector<Event> network;
  uint64_t now = 0;
  auto forward_sent = [&] {
    for (auto& sent : driven_.TakeSent()) {
      network.push_back({now + 2, false, sent.bytes});
      network.push_back({now + 3, false, std::move(sent.bytes)});
    }
  };
  driven_.Deliver(Request(kReadRequest, "dup.bin"), peer_, now);
  forward_sent();
  Bytes received;
  uint16_t expected = 1;
  size_t data_sent = 1, acks = 0;
  bool done = false;
  while (!network.empty() && now < 600000) {
    const auto next =
        std::min_element(network.begin(), network.end(), [](const Event& a, const Event& b) { return a.at < b.at; });
    const uint64_t wake = driven_.server.next_wakeup_ms(now);
    if (wake < next->at) {
      now = wake;
      driven_.server.check_clients(now);
    } else {
      Event event = std::move(*next);
      network.erase(next);
      now = event.at;
      if (event.to_server) {
        driven_.Deliver(event.packet, peer_, now);
      } else {
        const uint16_t block = BlockOf(event.packet);
        if (block == expected) {
          received.insert(received.end(), event.packet.begin() + 4, event.packet.end());
          done = event.packet.size() < 516;
          ++expected;
        }
        // Every copy is acknowledged; every 100th block after a pause.
        const uint64_t pause = block % 100 == 0 ? 300 : 1;
        network.push_back({now + pause + 2, true, Ack(block)});
        ++acks;
      }
    }
    for (const auto& sent : driven_.sent) data_sent += OpcodeOf(sent.bytes) == kData;
    forward_sent();
  }
  EXPECT_TRUE(done);
  EXPECT_TRUE(received == file);
  EXPECT_GE(acks, 2 * kBlocks);
  EXPECT_LE(double(data_sent), 1.05 * double(kBlocks)) << data_sent << " DATA for " << kBlocks << " blocks";
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
