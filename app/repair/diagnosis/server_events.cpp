#include "app/repair/diagnosis/server_events.h"

#include <cstring>

namespace zapp {

std::string DottedQuad(uint32_t networkOrderIp) {
  uint8_t bytes[4];
  std::memcpy(bytes, &networkOrderIp, 4);
  return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." + std::to_string(bytes[2]) + "." +
         std::to_string(bytes[3]);
}

std::optional<DiagnosisEvent> FromServerEvent(const ztftp::tftpd::PeerEvent& event) {
  using Kind = ztftp::tftpd::PeerEvent::Kind;
  DiagnosisEvent result;
  switch (event.kind) {
    case Kind::kReadRequest: result.kind = DiagnosisEvent::Kind::kReadRequest; break;
    case Kind::kNameRefused: result.kind = DiagnosisEvent::Kind::kUnknownName; break;
    case Kind::kGivenUp: result.kind = DiagnosisEvent::Kind::kTransferGivenUp; break;
    case Kind::kOptionAck:
    case Kind::kReadDone:
    case Kind::kReadLeft: return std::nullopt;
  }
  result.address = DottedQuad(event.peer.ip);
  result.detail = event.name;
  result.afterWholeImage = event.after_whole_file;
  return result;
}

void ReportServerEvents(ztftp::tftpd& server, DiagnosisInbox& inbox,
                        std::function<void(const ztftp::tftpd::PeerEvent&)> record) {
  server.peer_event_callback = [&inbox, record = std::move(record)](const ztftp::tftpd::PeerEvent& event) {
    if (record) record(event);
    if (auto diagnosed = FromServerEvent(event)) inbox.Push(*diagnosed);
  };
}

}  // namespace zapp
