// The server over real loopback sockets, as a peer sees it.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <thread>

#include "tests/tftp/tftp_test_support.h"
#include "tftp/packets.h"

namespace ztftp::testing {
namespace {

using Options = std::vector<std::pair<std::string, std::string>>;

class TftpdLoopback : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.started()); }
  bool LogHas(const std::string& line) const {
    for (const auto& logged : server_.Logs()) {
      if (logged == line) return true;
    }
    return false;
  }
  std::string Path(const std::string& name) const { return root_.text() + "/" + name; }
  // The first reply to `packet` from a fresh peer.
  std::optional<Bytes> Ask(const Bytes& packet, int timeout_ms = 2000) {
    TestPeer peer(server_.port(), timeout_ms);
    peer.Send(packet);
    return peer.Receive();
  }

  void OnProgress(int position, int size, const std::string& path) {
    std::lock_guard<std::mutex> lock(progress_mutex_);
    if (path == Path("a.bin")) progress_.emplace_back(position, size);
    progress_changed_.notify_all();
  }

  std::mutex progress_mutex_;
  std::condition_variable progress_changed_;
  std::vector<std::pair<int, int>> progress_;
  ScratchFolder root_;
  LoopbackServer server_{root_.text(),
                         [this](int position, int size, const std::string& path) { OnProgress(position, size, path); }};
};

TEST_F(TftpdLoopback, SendsFilesInBlocksReportingProgressAndLogging) {
  const Bytes a = PatternBytes(1500), exact = PatternBytes(1024, 2);
  root_.Write("a.bin", a);
  root_.Write("exact.bin", exact);
  root_.Write("empty.bin", {});

  TestPeer peer(server_.port());
  std::vector<int> sizes;
  EXPECT_EQ(peer.Download("a.bin", {}, &sizes), a);
  EXPECT_EQ(sizes, (std::vector<int>{512, 512, 476}));
  {
    std::unique_lock<std::mutex> lock(progress_mutex_);
    progress_changed_.wait_for(lock, std::chrono::seconds(2), [&] { return progress_.size() >= 3; });
    EXPECT_EQ(progress_, (std::vector<std::pair<int, int>>{{512, 1500}, {1024, 1500}, {1500, 1500}}));
  }
  EXPECT_TRUE(LogHas("TRANS: " + Path("a.bin") + "\n"));
  EXPECT_TRUE(LogHas("filename is " + Path("a.bin") + " size is 1500\n"));

  sizes.clear();
  EXPECT_EQ(TestPeer(server_.port()).Download("exact.bin", {}, &sizes), exact);
  EXPECT_EQ(sizes, (std::vector<int>{512, 512, 0}));
  sizes.clear();
  EXPECT_EQ(TestPeer(server_.port()).Download("empty.bin", {}, &sizes), Bytes{});
  EXPECT_EQ(sizes, std::vector<int>{0});
}

TEST_F(TftpdLoopback, AcknowledgesOnlyOptionsItActsOn) {
  const Bytes file = PatternBytes(5000);
  root_.Write("f.bin", file);

  // A small block size is honoured; tsize carries the real size; options
  // the server does not know are left out.
  auto reply =
      Ask(Request(kReadRequest, "f.bin", {{"blksize", "128"}, {"multicast", ""}, {"tsize", "0"}, {"windowsize", "4"}}));
  ASSERT_TRUE(reply);
  EXPECT_EQ(OackOptions(*reply), (Options{{"blksize", "128"}, {"tsize", "5000"}, {"windowsize", "4"}}));
  // Too large: answered with 512, which the peer must accept.
  reply = Ask(Request(kReadRequest, "f.bin", {{"blksize", "4096"}, {"timeout", "3"}}));
  ASSERT_TRUE(reply);
  EXPECT_EQ(OackOptions(*reply), (Options{{"blksize", "512"}, {"timeout", "3"}}));
  // Nothing acceptable left: block 1 comes at once, as without options.
  reply = Ask(Request(kReadRequest, "f.bin", {{"blksize", "abc"}, {"timeout", "20"}, {"BLKSIZE", "1024"}}));
  ASSERT_TRUE(reply);
  EXPECT_EQ(OpcodeOf(*reply), kData);
  EXPECT_EQ(BlockOf(*reply), 1);
  EXPECT_EQ(reply->size(), 4u + 512u);

  for (const char* size : {"8", "128", "1468", "2048"}) {
    std::vector<int> sizes;
    EXPECT_EQ(TestPeer(server_.port()).Download("f.bin", {{"blksize", size}}, &sizes), file) << size;
    for (int block : sizes) EXPECT_LE(block, std::stoi(size));
  }
}

