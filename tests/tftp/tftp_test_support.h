#pragma once
// Helpers for the server tests: a scratch root folder, a fake socket for
// driving the packet logic step by step, and a small TFTP peer over a real
// loopback socket.

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tftp/tftpd.h"
#include "tftp/udp_socket.h"

namespace ztftp::testing {

using Bytes = std::vector<uint8_t>;

// A fresh folder under the temp directory, removed again at destruction.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::filesystem::path& path() const { return path_; }
  std::string text() const { return path_.string(); }
  void Write(const std::string& name, const Bytes& content) const;
  Bytes Read(const std::string& name) const;
  bool Exists(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

Bytes PatternBytes(size_t size, uint32_t seed = 1);

// Packet builders.
Bytes Request(uint16_t opcode, const std::string& name,
              const std::vector<std::pair<std::string, std::string>>& options = {});
Bytes Ack(uint16_t block);
Bytes Data(uint16_t block, const Bytes& payload);

// Readers of a received packet.
uint16_t OpcodeOf(const Bytes& packet);
uint16_t BlockOf(const Bytes& packet);
std::string ErrorText(const Bytes& packet);
std::vector<std::pair<std::string, std::string>> OackOptions(const Bytes& packet);

// Records what the server sends; has nothing to receive.
class FakeSocket final : public UdpSocket {
 public:
  struct Sent {
    Bytes bytes;
    PeerAddress to;
  };
  explicit FakeSocket(std::vector<Sent>* sink) : sink_(sink) {}
  int ReceiveFrom(uint8_t*, int, PeerAddress*) override { return -1; }
  void SendTo(const uint8_t* data, int length, const PeerAddress& to) override {
    sink_->push_back({Bytes(data, data + length), to});
  }
  bool SetReceiveTimeout(int) override { return true; }
  void Shutdown() override {}
  uint16_t LocalPort() const override { return 0; }

 private:
  std::vector<Sent>* sink_;
};

// A server driven by direct calls, over a FakeSocket, with captured logs.
struct DrivenServer {
  explicit DrivenServer(const std::string& root);
  void Deliver(const Bytes& packet, const PeerAddress& from, uint64_t now_ms);
  std::vector<FakeSocket::Sent> TakeSent();
  bool LogHas(const std::string& text) const;

  std::vector<FakeSocket::Sent> sent;
  std::vector<std::string> logs;
  tftpd server;
};

PeerAddress Peer(uint16_t port_host_order);

// A server on a free loopback port with its log lines captured.
class LoopbackServer {
 public:
  // The callback is set before the worker starts, as the server requires.
  // With `only_file` set the server is in its serve-only mode, reading
  // `only_source` for it when that is set.
  explicit LoopbackServer(const std::string& root, tftpd::ProgressCallback progress = nullptr,
                          const std::string& only_file = {}, const std::string& only_source = {});
  bool started() const { return port_ != 0; }
  uint16_t port() const { return port_; }
  std::vector<std::string> Logs() const;
  tftpd& server() { return server_; }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> logs_;
  tftpd server_;
  uint16_t port_ = 0;
};

// A TFTP peer on its own loopback socket.
class TestPeer {
 public:
  explicit TestPeer(uint16_t server_port, int receive_timeout_ms = 2000);
  void Send(const Bytes& packet);
  std::optional<Bytes> Receive();
  // Downloads `name` in lockstep, or a window at a time when the OACK grants
  // a windowsize; nullopt on an ERROR or a timeout.
  // `block_sizes` collects the payload size of each DATA block.
  std::optional<Bytes> Download(const std::string& name,
                                const std::vector<std::pair<std::string, std::string>>& options = {},
                                std::vector<int>* block_sizes = nullptr);

 private:
  std::unique_ptr<UdpSocket> socket_;
  PeerAddress server_;
};

}  // namespace ztftp::testing
