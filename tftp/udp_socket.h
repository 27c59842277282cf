#pragma once
// The one UDP socket the server needs, behind a small interface so that the
// packet logic runs unchanged over POSIX sockets, Winsock, or a fake.

#include <cstdint>
#include <memory>
#include <string>

namespace ztftp {

// An IPv4 peer; both fields in network byte order, as they travel.
struct PeerAddress {
  uint32_t ip = 0;
  uint16_t port = 0;
  friend bool operator==(const PeerAddress&, const PeerAddress&) = default;
};

// One slot of a batch receive: the caller's buffer, and what arrived in it.
struct Datagram {
  uint8_t* buffer = nullptr;
  int capacity = 0;
  int length = 0;
  PeerAddress from;
};

class UdpSocket {
 public:
  virtual ~UdpSocket() = default;

  // Waits for one datagram. Returns its length (0 for an empty one), or -1
  // when the receive timed out, failed, the socket was shut down, or the
  // datagram did not fit into `capacity` bytes (it is then dropped whole).
  virtual int ReceiveFrom(uint8_t* buffer, int capacity, PeerAddress* from) = 0;
  // Results are not reported: a lost reply is made good by the peer repeating.
  virtual void SendTo(const uint8_t* data, int length, const PeerAddress& to) = 0;
  // How long the next receives wait, at least 1 ms. The worker calls it
  // before a wait whenever the time to its earliest timer changes a lot;
  // the real sockets skip the system call when the value is the same.
  virtual bool SetReceiveTimeout(int milliseconds) = 0;

  // Batches, so that a busy server makes fewer system calls. The defaults
  // move one datagram at a time.
  // Waits like ReceiveFrom for the first datagram, then takes those already
  // waiting, up to `count`. Returns how many slots were filled (at least 1),
  // or -1 as ReceiveFrom; datagrams that do not fit are dropped.
  virtual int ReceiveBatch(Datagram* slots, int count);
  // Like SendTo, but the socket may hold the datagram (copied) until
  // FlushQueued; the caller flushes before it waits again.
  virtual void QueueTo(const uint8_t* data, int length, const PeerAddress& to) { SendTo(data, length, to); }
  virtual void FlushQueued() {}
  // Safe to call from another thread while ReceiveFrom blocks: that call
  // returns at once, and every later one fails without waiting.
  virtual void Shutdown() = 0;
  // The bound port in host byte order.
  virtual uint16_t LocalPort() const = 0;
};

enum class SocketStage { kNone, kCreate, kBind, kReceiveTimeout };

struct SocketOpenResult {
  std::unique_ptr<UdpSocket> socket;
  SocketStage failed_stage = SocketStage::kNone;
  int error = 0;  // the platform's last error code at the failed stage
};

// ip in network byte order, port in host byte order (0 picks a free port).
SocketOpenResult OpenUdpSocket(uint32_t ip, uint16_t port, int receive_timeout_ms);

// A short human-readable text for an error code of OpenUdpSocket.
std::string SocketErrorText(int error);

// "a.b.c.d" to network byte order; false for anything else.
bool ParseIpv4(const char* text, uint32_t* ip);
// Port numbers between host and network byte order, without platform headers.
uint16_t HostToNetworkPort(uint16_t port);
uint16_t NetworkToHostPort(uint16_t port);
// The loopback address 127.0.0.1 in network byte order.
uint32_t LoopbackIp();

}  // namespace ztftp
