#include "tftp/udp_socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>

#ifndef SIO_UDP_CONNRESET  // in mstcpip.h of newer SDKs only
#define SIO_UDP_CONNRESET _WSAIOW(IOC_VENDOR, 12)
#endif

namespace ztftp {
namespace {

class WinsockUdpSocket final : public UdpSocket {
 public:
  explicit WinsockUdpSocket(SOCKET s) : socket_(s) {}
  ~WinsockUdpSocket() override {
    Shutdown();
    WSACleanup();
  }

  int ReceiveFrom(uint8_t* buffer, int capacity, PeerAddress* from) override {
    sockaddr_in address{};
    int length = sizeof address;
    // WSAEMSGSIZE (too long) and every other failure count alike: the datagram is gone.
    const int received = ::recvfrom(socket_.load(), reinterpret_cast<char*>(buffer), capacity, 0,
                                    reinterpret_cast<sockaddr*>(&address), &length);
    if (received == SOCKET_ERROR) return -1;
    from->ip = address.sin_addr.s_addr;
    from->port = address.sin_port;
    return received;
  }

  void SendTo(const uint8_t* data, int length, const PeerAddress& to) override {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = to.ip;
    address.sin_port = to.port;
    ::sendto(socket_.load(), reinterpret_cast<const char*>(data), length, 0,
             reinterpret_cast<const sockaddr*>(&address), sizeof address);
  }

  // Winsock takes the timeout as milliseconds; the 8-byte form is what the
  // product has always passed (a DWORD followed by zero).
  // Zero would mean "wait forever": the shortest wait is one millisecond.
  // Setting the value the socket already has costs no system call.
  bool SetReceiveTimeout(int milliseconds) override {
    if (milliseconds < 1) milliseconds = 1;
    if (milliseconds == receive_timeout_ms_) return true;
    const DWORD value[2] = {DWORD(milliseconds), 0};
    if (::setsockopt(socket_.load(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(value), sizeof value) !=
        0) {
      return false;
    }
    receive_timeout_ms_ = milliseconds;
    return true;
  }

  // closesocket makes a recvfrom blocked on another thread return at once.
  void Shutdown() override {
    const SOCKET s = socket_.exchange(INVALID_SOCKET);
    if (s != INVALID_SOCKET) {
      ::shutdown(s, SD_BOTH);
      ::closesocket(s);
    }
  }

  uint16_t LocalPort() const override {
    sockaddr_in address{};
    int length = sizeof address;
    if (::getsockname(socket_.load(), reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
    return ntohs(address.sin_port);
  }

 private:
  std::atomic<SOCKET> socket_;
  int receive_timeout_ms_ = -1;  // as last set (worker thread only); -1 before the first
};

}  // namespace

SocketOpenResult OpenUdpSocket(uint32_t ip, uint16_t port, int receive_timeout_ms) {
  SocketOpenResult result;
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  const SOCKET s = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (s == INVALID_SOCKET) {
    result.failed_stage = SocketStage::kCreate;
    result.error = WSAGetLastError();
    WSACleanup();
    return result;
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = ip;
  address.sin_port = htons(port);
  if (::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    result.failed_stage = SocketStage::kBind;
    result.error = WSAGetLastError();
    ::closesocket(s);
    WSACleanup();
    return result;
  }
  // Without this, an ICMP "port unreachable" for an earlier reply makes the
  // next recvfrom fail with WSAECONNRESET instead of waiting for a datagram.
  BOOL report_reset = FALSE;
  DWORD returned = 0;
  WSAIoctl(s, SIO_UDP_CONNRESET, &report_reset, sizeof report_reset, nullptr, 0, &returned, nullptr, nullptr);
  auto socket = std::make_unique<WinsockUdpSocket>(s);
  if (!socket->SetReceiveTimeout(receive_timeout_ms)) {
    result.failed_stage = SocketStage::kReceiveTimeout;
    result.error = WSAGetLastError();
    return result;
  }
  result.socket = std::move(socket);
  return result;
}

std::string SocketErrorText(int error) {
  switch (error) {
    case WSAEADDRINUSE: return "the port is already in use by another program";
    case WSAEACCES: return "permission denied (the port is reserved or held exclusively)";
    case WSAEADDRNOTAVAIL: return "the address is not one of this machine's addresses";
    default: return "Winsock error " + std::to_string(error);
  }
}

}  // namespace ztftp
