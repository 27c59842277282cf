#pragma once
// Who holds a UDP port of this machine: the process whose socket is bound
// to it, when the system lets us see it. Asked when the server's bind was
// refused, so that the failure can name the program to stop.

#include <cstdint>
#include <string>

namespace zapp {

struct PortHolder {
  bool found = false;   // a socket bound to the port was seen in the system's tables
  uint32_t pid = 0;     // its process, 0 when it could not be seen
  std::string program;  // UTF-8; Linux: the process's comm, Windows: the image's file name; empty when unseen
};

// IPv4 and IPv6 sockets bound to `port` on any local address.
PortHolder FindUdpPortHolder(uint16_t port);

// The name the system gives process `pid` (as PortHolder::program); empty
// when it cannot be seen.
std::string ProgramNameOf(uint32_t pid);

}  // namespace zapp
