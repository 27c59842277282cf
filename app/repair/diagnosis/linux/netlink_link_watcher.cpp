#include "app/repair/diagnosis/linux/netlink_link_watcher.h"

#include <linux/if.h>
#include <linux/rtnetlink.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "app/repair/diagnosis_texts.h"
#include "net/linux/netlink_socket.h"
#include "net/linux/repair_address_netlink.h"
#include "sys/text_encoding.h"

namespace zapp {
namespace {

// The link's carrier as a link message of card `index` says it; -1 for another card.
int LinkStateOf(const nlmsghdr& message, uint32_t index) {
  if (message.nlmsg_type != RTM_NEWLINK || message.nlmsg_len < NLMSG_LENGTH(sizeof(ifinfomsg))) return -1;
  const auto* info = static_cast<const ifinfomsg*>(NLMSG_DATA(&message));
  if (static_cast<uint32_t>(info->ifi_index) != index) return -1;
  return (info->ifi_flags & IFF_LOWER_UP) != 0 && (info->ifi_flags & IFF_UP) != 0 ? 1 : 0;
}

// The link's state now, by a dump of the links; -1 when it cannot be read.
int QueryLinkState(uint32_t index) {
  znet::NetlinkSocket socket;
  if (socket.OpenError() != 0) return -1;
  ifinfomsg header{};
  header.ifi_family = AF_UNSPEC;
  znet::NetlinkRequest request(RTM_GETLINK, NLM_F_REQUEST | NLM_F_DUMP, &header, sizeof(header));
  int state = -1;
  if (socket.Dump(request, [&state, index](const nlmsghdr& message) {
        const int found = LinkStateOf(message, index);
        if (found >= 0) state = found;
      }) != 0) {
    return -1;
  }
  return state;
}

}  // namespace

NetlinkLinkWatcher::~NetlinkLinkWatcher() { Stop(); }

void NetlinkLinkWatcher::Start(uint32_t index, DiagnosisInbox& inbox) {
  Stop();
  index_ = index;
  inbox_ = &inbox;
  linkUp_ = -1;
  addressRemoved_ = false;
  // Subscribed before the state is read, so no change falls between the two.
  notifications_ = znet::OpenNetlinkNotifications((1u << (RTNLGRP_LINK - 1)) | (1u << (RTNLGRP_IPV4_IFADDR - 1)));
  wakeUp_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  const int state = QueryLinkState(index);
  if (notifications_ < 0 || wakeUp_ < 0 || state < 0) {
    inbox.Push(DiagnosisEvent::SourceMissing(kDiagCannotSeeLink));
    Stop();
    return;
  }
  NoteLink(state == 1);
  thread_ = std::thread(&NetlinkLinkWatcher::Run, this);
}

void NetlinkLinkWatcher::Stop() {
  if (thread_.joinable()) {
    const uint64_t one = 1;
    (void)!write(wakeUp_, &one, sizeof(one));
    thread_.join();
  }
  if (notifications_ >= 0) close(notifications_);
  if (wakeUp_ >= 0) close(wakeUp_);
  notifications_ = wakeUp_ = -1;
}

void NetlinkLinkWatcher::Run() {
  for (;;) {
    pollfd waits[2] = {{wakeUp_, POLLIN, 0}, {notifications_, POLLIN, 0}};
    if (poll(waits, 2, -1) < 0 && errno != EINTR) return;
    if (waits[0].revents) return;
    if (waits[1].revents && !Drain()) return;
  }
}

bool NetlinkLinkWatcher::Drain() {
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t received = recv(notifications_, buffer.data(), buffer.size(), 0);
    if (received < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) return true;
      if (errno != ENOBUFS) return false;
      // Notifications were lost: the state now stands for them.
      const int state = QueryLinkState(index_);
      if (state >= 0) NoteLink(state == 1);
      continue;
    }
    if (received == 0) return true;
    size_t remaining = static_cast<size_t>(received);
    for (auto* message = reinterpret_cast<nlmsghdr*>(buffer.data()); NLMSG_OK(message, remaining);
         message = NLMSG_NEXT(message, remaining)) {
      const int state = LinkStateOf(*message, index_);
      if (state >= 0) NoteLink(state == 1);
      if (!znet::IsRepairAddressMessage(*message, index_)) continue;
      if (message->nlmsg_type == RTM_DELADDR) {
        addressRemoved_ = true;
      } else if (message->nlmsg_type == RTM_NEWADDR && addressRemoved_) {
        addressRemoved_ = false;
        inbox_->Push({DiagnosisEvent::Kind::kAddressPutBack, {}, {}});
      }
    }
  }
}

void NetlinkLinkWatcher::NoteLink(bool up) {
  if (linkUp_ == (up ? 1 : 0)) return;
  linkUp_ = up ? 1 : 0;
  inbox_->Push({up ? DiagnosisEvent::Kind::kLinkUp : DiagnosisEvent::Kind::kLinkDown, {}, {}});
}

std::unique_ptr<IDiagnosisSource> CreateLinkWatcher() { return std::make_unique<NetlinkLinkWatcher>(); }

}  // namespace zapp
