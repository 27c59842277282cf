// Windowed read transfers driven datagram by datagram with explicit times.

#include <gtest/gtest.h>

#include "tests/tftp/tftp_test_support.h"
#include "tftp/packets.h"

namespace ztftp::testing {
namespace {

using Options = std::vector<std::pair<std::string, std::string>>;

class TftpdWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    driven_.server.progress_callback = [this](int position, int size, const std::string&) {
      progress_.push_back(position);
      EXPECT_EQ(size, file_size_);
    };
  }
  // Starts a read of `size` bytes in blocks of 8 with the given window and
  // acknowledges the OACK; returns what that acknowledgement drew.
  std::vector<uint16_t> Start(size_t size, const std::string& window, uint64_t now = 0) {
    file_size_ = int(size);
    file_ = PatternBytes(size, 7);
    root_.Write("w.bin", file_);
    driven_.Deliver(Request(kReadRequest, "w.bin", {{"blksize", "8"}, {"windowsize", window}}), peer_, now);
    oack_ = driven_.TakeSent();
    driven_.Deliver(Ack(0), peer_, now + 1);
    return Blocks();
  }
  // The DATA block numbers sent since the last call, each checked against the file.
  std::vector<uint16_t> Blocks(uint64_t first_count = 0) {
    std::vector<uint16_t> numbers;
    for (const auto& sent : driven_.TakeSent()) {
      EXPECT_EQ(OpcodeOf(sent.bytes), kData);
      numbers.push_back(BlockOf(sent.bytes));
      const uint64_t count = first_count ? first_count + numbers.size() - 1 : BlockOf(sent.bytes);
      const size_t offset = size_t(count - 1) * 8;
      const Bytes expected(file_.begin() + std::ptrdiff_t(std::min(offset, file_.size())),
                           file_.begin() + std::ptrdiff_t(std::min(offset + 8, file_.size())));
      EXPECT_TRUE(Bytes(sent.bytes.begin() + 4, sent.bytes.end()) == expected) << "block " << count;
    }
    return numbers;
  }
  Bytes OnlyPacket() {
    auto sent = driven_.TakeSent();
    EXPECT_EQ(sent.size(), 1u);
    return sent.empty() ? Bytes{} : sent.back().bytes;
  }
  std::vector<int> TakeProgress() { return std::exchange(progress_, {}); }
  std::string Path() const { return root_.text() + "/w.bin"; }

  ScratchFolder root_;
  DrivenServer driven_{root_.text()};
  const PeerAddress peer_ = Peer(41000);
  Bytes file_;
  int file_size_ = 0;
  std::vector<FakeSocket::Sent> oack_;
  std::vector<int> progress_;
};

using Numbers = std::vector<uint16_t>;

TEST_F(TftpdWindow, SendsAWindowPerAckAndSlidesToAfterAnAckInsideIt) {
  EXPECT_EQ(Start(100, "4"), (Numbers{1, 2, 3, 4}));  // 12 full blocks and one of 4 bytes
  ASSERT_EQ(oack_.size(), 1u);
  EXPECT_EQ(OackOptions(oack_[0].bytes), (Options{{"blksize", "8"}, {"windowsize", "4"}}));
  EXPECT_EQ(TakeProgress(), (std::vector<int>{8, 16, 24, 32}));

  driven_.Deliver(Ack(4), peer_, 10);
  EXPECT_EQ(Blocks(), (Numbers{5, 6, 7, 8}));
  // The peer has 5 and 6 only: the window restarts after 6; 7 and 8 go
  // again without progress, 9 and 10 are new.
  driven_.Deliver(Ack(6), peer_, 20);
  EXPECT_EQ(Blocks(), (Numbers{7, 8, 9, 10}));
  EXPECT_EQ(TakeProgress(), (std::vector<int>{40, 48, 56, 64, 72, 80}));

  // Numbers that name no block in flight change nothing.
  for (uint16_t stray : {uint16_t(5), uint16_t(11), uint16_t(0), uint16_t(60000)}) {
    driven_.Deliver(Ack(stray), peer_, 30);
    EXPECT_TRUE(Blocks().empty()) << stray;
  }
  driven_.Deliver(Ack(10), peer_, 40);
  EXPECT_EQ(Blocks(), (Numbers{11, 12, 13}));  // 13 is the short last block
  EXPECT_EQ(TakeProgress(), (std::vector<int>{88, 96, 100}));
  // The end is reached only when the last block is acknowledged.
  driven_.Deliver(Ack(11), peer_, 50);
  EXPECT_EQ(Blocks(), (Numbers{12, 13}));
  driven_.Deliver(Ack(13), peer_, 60);
  driven_.Deliver(Ack(13), peer_, 2000);
  driven_.server.check_clients(30000);
  EXPECT_TRUE(Blocks().empty());
  EXPECT_TRUE(TakeProgress().empty());
  driven_.server.check_clients(48000);
  EXPECT_TRUE(driven_.LogHas("READ: [" + Path() + "] OK\n"));
}

