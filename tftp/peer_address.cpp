#include <cstring>

#include "tftp/udp_socket.h"

namespace ztftp {

uint16_t HostToNetworkPort(uint16_t port) {
  const uint8_t bytes[2] = {uint8_t(port >> 8), uint8_t(port)};
  uint16_t network;
  std::memcpy(&network, bytes, 2);
  return network;
}

uint16_t NetworkToHostPort(uint16_t port) {
  uint8_t bytes[2];
  std::memcpy(bytes, &port, 2);
  return uint16_t(bytes[0] << 8 | bytes[1]);
}

bool ParseIpv4(const char* text, uint32_t* ip) {
  if (text == nullptr) return false;
  uint8_t bytes[4];
  const char* p = text;
  for (int i = 0; i < 4; ++i) {
    if (*p < '0' || *p > '9') return false;
    int value = 0, digits = 0;
    while (*p >= '0' && *p <= '9') {
      value = value * 10 + (*p++ - '0');
      if (++digits > 3 || value > 255) return false;
    }
    bytes[i] = uint8_t(value);
    if (i < 3 && *p++ != '.') return false;
  }
  if (*p != '\0') return false;
  std::memcpy(ip, bytes, 4);
  return true;
}

uint32_t LoopbackIp() {
  uint32_t ip = 0;
  ParseIpv4("127.0.0.1", &ip);
  return ip;
}

}  // namespace ztftp
