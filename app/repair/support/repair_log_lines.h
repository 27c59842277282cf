#pragma once
// The support log's lines of a repair: plain ASCII facts in a fixed shape, so
// that a supporter reads every user's log the same way. The card appears by
// its index, interface name, description and addresses only: nothing of the
// user (no paths, no host name) goes into a log meant to be sent away.

#include <cstdint>
#include <string>

#include "net/adapter_source.h"
#include "net/net_card_info.h"
#include "tftp/tftpd.h"

namespace zapp {

// Program, version and the platform it was built for.
std::string ProgramLine();
// "card <label>: ..." of a card as the start saw it.
std::string CardLine(const std::string& label, const znet::NetCardInfo& card, const std::string& adapterName);
// The same of an adapter as the system lists it now.
std::string AdapterLine(const std::string& label, const znet::AdapterEntry& adapter);
std::string FirmwareLine(const std::string& fileName, int64_t size, const std::string& sha256);
// One line for each server event: the request and its options, the OACK,
// a refused name, and a transfer's blocks, resends, duration and rate.
std::string ServerEventLine(const ztftp::tftpd::PeerEvent& event);

}  // namespace zapp