TEST_F(TftpdLoopback, RefusesMissingFilesAndNamesOutsideTheRoot) {
  root_.Write("sub/c.bin", PatternBytes(700));
  ScratchFolder outside;
  outside.Write("secret.bin", PatternBytes(10));

  EXPECT_EQ(ErrorText(*Ask(Request(kReadRequest, "nope.bin"))), "1 file not exist!");
  EXPECT_EQ(ErrorText(*Ask(Request(kReadRequest, "nope.bin", {{"tsize", "0"}}))), "1 file not exist!");
  EXPECT_EQ(ErrorText(*Ask(Request(kWriteRequest, "nope.bin"))), "1 file not exist!");

  const std::string escape = "../" + outside.path().filename().string() + "/secret.bin";
  for (const std::string& name :
       {escape, std::string("sub/../../x"), std::string("..\\x"), std::string(".."), outside.text() + "/secret.bin",
        std::string("\\etc\\passwd"), std::string("C:\\Windows\\win.ini"), std::string("\\\\host\\share\\f")}) {
    auto reply = Ask(Request(kReadRequest, name, {{"tsize", "0"}}));
    ASSERT_TRUE(reply) << name;
    EXPECT_EQ(ErrorText(*reply), "2 access violation") << name;
    EXPECT_EQ(ErrorText(*Ask(Request(kWriteRequest, name))), "2 access violation") << name;
  }
#ifndef _WIN32
  std::filesystem::create_symlink(outside.path() / "secret.bin", root_.path() / "link.bin");
  EXPECT_EQ(ErrorText(*Ask(Request(kReadRequest, "link.bin"))), "2 access violation");
#endif
  EXPECT_EQ(TestPeer(server_.port()).Download("sub/c.bin"), PatternBytes(700));
  EXPECT_EQ(TestPeer(server_.port()).Download("sub\\c.bin"), PatternBytes(700));
}

TEST_F(TftpdLoopback, AnswersStrangersButNotTheirErrorsOrRunts) {
  EXPECT_EQ(ErrorText(*Ask(Ack(1))), "1 client not exists or timeout");
  EXPECT_EQ(ErrorText(*Ask(Data(1, {1, 2}))), "1 client not exists or timeout");
  EXPECT_FALSE(Ask({0, 5, 0, 0, 'x', 0}, 300));
  EXPECT_FALSE(Ask({0, 1}, 300));
  EXPECT_FALSE(Ask({0}, 300));
}

TEST_F(TftpdLoopback, UploadsReplaceExistingFiles) {
  root_.Write("up.bin", PatternBytes(3000));
  const Bytes first = PatternBytes(512, 7), second = PatternBytes(100, 8);
  TestPeer peer(server_.port());
  peer.Send(Request(kWriteRequest, "up.bin"));
  EXPECT_EQ(peer.Receive(), Ack(0));
  peer.Send(Data(1, first));
  EXPECT_EQ(peer.Receive(), Ack(1));
  peer.Send(Data(1, first));  // a repeat is acknowledged again, not written twice
  EXPECT_EQ(peer.Receive(), Ack(1));
  peer.Send(Data(2, second));
  EXPECT_EQ(peer.Receive(), Ack(2));
  Bytes expected = first;
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_EQ(root_.Read("up.bin"), expected);

  // With options the file is opened along with the OACK, so data can follow.
  TestPeer optioned(server_.port());
  optioned.Send(Request(kWriteRequest, "up.bin", {{"blksize", "1024"}, {"tsize", "1100"}}));
  auto oack = optioned.Receive();
  ASSERT_TRUE(oack);
  EXPECT_EQ(OackOptions(*oack), (Options{{"blksize", "1024"}, {"tsize", "1100"}}));
  const Bytes big = PatternBytes(1024, 9), tail = PatternBytes(76, 10);
  optioned.Send(Data(1, big));
  EXPECT_EQ(optioned.Receive(), Ack(1));
  optioned.Send(Data(2, tail));
  EXPECT_EQ(optioned.Receive(), Ack(2));
  expected = big;
  expected.insert(expected.end(), tail.begin(), tail.end());
  EXPECT_EQ(root_.Read("up.bin"), expected);
}

