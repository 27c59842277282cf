#include "tftp/udp_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "tftp/packets.h"

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
    const sockaddr_in address = ToSockaddr(to);
    ::sendto(fd_, data, size_t(length), 0, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  }

  int ReceiveBatch(Datagram* slots, int count) override {
    if (count < 1) return -1;
    if (count > kBatch) count = kBatch;
    for (int i = 0; i < count; ++i) {
      receive_iov_[i] = {slots[i].buffer, size_t(slots[i].capacity)};
      receive_[i] = {};
      receive_[i].msg_hdr.msg_name = &receive_from_[i];
      receive_[i].msg_hdr.msg_namelen = sizeof receive_from_[i];
      receive_[i].msg_hdr.msg_iov = &receive_iov_[i];
      receive_[i].msg_hdr.msg_iovlen = 1;
    }
    // Blocks (up to the receive timeout) for the first datagram only.
    const int received = ::recvmmsg(fd_, receive_, unsigned(count), MSG_WAITFORONE, nullptr);
    if (received <= 0) return -1;
    int filled = 0;
    for (int i = 0; i < received; ++i) {
      const msghdr& message = receive_[i].msg_hdr;
      // A shut-down socket reports end of stream as an empty read with no sender.
      if (receive_[i].msg_len == 0 && message.msg_namelen == 0) break;
      if ((message.msg_flags & MSG_TRUNC) != 0) continue;  // too long: dropped whole
      Datagram& slot = slots[filled++];
      if (&slot != &slots[i]) std::memcpy(slot.buffer, slots[i].buffer, receive_[i].msg_len);
      slot.length = int(receive_[i].msg_len);
      slot.from = {receive_from_[i].sin_addr.s_addr, receive_from_[i].sin_port};
    }
    return filled > 0 ? filled : -1;
  }

  void QueueTo(const uint8_t* data, int length, const PeerAddress& to) override {
    if (length < 0 || length > kQueuedCapacity) {
      SendTo(data, length, to);
      return;
    }
    if (queued_ == kBatch) FlushQueued();
    std::memcpy(queue_buffers_.data() + size_t(queued_) * kQueuedCapacity, data, size_t(length));
    queue_lengths_[queued_] = length;
    queue_to_[queued_] = ToSockaddr(to);
    ++queued_;
  }

  void FlushQueued() override {
    mmsghdr messages[kBatch];
    iovec io[kBatch];
    for (int i = 0; i < queued_; ++i) {
      io[i] = {queue_buffers_.data() + size_t(i) * kQueuedCapacity, size_t(queue_lengths_[i])};
      messages[i] = {};
      messages[i].msg_hdr.msg_name = &queue_to_[i];
      messages[i].msg_hdr.msg_namelen = sizeof queue_to_[i];
      messages[i].msg_hdr.msg_iov = &io[i];
      messages[i].msg_hdr.msg_iovlen = 1;
    }
    // A datagram the kernel refuses is skipped, as a failed sendto would be.
    int done = 0;
    while (done < queued_) {
      const int sent = ::sendmmsg(fd_, messages + done, unsigned(queued_ - done), 0);
      done += sent > 0 ? sent : 1;
    }
    queued_ = 0;
  }

  // Zero would mean "wait forever": the shortest wait is one millisecond.
  // Setting the value the socket already has costs no system call.
  bool SetReceiveTimeout(int milliseconds) override {
    if (milliseconds < 1) milliseconds = 1;
    if (milliseconds == receive_timeout_ms_) return true;
    timeval value{};
    value.tv_sec = milliseconds / 1000;
    value.tv_usec = (milliseconds % 1000) * 1000;
    if (::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &value, sizeof value) != 0) return false;
    receive_timeout_ms_ = milliseconds;
    return true;
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
  static constexpr int kBatch = 64;
  static constexpr int kQueuedCapacity = kMaxPacketSize;

  static sockaddr_in ToSockaddr(const PeerAddress& to) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = to.ip;
    address.sin_port = to.port;
    return address;
  }

  const int fd_;
  int receive_timeout_ms_ = -1;  // as last set; -1 before the first
  mmsghdr receive_[kBatch];
  iovec receive_iov_[kBatch];
  sockaddr_in receive_from_[kBatch];
  // Replies waiting for FlushQueued; allocated once with the socket.
  std::vector<uint8_t> queue_buffers_ = std::vector<uint8_t>(size_t(kBatch) * kQueuedCapacity);
  int queue_lengths_[kBatch];
  sockaddr_in queue_to_[kBatch];
  int queued_ = 0;
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
