// Feeds datagram sequences from a few peers to tftpd's packet handling over a
// fake socket, with a fake clock so that resends and the idle sweep happen.
//
// Input: records of [peer byte][time byte][2 length bytes, big-endian][datagram...].
//   peer byte: low 2 bits pick one of four peers; bit 7 runs the idle sweep;
//     bit 6 appends a "windowsize" option (value picked by bits 2-4) to a
//     request; bit 5 replaces the datagram by an ACK of the last DATA block
//     sent to that peer minus the datagram's first byte, so that windows
//     are acknowledged inside, behind and ahead.
//   time byte: milliseconds to advance, times 100.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "tftp/packets.h"
#include "tftp/tftpd.h"
#include "tftp/udp_socket.h"

namespace {

constexpr int kPeers = 4;

class DiscardingSocket final : public ztftp::UdpSocket {
 public:
  explicit DiscardingSocket(const ztftp::PeerAddress* peers) : peers_(peers) {}
  int ReceiveFrom(uint8_t*, int, ztftp::PeerAddress*) override { return -1; }
  void SendTo(const uint8_t* data, int length, const ztftp::PeerAddress& to) override {
    // Touch every byte so that the sanitizers see what would go on the wire.
    for (int i = 0; i < length; ++i) checksum_ += data[i];
    if (length < 4 || length > ztftp::kMaxPacketSize) __builtin_trap();
    if (ztftp::ReadU16(data) != ztftp::kData) return;
    for (int i = 0; i < kPeers; ++i) {
      if (peers_[i] == to) last_data_[i] = ztftp::ReadU16(data + 2);
    }
  }
  uint16_t last_data(int peer) const { return last_data_[peer]; }
  bool SetReceiveTimeout(int) override { return true; }
  void Shutdown() override {}
  uint16_t LocalPort() const override { return 0; }

 private:
  const ztftp::PeerAddress* peers_;
  uint16_t last_data_[kPeers] = {};
  unsigned checksum_ = 0;
};

void AppendWindowOption(std::vector<uint8_t>* datagram, uint8_t choice) {
  static const char* const kValues[8] = {"2", "4", "8", "64", "65", "1", "0", "x"};
  if (datagram->size() < 2 || (*datagram)[0] != 0 || ((*datagram)[1] != 1 && (*datagram)[1] != 2)) return;
  static const char kName[] = "windowsize";
  datagram->insert(datagram->end(), kName, kName + sizeof kName);
  const char* value = kValues[choice & 7];
  datagram->insert(datagram->end(), value, value + std::strlen(value) + 1);
}

std::filesystem::path Root() {
  static const std::filesystem::path root = [] {
    auto path = std::filesystem::temp_directory_path() / ("zaviz-tftp-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path / "sub");
    return path;
  }();
  return root;
}

// Only existence and size steer the server; contents do not.
void WriteFile(const std::filesystem::path& path, size_t size) {
  std::error_code error;
  if (std::filesystem::file_size(path, error) == size && !error) return;
  static const std::vector<char> content(4096, 'z');
  std::FILE* file = std::fopen(path.string().c_str(), "wb");
  if (file == nullptr) return;
  std::fwrite(content.data(), 1, size, file);
  std::fclose(file);
}

// Uploads replace or delete files, so every input starts from the same tree.
void ResetTree() {
  WriteFile(Root() / "a.bin", 1500);
  WriteFile(Root() / "e.bin", 0);
  WriteFile(Root() / "sub" / "c.bin", 40);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResetTree();
  ztftp::tftpd server;
  server.log_sink = [](const std::string&) {};
  server.allow_uploads(true);  // so that the upload path is fuzzed too
  server.progress_callback = [](int position, int file_size, const std::string&) {
    if (position < 0 || position > file_size) __builtin_trap();
  };
  static const ztftp::PeerAddress peers[kPeers] = {
      {ztftp::LoopbackIp(), ztftp::HostToNetworkPort(1001)},
      {ztftp::LoopbackIp(), ztftp::HostToNetworkPort(1002)},
      {ztftp::LoopbackIp(), ztftp::HostToNetworkPort(1003)},
      {0x0100000Au, ztftp::HostToNetworkPort(1001)},
  };
  auto socket = std::make_unique<DiscardingSocket>(peers);
  const DiscardingSocket& sent = *socket;
  server.attach(std::move(socket), Root().string().c_str());
  uint64_t now = 1000;
  size_t offset = 0;
  std::vector<uint8_t> datagram;
  while (offset + 4 <= size) {
    const uint8_t peer = data[offset];
    now += uint64_t(data[offset + 1]) * 100;
    size_t length = size_t(data[offset + 2]) << 8 | data[offset + 3];
    offset += 4;
    if (length > size - offset) length = size - offset;
    // A copy of exactly the datagram's size, so that any over-read is caught.
    datagram.assign(data + offset, data + offset + length);
    offset += length;
    if (peer & 0x40) AppendWindowOption(&datagram, uint8_t(peer >> 2));
    if (peer & 0x20) {
      const int behind = datagram.empty() ? 0 : int8_t(datagram[0]);
      const uint16_t block = uint16_t(sent.last_data(peer & 3) - behind);
      datagram = {0, ztftp::kAck, uint8_t(block >> 8), uint8_t(block)};
    }
    if (peer & 0x80) server.check_clients(now);
    // The receive loop drops datagrams that do not fit its buffer.
    if (!datagram.empty() && datagram.size() <= size_t(ztftp::kReceiveBufferSize))
      server.on_packet(datagram.data(), int(datagram.size()), peers[peer & 3], now);
    if (server.client_count() > ztftp::tftpd::kMaxClients) __builtin_trap();
  }
  server.check_clients(now + 60000);
  return 0;
}