TEST_F(TftpdLoopback, ServesEightPeersAtOnce) {
  const Bytes file = PatternBytes(300000, 3);
  root_.Write("big.bin", file);
  std::vector<std::thread> peers;
  std::vector<int> identical(8, 0);
  for (int i = 0; i < 8; ++i) {
    peers.emplace_back([&, i] {
      // Lock-step and windowed peers side by side.
      const Options options = i % 4 == 0   ? Options{}
                              : i % 4 == 1 ? Options{{"blksize", "1468"}, {"tsize", "0"}}
                              : i % 4 == 2 ? Options{{"windowsize", "8"}}
                                           : Options{{"blksize", "1468"}, {"windowsize", "64"}};
      identical[size_t(i)] = TestPeer(server_.port()).Download("big.bin", options) == file;
    });
  }
  for (auto& peer : peers) peer.join();
  EXPECT_EQ(identical, std::vector<int>(8, 1));
}

TEST_F(TftpdLoopback, SendsAWindowPerAcknowledgementAndRecoversALostBlock) {
  const Bytes a = PatternBytes(20000, 9);
  root_.Write("a.bin", a);
  std::vector<int> sizes;
  EXPECT_EQ(TestPeer(server_.port()).Download("a.bin", {{"windowsize", "8"}, {"blksize", "1024"}}, &sizes), a);
  EXPECT_EQ(sizes.size(), 20u);
  {
    std::unique_lock<std::mutex> lock(progress_mutex_);
    progress_changed_.wait_for(lock, std::chrono::seconds(2), [this] { return progress_.size() >= 20; });
    ASSERT_EQ(progress_.size(), 20u);  // every block once
    EXPECT_EQ(progress_.back(), std::make_pair(20000, 20000));
  }
  // A peer that takes blocks 1 and 2, misses 3 and says so with ACK 2 gets
  // 3 to 10 at once, without waiting for a timeout.
  TestPeer peer(server_.port());
  peer.Send(Request(kReadRequest, "a.bin", {{"windowsize", "4"}, {"blksize", "1024"}}));
  ASSERT_EQ(OpcodeOf(peer.Receive().value_or(Bytes{})), kOptionAck);
  peer.Send(Ack(0));
  for (uint16_t block = 1; block <= 4; ++block) EXPECT_EQ(BlockOf(peer.Receive().value_or(Bytes{})), block);
  peer.Send(Ack(2));
  for (uint16_t block = 3; block <= 6; ++block) EXPECT_EQ(BlockOf(peer.Receive().value_or(Bytes{})), block);
}

TEST_F(TftpdLoopback, ServesASilentPeerAgainWhileOthersKeepTheSocketBusy) {
  root_.Write("f.bin", PatternBytes(2000));
  TestPeer silent(server_.port(), 3000);
  silent.Send(Request(kReadRequest, "f.bin", {{"timeout", "1"}}));
  ASSERT_TRUE(silent.Receive());  // the OACK; then nothing from this peer
  TestPeer noisy(server_.port(), 50);
  const auto start = std::chrono::steady_clock::now();
  std::optional<Bytes> again;
  std::thread listener([&] { again = silent.Receive(); });
  while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(2500)) {
    noisy.Send(Ack(7));  // every 10 ms: the receive never times out
    noisy.Receive();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  listener.join();
  ASSERT_TRUE(again);
  EXPECT_EQ(OackOptions(*again), (Options{{"timeout", "1"}}));
  EXPECT_TRUE(LogHas("ReSend [" + Path("f.bin") + "] BlockID=0.\n"));
}

