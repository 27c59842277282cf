#pragma once
// A minimal rtnetlink client: one request with acknowledgement, or one dump.
// The socket belongs to the network namespace of the thread that opens it.

#include <linux/netlink.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace znet {

// A request message under construction: header, family header, attributes.
class NetlinkRequest {
 public:
  NetlinkRequest(uint16_t type, uint16_t flags, const void* familyHeader, size_t familyHeaderSize);
  void AddAttribute(uint16_t type, const void* data, size_t size);
  nlmsghdr* Header() { return reinterpret_cast<nlmsghdr*>(buffer_.data()); }

 private:
  std::vector<uint32_t> buffer_;  // uint32_t keeps the netlink alignment
};

class NetlinkSocket {
 public:
  NetlinkSocket();
  ~NetlinkSocket();
  NetlinkSocket(const NetlinkSocket&) = delete;
  NetlinkSocket& operator=(const NetlinkSocket&) = delete;

  // 0 when open, otherwise the errno of socket()/bind().
  int OpenError() const { return openError_; }

  // Sends a request that asks for an acknowledgement; returns 0 or an errno.
  int Transact(NetlinkRequest& request);
  // Sends a dump request and hands every answer message to `onMessage`;
  // returns 0 or an errno.
  int Dump(NetlinkRequest& request, const std::function<void(const nlmsghdr&)>& onMessage);

 private:
  int Send(NetlinkRequest& request);
  // Reads answers to `seq` until the acknowledgement or the end of the dump.
  int Receive(uint32_t seq, const std::function<void(const nlmsghdr&)>* onMessage);

  int fd_ = -1;
  int openError_ = 0;
  uint32_t nextSeq_ = 1;
};

// A non-blocking socket that receives the rtnetlink notifications of the
// multicast `groups` (a mask of 1 << (RTNLGRP_x - 1)); -1 when it cannot be
// opened.
int OpenNetlinkNotifications(uint32_t groups);

// Walks the attributes that follow a family header of `familyHeaderSize`.
void ForEachAttribute(const nlmsghdr& message, size_t familyHeaderSize,
                      const std::function<void(uint16_t type, const void* data, size_t size)>& visit);

}  // namespace znet
