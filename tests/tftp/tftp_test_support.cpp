#include "tests/tftp/tftp_test_support.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>

#include "tftp/packets.h"

namespace ztftp::testing {

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          ("zaviz-tftp-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void ScratchFolder::Write(const std::string& name, const Bytes& content) const {
  const auto file = path_ / name;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(content.data()), std::streamsize(content.size()));
}

Bytes ScratchFolder::Read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ScratchFolder::Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

Bytes PatternBytes(size_t size, uint32_t seed) {
  Bytes bytes(size);
  uint32_t state = seed * 2654435761u + 1;
  for (auto& byte : bytes) {
    state = state * 1664525u + 1013904223u;
    byte = uint8_t(state >> 24);
  }
  return bytes;
}

Bytes Request(uint16_t opcode, const std::string& name,
              const std::vector<std::pair<std::string, std::string>>& options) {
  Bytes packet{uint8_t(opcode >> 8), uint8_t(opcode)};
  auto append = [&packet](const std::string& text) {
    packet.insert(packet.end(), text.begin(), text.end());
    packet.push_back(0);
  };
  append(name);
  append("octet");
  for (const auto& [option, value] : options) {
    append(option);
    append(value);
  }
  return packet;
}

Bytes Ack(uint16_t block) { return {0, 4, uint8_t(block >> 8), uint8_t(block)}; }

Bytes Data(uint16_t block, const Bytes& payload) {
  Bytes packet(4 + payload.size());
  WriteU16(packet.data(), kData);
  WriteU16(packet.data() + 2, block);
  std::copy(payload.begin(), payload.end(), packet.begin() + 4);
  return packet;
}

uint16_t OpcodeOf(const Bytes& packet) { return packet.size() >= 2 ? ReadU16(packet.data()) : 0; }
uint16_t BlockOf(const Bytes& packet) { return packet.size() >= 4 ? ReadU16(packet.data() + 2) : 0xFFFF; }

std::string ErrorText(const Bytes& packet) {
  if (OpcodeOf(packet) != kError || packet.size() < 5) return {};
  return std::to_string(BlockOf(packet)) + " " +
         std::string(reinterpret_cast<const char*>(packet.data() + 4), packet.size() - 5);
}

std::vector<std::pair<std::string, std::string>> OackOptions(const Bytes& packet) {
  if (OpcodeOf(packet) != kOptionAck) return {};
  return ParseOptions(packet.data() + 2, int(packet.size()) - 2);
}

PeerAddress Peer(uint16_t port_host_order) { return {LoopbackIp(), HostToNetworkPort(port_host_order)}; }

DrivenServer::DrivenServer(const std::string& root) {
  server.log_sink = [this](const std::string& line) { logs.push_back(line); };
  server.allow_uploads(true);  // the refusal by default has tests of its own
  server.attach(std::make_unique<FakeSocket>(&sent), root.c_str());
}

void DrivenServer::Deliver(const Bytes& packet, const PeerAddress& from, uint64_t now_ms) {
  server.on_packet(packet.data(), int(packet.size()), from, now_ms);
}

std::vector<FakeSocket::Sent> DrivenServer::TakeSent() { return std::exchange(sent, {}); }

bool DrivenServer::LogHas(const std::string& text) const {
  for (const auto& line : logs) {
    if (line == text) return true;
  }
  return false;
}

LoopbackServer::LoopbackServer(const std::string& root, tftpd::ProgressCallback progress, const std::string& only_file,
                               const std::string& only_source) {
  server_.progress_callback = std::move(progress);
  server_.allow_uploads(true);  // serve_only must refuse uploads all the same
  if (!only_file.empty()) server_.serve_only(only_file, only_source);
  server_.log_sink = [this](const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    logs_.push_back(line);
  };
  // Another program may grab the probed port in between: try a few.
  for (int attempt = 0; attempt < 5 && port_ == 0; ++attempt) {
    uint16_t candidate = 0;
    {
      SocketOpenResult probe = OpenUdpSocket(LoopbackIp(), 0, 100);
      if (!probe.socket) continue;
      candidate = probe.socket->LocalPort();
    }
    if (server_.start("127.0.0.1", candidate, root.c_str()) == 0) port_ = candidate;
  }
}

std::vector<std::string> LoopbackServer::Logs() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return logs_;
}

TestPeer::TestPeer(uint16_t server_port, int receive_timeout_ms)
    : socket_(OpenUdpSocket(LoopbackIp(), 0, receive_timeout_ms).socket), server_(Peer(server_port)) {}

void TestPeer::Send(const Bytes& packet) {
  if (socket_) socket_->SendTo(packet.data(), int(packet.size()), server_);
}

std::optional<Bytes> TestPeer::Receive() {
  if (!socket_) return std::nullopt;
  uint8_t buffer[kReceiveBufferSize];
  PeerAddress from;
  const int length = socket_->ReceiveFrom(buffer, sizeof buffer, &from);
  if (length < 0) return std::nullopt;
  return Bytes(buffer, buffer + length);
}

std::optional<Bytes> TestPeer::Download(const std::string& name,
                                        const std::vector<std::pair<std::string, std::string>>& options,
                                        std::vector<int>* block_sizes) {
  Send(Request(kReadRequest, name, options));
  size_t blksize = kDefaultBlockSize;
  size_t window = 1;
  Bytes content;
  uint16_t expected = 1;
  std::optional<Bytes> packet = Receive();
  if (packet && OpcodeOf(*packet) == kOptionAck) {
    for (const auto& [option, value] : OackOptions(*packet)) {
      if (option == "blksize") blksize = size_t(std::stoi(value));
      if (option == "windowsize") window = size_t(std::stoi(value));
    }
    Send(Ack(0));
    packet = Receive();
  }
  // A windowed receiver acknowledges the last block of each window, and the
  // last block in order when one is missing.
  size_t in_window = 0;
  int strays = 0;
  while (packet && OpcodeOf(*packet) == kData) {
    if (BlockOf(*packet) != expected) {
      if (++strays > 1000) break;
      Send(Ack(uint16_t(expected - 1)));
      in_window = 0;
      packet = Receive();
      continue;
    }
    const size_t payload = packet->size() - 4;
    if (block_sizes != nullptr) block_sizes->push_back(int(payload));
    content.insert(content.end(), packet->begin() + 4, packet->end());
    if (++in_window == window || payload < blksize) {
      Send(Ack(expected));
      in_window = 0;
    }
    if (payload < blksize) return content;
    ++expected;
    packet = Receive();
  }
  return std::nullopt;
}

}  // namespace ztftp::testing