// Stands between a peer and the server on loopback and drops the first
// `copies_lost` transmissions of the DATA blocks it is told to, as a bad
// cable would; everything else goes through.
class LossyRelay {
 public:
  LossyRelay(uint16_t server_port, std::map<uint16_t, int> copies_lost)
      : socket_(OpenUdpSocket(LoopbackIp(), 0, 20).socket),
        server_(Peer(server_port)),
        copies_lost_(std::move(copies_lost)) {
    if (socket_) worker_ = std::thread([this] { Run(); });
  }
  ~LossyRelay() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
  }
  uint16_t port() const { return socket_ ? socket_->LocalPort() : 0; }
  int dropped() const { return dropped_; }

 private:
  void Run() {
    uint8_t buffer[kReceiveBufferSize];
    PeerAddress from, peer;
    while (!stop_) {
      const int length = socket_->ReceiveFrom(buffer, sizeof buffer, &from);
      if (length < 0) continue;
      if (!(from == server_)) {
        peer = from;
        socket_->SendTo(buffer, length, server_);
        continue;
      }
      if (length >= 4 && ReadU16(buffer) == kData) {
        auto lost = copies_lost_.find(ReadU16(buffer + 2));
        if (lost != copies_lost_.end() && lost->second > 0) {
          --lost->second;
          ++dropped_;
          continue;
        }
      }
      socket_->SendTo(buffer, length, peer);
    }
  }

  std::unique_ptr<UdpSocket> socket_;
  const PeerAddress server_;
  std::map<uint16_t, int> copies_lost_;  // the relay thread's alone
  std::atomic<bool> stop_{false};
  std::atomic<int> dropped_{0};
  std::thread worker_;
};

// A boot loader counts its timeouts over the whole transfer and gives up
// after a few: a lost block must come again before its 5-second timer does.
TEST_F(TftpdLoopback, ALockStepPeerThatLosesBlocksNeverWaitsForItsOwnTimeout) {
  const Bytes file = PatternBytes(1468 * 400 + 77, 11);
  root_.Write("image.bin", file);
  // Every 40th block once, block 100 three times in a row.
  std::map<uint16_t, int> lost;
  for (uint16_t block = 40; block <= 400; block += 40) lost[block] = 1;
  lost[100] = 3;
  LossyRelay relay(server_.port(), lost);
  ASSERT_NE(relay.port(), 0);
  TestPeer peer(relay.port(), 5000);
  peer.Send(Request(kReadRequest, "image.bin", {{"blksize", "1468"}, {"timeout", "5"}}));
  Bytes received;
  Bytes last_ack = Ack(0);
  uint16_t expected = 1;
  int timeouts = 0;
  bool complete = false;
  const auto start = std::chrono::steady_clock::now();
  std::optional<Bytes> packet = peer.Receive();
  if (packet && OpcodeOf(*packet) == kOptionAck) {
    peer.Send(last_ack);
    packet = peer.Receive();
  }
  while (!complete && timeouts < 3) {
    if (!packet) {  // the peer's own timer ran out: it acknowledges again
      ++timeouts;
      peer.Send(last_ack);
    } else if (OpcodeOf(*packet) == kData && BlockOf(*packet) == expected) {
      received.insert(received.end(), packet->begin() + 4, packet->end());
      last_ack = Ack(expected++);
      peer.Send(last_ack);
      complete = packet->size() < 4 + 1468;
    } else if (OpcodeOf(*packet) != kData) {
      break;
    }
    if (!complete) packet = peer.Receive();
  }
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_TRUE(complete);
  EXPECT_EQ(timeouts, 0);
  EXPECT_EQ(relay.dropped(), 13);
  EXPECT_TRUE(received == file);
  EXPECT_LT(seconds, 5.0) << "thirteen losses cost a few timer periods each";
}

TEST(TftpdStart, FailsWhenThePortIsTakenAndLeavesNoWorker) {
  SocketOpenResult holder = OpenUdpSocket(LoopbackIp(), 0, 100);
  ASSERT_TRUE(holder.socket);
  std::vector<std::string> logs;
  tftpd server;
  server.log_sink = [&logs](const std::string& line) { logs.push_back(line); };
  ScratchFolder root;
  EXPECT_EQ(server.start("127.0.0.1", holder.socket->LocalPort(), root.text().c_str()), -1);
  EXPECT_EQ(server.failed_stage(), SocketStage::kBind);
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(logs[0], "socket bind failed error is " + std::to_string(server.failed_error()) + "\n");
}