TEST_F(TftpdWindow, RepeatedAcksResendOnceAtOnceAndAgainOnlyAfterASecond) {
  Start(200, "4", 1000);
  driven_.Deliver(Ack(4), peer_, 1010);
  EXPECT_EQ(Blocks(), (Numbers{5, 6, 7, 8}));
  // Block 5 was lost: the peer acknowledges 4 again, perhaps once for each
  // block out of order. The first repeat resends, the others do not.
  driven_.Deliver(Ack(4), peer_, 1020);
  EXPECT_EQ(Blocks(), (Numbers{5, 6, 7, 8}));
  driven_.Deliver(Ack(4), peer_, 1030);
  driven_.Deliver(Ack(4), peer_, 1040);
  EXPECT_TRUE(Blocks().empty());
  driven_.Deliver(Ack(4), peer_, 2010);
  EXPECT_EQ(Blocks(), (Numbers{5, 6, 7, 8}));
  EXPECT_EQ(TakeProgress().size(), 8u);  // resends report nothing
  driven_.Deliver(Ack(8), peer_, 2020);
  EXPECT_EQ(Blocks(), (Numbers{9, 10, 11, 12}));
}

TEST_F(TftpdWindow, ASilentPeerGetsTheWindowAgainFromTheBlockAfterItsLastAck) {
  Start(300, "8");
  driven_.Deliver(Ack(8), peer_, 100);
  EXPECT_EQ(Blocks().size(), 8u);
  driven_.Deliver(Ack(11), peer_, 200);  // then the peer falls silent
  EXPECT_EQ(Blocks(), (Numbers{12, 13, 14, 15, 16, 17, 18, 19}));
  // The timer runs out long before the peer's 5-second timeout, and then
  // again at doubling waits, each time from the first block not acknowledged.
  const uint64_t first = driven_.server.next_wakeup_ms(200);
  EXPECT_LT(first, 200u + 1000u);
  driven_.server.check_clients(first - 1);
  EXPECT_TRUE(Blocks().empty());
  uint64_t now = 200;
  int resends = 0;
  while (driven_.server.client_count() > 0 && resends < 100) {
    now = driven_.server.next_wakeup_ms(now);
    driven_.server.check_clients(now);
    const Numbers numbers = Blocks();
    if (numbers.empty()) continue;
    EXPECT_EQ(numbers, (Numbers{12, 13, 14, 15, 16, 17, 18, 19})) << now;
    ++resends;
  }
  EXPECT_GE(resends, tftpd::kMaxResends);
  EXPECT_LE(resends, tftpd::kMaxResends + 6);
  EXPECT_TRUE(TakeProgress().size() == 19u);  // resends report nothing
  EXPECT_TRUE(driven_.LogHas("ReSend [" + Path() + "] BlockID=12.\n"));
  EXPECT_EQ(now, 200u + (tftpd::kMaxResends + 1) * 5000u);  // silent for six timeouts
  EXPECT_TRUE(driven_.LogHas("READ: [" + Path() + "] FAIL\n"));
}

// Every DATA arrives twice and a receiver acknowledges both copies of a
// window's last block: the second ACK is no report of a gap.
TEST_F(TftpdWindow, DuplicatedDataDoesNotResendWindows) {
  Start(8 * 400, "8");
  size_t data_sent = 8;
  uint64_t now = 1;
  uint16_t last = 8;
  for (;;) {
    driven_.Deliver(Ack(last), peer_, now += 10);  // ten milliseconds a round trip
    driven_.Deliver(Ack(last), peer_, now + 1);    // the copy's ACK
    const Numbers numbers = Blocks();
    data_sent += numbers.size();
    if (numbers.empty()) break;
    last = numbers.back();
    now += 1;
  }
  EXPECT_EQ(last, 401);  // 400 full blocks and an empty one
  EXPECT_LE(double(data_sent), 1.05 * 401);
}

