#pragma once
// The rtnetlink requests about 192.168.1.2/24 on one card, shared by the
// address changer and the keeper.

#include <linux/netlink.h>

#include <cstdint>

#include "net/linux/netlink_socket.h"

namespace znet {

// Adds the address (the card keeps its own); 0, EEXIST when the card already
// carries it, or another errno.
int AddRepairAddress(NetlinkSocket& socket, uint32_t index);
// Removes exactly that address; 0, EADDRNOTAVAIL when it is not there, or
// another errno.
int RemoveRepairAddress(NetlinkSocket& socket, uint32_t index);
// Whether the card carries 192.168.1.2/24 now; 0 or an errno.
int QueryRepairAddress(NetlinkSocket& socket, uint32_t index, bool& carries);
// Whether an RTM_NEWADDR/RTM_DELADDR message is about that address on that card.
bool IsRepairAddressMessage(const nlmsghdr& message, uint32_t index);

}  // namespace znet
