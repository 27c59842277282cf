#include "app/repair/support/repair_log_lines.h"

#include <cstdio>
#include <cstring>

#include "sys/text_encoding.h"

namespace zapp {
namespace {

#ifdef _WIN32
constexpr char kPlatform[] = "Windows";
#else
constexpr char kPlatform[] = "Linux";
#endif

#ifndef ZAVIZ_VERSION
#define ZAVIZ_VERSION "unknown"
#endif

// What a peer sent, as one line of bounded length: a name with a line end in
// it must not forge lines of its own in the log.
std::string Printable(const std::string& text) {
  constexpr size_t kLongest = 200;
  std::string out;
  for (const char c : text.substr(0, kLongest)) out += (c >= 0x20 && c < 0x7f) ? c : '?';
  return text.size() > kLongest ? out + "..." : out;
}

std::string PeerText(const ztftp::PeerAddress& peer) {
  uint8_t ip[4], port[2];
  std::memcpy(ip, &peer.ip, 4);
  std::memcpy(port, &peer.port, 2);
  char text[32];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u:%u", ip[0], ip[1], ip[2], ip[3], unsigned(port[0] << 8 | port[1]));
  return text;
}

std::string SetupText(const std::string& address, const std::string& mask, const std::string& gateway, bool dhcp) {
  return "address " + address + " mask " + mask + " gateway " + (gateway.empty() ? "none" : gateway) + " dhcp " +
         (dhcp ? "yes" : "no");
}

std::string TransferText(const ztftp::tftpd::PeerEvent& event) {
  char text[160];
  const double seconds = double(event.duration_ms) / 1000.0;
  const double rate = event.duration_ms > 0 ? double(event.bytes) / 1024.0 / seconds : 0.0;
  std::snprintf(text, sizeof text, "%llu blocks, %lld bytes, %llu resends, %.3f s, %.1f KiB/s",
                static_cast<unsigned long long>(event.blocks), static_cast<long long>(event.bytes),
                static_cast<unsigned long long>(event.resends), seconds, rate);
  return text;
}

}  // namespace

std::string ProgramLine() { return std::string("program: ZavizEraVaredu ") + ZAVIZ_VERSION + ", " + kPlatform; }

std::string CardLine(const std::string& label, const znet::NetCardInfo& card, const std::string& adapterName) {
  const std::string description =
      card.wideDescription.empty() ? card.description : zsys::WideToUtf8(card.wideDescription);
  return "card " + label + ": index " + std::to_string(card.index) + " " + adapterName + " \"" + description + "\" " +
         SetupText(card.ipAddress, card.ipMask, card.gateway, card.dhcpEnabled);
}

std::string AdapterLine(const std::string& label, const znet::AdapterEntry& adapter) {
  return "card " + label + ": index " + std::to_string(adapter.index) + " " + adapter.name + " \"" +
         adapter.description + "\" " +
         SetupText(adapter.ipAddress, adapter.ipMask, adapter.gateway, adapter.dhcpEnabled);
}

std::string FirmwareLine(const std::string& fileName, int64_t size, const std::string& sha256) {
  return "firmware: " + fileName + " " + std::to_string(size) + " bytes sha256 " +
         (sha256.empty() ? "unreadable" : sha256);
}

std::string ServerEventLine(const ztftp::tftpd::PeerEvent& event) {
  using Kind = ztftp::tftpd::PeerEvent::Kind;
  const std::string peer = PeerText(event.peer);
  switch (event.kind) {
    case Kind::kReadRequest:
      return "read request from " + peer + " for \"" + Printable(event.name) +
             "\" options: " + (event.options.empty() ? "none" : Printable(event.options)) +
             (event.after_whole_file ? " (the whole file had gone out before)" : "");
    case Kind::kNameRefused:
      return "read request from " + peer + " for \"" + Printable(event.name) + "\" refused: not served";
    case Kind::kOptionAck: return "OACK to " + peer + ": " + Printable(event.options);
    case Kind::kReadDone: return "transfer to " + peer + " done: " + TransferText(event);
    case Kind::kGivenUp: return "transfer to " + peer + " given up, the peer fell silent: " + TransferText(event);
    case Kind::kReadLeft: return "transfer to " + peer + " not finished, the server stopped: " + TransferText(event);
  }
  return "server event";
}

}  // namespace zapp