TEST_F(TftpdWindow, WindowsCrossTheBlockNumberRollover) {
  // 65,600 full blocks of 8 bytes and a short one, 60 at a time.
  Numbers first = Start(65600 * 8 + 5, "60");
  ASSERT_EQ(first.size(), 60u);
  uint64_t acked = 0, sent = 60, now = 10;
  bool slid_inside_across = false;
  for (;;) {
    // Acknowledge the end of each window, except once across the rollover:
    // there only up to the block numbered 3.
    uint64_t ack = sent;
    if (!slid_inside_across && sent > 65536 && acked < 65536) {
      ack = 65536 + 3;
      slid_inside_across = true;
    }
    driven_.Deliver(Ack(uint16_t(ack)), peer_, now += 5);
    const Numbers numbers = Blocks(ack + 1);
    if (numbers.empty()) break;
    ASSERT_EQ(numbers.front(), uint16_t(ack + 1));
    for (size_t i = 1; i < numbers.size(); ++i) ASSERT_EQ(numbers[i], uint16_t(numbers[i - 1] + 1));
    acked = ack;
    sent = ack + numbers.size();
  }
  EXPECT_TRUE(slid_inside_across);
  EXPECT_EQ(sent, 65601u);
  const std::vector<int> progress = TakeProgress();
  ASSERT_EQ(progress.size(), 65601u);  // every block reported once
  EXPECT_EQ(progress.back(), file_size_);
  EXPECT_EQ(progress[65535], 65536 * 8);
}

TEST_F(TftpdWindow, WindowOfOneIsLockStepAndUploadsAreNotWindowed) {
  EXPECT_EQ(Start(40, "1"), (Numbers{1}));
  EXPECT_EQ(OackOptions(oack_[0].bytes), (Options{{"blksize", "8"}, {"windowsize", "1"}}));
  driven_.Deliver(Ack(1), peer_, 100);
  EXPECT_EQ(Blocks(), (Numbers{2}));
  driven_.Deliver(Ack(1), peer_, 500);  // the previous block again within a second: ignored
  EXPECT_TRUE(Blocks().empty());
  driven_.Deliver(Ack(1), peer_, 1200);
  EXPECT_EQ(Blocks(), (Numbers{2}));

  root_.Write("up.bin", PatternBytes(10));
  const PeerAddress uploader = Peer(41001);
  driven_.Deliver(Request(kWriteRequest, "up.bin", {{"windowsize", "8"}, {"blksize", "8"}}), uploader, 0);
  const auto sent = driven_.TakeSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(OackOptions(sent[0].bytes), (Options{{"blksize", "8"}}));
}

TEST_F(TftpdWindow, ABlockThatCannotBeReadAgainWholeEndsTheTransferWithAnError) {
  Start(100, "4");
  driven_.Deliver(Ack(4), peer_, 10);
  EXPECT_EQ(Blocks().size(), 4u);
  root_.Write("w.bin", PatternBytes(50, 7));  // cut short under the transfer
  driven_.Deliver(Ack(5), peer_, 20);         // 6 and 7 must go again; 7 is gone
  const auto sent = driven_.TakeSent();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(BlockOf(sent.front().bytes), 6);
  EXPECT_EQ(ErrorText(sent.back().bytes), "0 read file data error");
  for (const auto& packet : sent) {
    if (OpcodeOf(packet.bytes) == kData) {
      EXPECT_EQ(packet.bytes.size(), 12u);  // no short block but the last
    }
  }
  driven_.Deliver(Ack(6), peer_, 30);
  EXPECT_EQ(ErrorText(OnlyPacket()), "2 file had closed");
}

TEST_F(TftpdWindow, AWindowOverAnEmptyOrShortFileEndsAtTheLastBlock) {
  EXPECT_EQ(Start(0, "8"), (Numbers{1}));
  EXPECT_EQ(TakeProgress(), (std::vector<int>{0}));
  driven_.Deliver(Ack(0), peer_, 1500);  // the last block is lost
  EXPECT_EQ(Blocks(), (Numbers{1}));
  EXPECT_EQ(Start(16, "8"), (Numbers{1, 2, 3}));  // two full blocks, then an empty one
  EXPECT_EQ(TakeProgress(), (std::vector<int>{8, 16, 16}));
  driven_.Deliver(Ack(1), peer_, 10);
  EXPECT_EQ(Blocks(), (Numbers{2, 3}));
}

}  // namespace
}  // namespace ztftp::testing
