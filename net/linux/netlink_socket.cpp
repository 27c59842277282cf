#include "net/linux/netlink_socket.h"

#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace znet {
namespace {

constexpr size_t kReceiveBufferBytes = 64 * 1024;
constexpr int kReceiveTimeoutSeconds = 5;

}  // namespace

NetlinkRequest::NetlinkRequest(uint16_t type, uint16_t flags, const void* familyHeader, size_t familyHeaderSize) {
  const size_t length = NLMSG_LENGTH(familyHeaderSize);
  buffer_.assign((NLMSG_ALIGN(length) + 3) / 4, 0);
  nlmsghdr* header = Header();
  header->nlmsg_len = static_cast<uint32_t>(length);
  header->nlmsg_type = type;
  header->nlmsg_flags = static_cast<uint16_t>(NLM_F_REQUEST | flags);
  std::memcpy(NLMSG_DATA(header), familyHeader, familyHeaderSize);
}

void NetlinkRequest::AddAttribute(uint16_t type, const void* data, size_t size) {
  const size_t offset = NLMSG_ALIGN(Header()->nlmsg_len);
  const size_t attributeLength = RTA_LENGTH(size);
  buffer_.resize((offset + RTA_ALIGN(attributeLength) + 3) / 4, 0);
  auto* attribute = reinterpret_cast<rtattr*>(reinterpret_cast<char*>(buffer_.data()) + offset);
  attribute->rta_type = type;
  attribute->rta_len = static_cast<unsigned short>(attributeLength);
  std::memcpy(RTA_DATA(attribute), data, size);
  Header()->nlmsg_len = static_cast<uint32_t>(offset + RTA_ALIGN(attributeLength));
}

NetlinkSocket::NetlinkSocket() {
  fd_ = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
  if (fd_ < 0) {
    openError_ = errno;
    return;
  }
  // A kernel that never answers must not hang the caller's UI thread.
  timeval timeout{kReceiveTimeoutSeconds, 0};
  setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
  sockaddr_nl local{};
  local.nl_family = AF_NETLINK;
  if (bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof(local)) != 0) {
    openError_ = errno;
    close(fd_);
    fd_ = -1;
  }
}

NetlinkSocket::~NetlinkSocket() {
  if (fd_ >= 0) close(fd_);
}

int NetlinkSocket::Send(NetlinkRequest& request) {
  if (fd_ < 0) return openError_ ? openError_ : EBADF;
  nlmsghdr* header = request.Header();
  header->nlmsg_seq = nextSeq_++;
  sockaddr_nl kernel{};
  kernel.nl_family = AF_NETLINK;
  const ssize_t sent = sendto(fd_, header, header->nlmsg_len, 0, reinterpret_cast<sockaddr*>(&kernel), sizeof(kernel));
  if (sent < 0) return errno;
  return sent == static_cast<ssize_t>(header->nlmsg_len) ? 0 : EIO;
}

int NetlinkSocket::Transact(NetlinkRequest& request) {
  request.Header()->nlmsg_flags |= NLM_F_ACK;
  if (int error = Send(request)) return error;
  return Receive(request.Header()->nlmsg_seq, nullptr);
}

int NetlinkSocket::Dump(NetlinkRequest& request, const std::function<void(const nlmsghdr&)>& onMessage) {
  request.Header()->nlmsg_flags |= NLM_F_DUMP;
  if (int error = Send(request)) return error;
  return Receive(request.Header()->nlmsg_seq, &onMessage);
}

int NetlinkSocket::Receive(uint32_t seq, const std::function<void(const nlmsghdr&)>* onMessage) {
  std::vector<char> buffer(kReceiveBufferBytes);
  for (;;) {
    const ssize_t received = recv(fd_, buffer.data(), buffer.size(), 0);
    if (received < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (received == 0) return EIO;
    size_t remaining = static_cast<size_t>(received);
    for (auto* message = reinterpret_cast<nlmsghdr*>(buffer.data()); NLMSG_OK(message, remaining);
         message = NLMSG_NEXT(message, remaining)) {
      if (message->nlmsg_seq != seq) continue;  // a late answer to an earlier request
      if (message->nlmsg_type == NLMSG_DONE) return 0;
      if (message->nlmsg_type == NLMSG_ERROR) {
        const auto* error = static_cast<const nlmsgerr*>(NLMSG_DATA(message));
        return -error->error;  // 0 is the acknowledgement
      }
      if (onMessage) (*onMessage)(*message);
    }
  }
}

void ForEachAttribute(const nlmsghdr& message, size_t familyHeaderSize,
                      const std::function<void(uint16_t, const void*, size_t)>& visit) {
  const size_t headerLength = NLMSG_LENGTH(familyHeaderSize);
  if (message.nlmsg_len < NLMSG_ALIGN(headerLength)) return;
  auto* attribute =
      reinterpret_cast<const rtattr*>(reinterpret_cast<const char*>(&message) + NLMSG_ALIGN(headerLength));
  unsigned int remaining = message.nlmsg_len - NLMSG_ALIGN(headerLength);
  for (; RTA_OK(attribute, remaining); attribute = RTA_NEXT(attribute, remaining)) {
    visit(attribute->rta_type, RTA_DATA(attribute), RTA_PAYLOAD(attribute));
  }
}

int OpenNetlinkNotifications(uint32_t groups) {
  const int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_ROUTE);
  if (fd < 0) return -1;
  sockaddr_nl local{};
  local.nl_family = AF_NETLINK;
  local.nl_groups = groups;
  if (bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof(local)) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace znet
