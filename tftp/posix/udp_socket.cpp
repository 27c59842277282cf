#include "tftp/udp_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ztftp {
namespace {

class PosixUdpSocket final : public UdpSocket {
 public:
  explicit PosixUdpSocket(int fd) : fd_(fd) {}
  ~PosixUdpSocket() override {
    ::shutdown(fd_, SHUT_RDWR);
    ::close(fd_);
  }

  int ReceiveFrom(uint8_t* buffer, int capacity, PeerAddress* from) override {
    sockaddr_in address{};
    iovec io{buffer, size_t(capacity)};
    msghdr message{};
    message.msg_name = &address;
    message.msg_namelen = sizeof address;
    message.msg_iov = &io;
    message.msg_iovlen = 1;
    const ssize_t received = ::recvmsg(fd_, &message, 0);
    if (received < 0 || (message.msg_flags & MSG_TRUNC) != 0) return -1;
    // A shut-down socket reports end of stream as an empty read with no sender.
    if (received == 0 && message.msg_namelen == 0) return -1;
    from->ip = address.sin_addr.s_addr;
    from->port = address.sin_port;
    return int(received);
  }

  void SendTo(const uint8_t* data, int length, const PeerAddress& to) override {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = to.ip;
    address.sin_port = to.port;
    ::sendto(fd_, data, size_t(length), 0, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  }

  bool SetReceiveTimeout(int milliseconds) override {
    timeval value{};
    value.tv_sec = milliseconds / 1000;
    value.tv_usec = (milliseconds % 1000) * 1000;
    return ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &value, sizeof value) == 0;
  }

  // close() alone leaves a recvmsg on another thread asleep; shutdown wakes it.
  void Shutdown() override { ::shutdown(fd_, SHUT_RDWR); }

  uint16_t LocalPort() const override {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
    return ntohs(address.sin_port);
  }

 private:
  const int fd_;
};

}  // namespace

SocketOpenResult OpenUdpSocket(uint32_t ip, uint16_t port, int receive_timeout_ms) {
  SocketOpenResult result;
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) {
    result.failed_stage = SocketStage::kCreate;
    result.error = errno;
    return result;
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = ip;
  address.sin_port = htons(port);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    result.failed_stage = SocketStage::kBind;
    result.error = errno;
    ::close(fd);
    return result;
  }
  auto socket = std::make_unique<PosixUdpSocket>(fd);
  if (!socket->SetReceiveTimeout(receive_timeout_ms)) {
    result.failed_stage = SocketStage::kReceiveTimeout;
    result.error = errno;
    return result;
  }
  result.socket = std::move(socket);
  return result;
}

std::string SocketErrorText(int error) {
  switch (error) {
    case EADDRINUSE: return "the port is already in use by another program";
    case EACCES: return "permission denied (ports below 1024 need root or CAP_NET_BIND_SERVICE)";
    case EADDRNOTAVAIL: return "the address is not one of this machine's addresses";
    default: return std::strerror(error);
  }
}

}  // namespace ztftp
