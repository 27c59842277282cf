#pragma once
// The server's peer events as the diagnosis reads them.

#include <functional>
#include <optional>

#include "app/repair/diagnosis/diagnosis_event.h"
#include "app/repair/diagnosis/diagnosis_inbox.h"
#include "tftp/tftpd.h"

namespace zapp {

// None for what only the support log records (the OACK, a finished read).
std::optional<DiagnosisEvent> FromServerEvent(const ztftp::tftpd::PeerEvent& event);
// Dotted quad of an address in the order the wire has it.
std::string DottedQuad(uint32_t networkOrderIp);
// From now on the server's peer events land in `inbox` and, all of them, in
// `record` (on the server's worker; set before the server starts).
void ReportServerEvents(ztftp::tftpd& server, DiagnosisInbox& inbox,
                        std::function<void(const ztftp::tftpd::PeerEvent&)> record = {});

}  // namespace zapp