TEST(UdpSocketShim, ShutdownWakesABlockedReceiveAtOnce) {
  for (const bool batch : {false, true}) {
    SocketOpenResult opened = OpenUdpSocket(LoopbackIp(), 0, 20000);
    ASSERT_TRUE(opened.socket);
    UdpSocket& socket = *opened.socket;
    int result = 1;
    std::thread receiver([&] {
      uint8_t buffer[16];
      Datagram slot{buffer, sizeof buffer, 0, {}};
      result = batch ? socket.ReceiveBatch(&slot, 1) : socket.ReceiveFrom(buffer, sizeof buffer, &slot.from);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto start = std::chrono::steady_clock::now();
    socket.Shutdown();
    receiver.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << batch;
    EXPECT_LT(result, 1) << batch;
  }
}

TEST(UdpSocketShim, BatchesTakeWaitingDatagramsAndSendQueuedRepliesInOrder) {
  SocketOpenResult server = OpenUdpSocket(LoopbackIp(), 0, 2000);
  SocketOpenResult client = OpenUdpSocket(LoopbackIp(), 0, 2000);
  ASSERT_TRUE(server.socket && client.socket);
  const PeerAddress to_server{LoopbackIp(), HostToNetworkPort(server.socket->LocalPort())};
  const Bytes too_long(kReceiveBufferSize + 1, 7);
  for (uint8_t i = 1; i <= 3; ++i) client.socket->SendTo(Bytes(size_t(i) * 10, i).data(), i * 10, to_server);
  client.socket->SendTo(too_long.data(), int(too_long.size()), to_server);
  client.socket->SendTo(Bytes(5, 4).data(), 5, to_server);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));

  std::vector<uint8_t> buffers(8 * kReceiveBufferSize);
  Datagram slots[8];
  for (int i = 0; i < 8; ++i) slots[i] = {buffers.data() + i * kReceiveBufferSize, kReceiveBufferSize, 0, {}};
  // Linux takes all that wait in one call; Winsock one at a time, failing
  // the call that meets the datagram too long.
  int taken = 0, calls = 0;
  while (taken < 4 && calls++ < 8) {
    const int got = server.socket->ReceiveBatch(slots + taken, 8 - taken);
    if (got > 0) taken += got;
  }
  ASSERT_EQ(taken, 4);  // the one that did not fit is dropped whole
#ifdef __linux__
  EXPECT_EQ(calls, 1);
#endif
  const int lengths[] = {10, 20, 30, 5};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(slots[i].length, lengths[i]);
    EXPECT_EQ(slots[i].buffer[0], uint8_t(i + 1));
    EXPECT_EQ(NetworkToHostPort(slots[i].from.port), client.socket->LocalPort());
  }
  // Replies wait for the flush (or go at once without batching) and keep their order.
  for (uint8_t i = 1; i <= 100; ++i) server.socket->QueueTo(Bytes(i, i).data(), i, slots[0].from);
  server.socket->FlushQueued();
  for (int i = 1; i <= 100; ++i) {
    uint8_t buffer[200];
    PeerAddress from;
    ASSERT_EQ(client.socket->ReceiveFrom(buffer, sizeof buffer, &from), i);
    EXPECT_EQ(buffer[0], uint8_t(i));
  }
  // With nothing waiting the batch times out like a single receive.
  ASSERT_TRUE(server.socket->SetReceiveTimeout(100));
  EXPECT_EQ(server.socket->ReceiveBatch(slots, 8), -1);
}

}  // namespace
}  // namespace ztftp::testing

namespace ztftp::testing {
namespace {

// The repair program's server: the firmware and nothing else, never a write.
class TftpdServeOnly : public ::testing::Test {
 protected:
  void SetUp() override {
    root_.Write("upgradeimage.bin", PatternBytes(1300));
    root_.Write("other.bin", PatternBytes(40, 3));
    ASSERT_TRUE(server_.started());
  }
  std::optional<Bytes> Ask(const Bytes& packet) {
    TestPeer peer(server_.port());
    peer.Send(packet);
    return peer.Receive();
  }

