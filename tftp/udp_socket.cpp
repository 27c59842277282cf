#include "tftp/udp_socket.h"

namespace ztftp {

int UdpSocket::ReceiveBatch(Datagram* slots, int count) {
  if (count < 1) return -1;
  const int length = ReceiveFrom(slots[0].buffer, slots[0].capacity, &slots[0].from);
  if (length < 0) return -1;
  slots[0].length = length;
  return 1;
}

}  // namespace ztftp