  ScratchFolder root_;
  LoopbackServer server_{root_.text(), nullptr, "upgradeimage.bin"};
};

TEST_F(TftpdServeOnly, ServesTheOneFileAndRefusesEverythingElse) {
  EXPECT_EQ(TestPeer(server_.port()).Download("upgradeimage.bin"), PatternBytes(1300));
  EXPECT_EQ(TestPeer(server_.port()).Download("upgradeimage.bin", {{"blksize", "1024"}, {"tsize", "0"}}),
            PatternBytes(1300));

  for (const char* name :
       {"other.bin", "UpgradeImage.bin", "upgradeimage.bin.bak", "sub/upgradeimage.bin", "../upgradeimage.bin"}) {
    auto reply = Ask(Request(kReadRequest, name));
    ASSERT_TRUE(reply) << name;
    EXPECT_EQ(ErrorText(*reply), "1 file not exist!") << name;
    reply = Ask(Request(kReadRequest, name, {{"tsize", "0"}}));
    ASSERT_TRUE(reply) << name;
    EXPECT_EQ(ErrorText(*reply), "1 file not exist!") << name << " with options";
  }
}

TEST_F(TftpdServeOnly, RefusesEveryWriteAndLeavesTheFilesAsTheyWere) {
  for (const char* name : {"upgradeimage.bin", "other.bin", "new.bin"}) {
    auto reply = Ask(Request(kWriteRequest, name));
    ASSERT_TRUE(reply) << name;
    EXPECT_EQ(ErrorText(*reply), "2 access violation") << name;
    reply = Ask(Request(kWriteRequest, name, {{"blksize", "1024"}}));
    ASSERT_TRUE(reply) << name;
    EXPECT_EQ(ErrorText(*reply), "2 access violation") << name << " with options";
  }
  EXPECT_EQ(root_.Read("upgradeimage.bin"), PatternBytes(1300));
  EXPECT_EQ(root_.Read("other.bin"), PatternBytes(40, 3));
  EXPECT_FALSE(root_.Exists("new.bin"));
}

// A firmware file of another name, or in another folder, served as the one name.
TEST(TftpdServeOnlySource, AnswersTheServedNameWithTheSourceFile) {
  ScratchFolder root, elsewhere;
  root.Write("upgradeimage.bin", PatternBytes(100, 1));
  elsewhere.Write("vombel-2.1.img", PatternBytes(2100, 4));
  LoopbackServer server(root.text(), nullptr, "upgradeimage.bin", (elsewhere.path() / "vombel-2.1.img").string());
  ASSERT_TRUE(server.started());
  EXPECT_EQ(TestPeer(server.port()).Download("upgradeimage.bin", {{"tsize", "0"}}), PatternBytes(2100, 4));
  TestPeer peer(server.port());
  peer.Send(Request(kReadRequest, "vombel-2.1.img"));
  const auto reply = peer.Receive();
  ASSERT_TRUE(reply);
  EXPECT_EQ(ErrorText(*reply), "1 file not exist!");
}

TEST(TftpdUploads, AreRefusedUnlessAllowedAndLeaveTheRootAsItWas) {
  ScratchFolder root;
  root.Write("up.bin", PatternBytes(700, 5));
  tftpd server;
  server.log_sink = [](const std::string&) {};
  ASSERT_EQ(server.start("127.0.0.1", 0, root.text().c_str()), 0);
  for (const char* name : {"up.bin", "new.bin"}) {
    for (const Options& options : {Options{}, Options{{"blksize", "1024"}, {"tsize", "100"}}}) {
      TestPeer peer(server.bound_port());
      peer.Send(Request(kWriteRequest, name, options));
      const auto reply = peer.Receive();
      ASSERT_TRUE(reply) << name;
      EXPECT_EQ(ErrorText(*reply), "2 access violation") << name << " with " << options.size() << " options";
      peer.Send(Data(1, PatternBytes(100, 6)));  // data sent regardless is not written either
      peer.Receive();
    }
  }
  EXPECT_EQ(root.Read("up.bin"), PatternBytes(700, 5));
  EXPECT_FALSE(root.Exists("new.bin"));
  EXPECT_EQ(TestPeer(server.bound_port()).Download("up.bin"), PatternBytes(700, 5)) << "reads are unaffected";
}

TEST(TftpdShutDown, WaitsForTheWorkerFreesThePortAndAllowsAnotherStart) {
  ScratchFolder root;
  root.Write("f.bin", PatternBytes(600));
  tftpd server;
  server.log_sink = [](const std::string&) {};
  ASSERT_EQ(server.start("127.0.0.1", 0, root.text().c_str()), 0);
  const uint16_t port = server.bound_port();
  ASSERT_NE(port, 0);
  EXPECT_TRUE(server.running());
  const auto begin = std::chrono::steady_clock::now();
  server.shut_down();
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(1)) << "woken, not timed out";
  EXPECT_FALSE(server.running());
  EXPECT_EQ(server.bound_port(), 0);
  server.shut_down();  // twice is harmless

  // The same port again, on the same object: the first socket is closed.
  ASSERT_EQ(server.start("127.0.0.1", port, root.text().c_str()), 0);
  EXPECT_EQ(TestPeer(port).Download("f.bin"), PatternBytes(600));
}

}  // namespace
}  // namespace ztftp::testing
