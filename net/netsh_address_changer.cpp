#include "net/netsh_address_changer.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace znet {
namespace {

constexpr size_t kCommandBufferBytes = 256;

// A command that would be cut short could name another address or gateway
// than the recorded one, so it is refused instead of truncated.
std::string Format(const char* format, ...) {
  char buffer[kCommandBufferBytes] = {};
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, sizeof(buffer), format, args);
  va_end(args);
  if (n < 0 || static_cast<size_t>(n) >= sizeof(buffer)) return {};
  return buffer;
}

bool RestoresByDhcp(const NetCardInfo& card) {
  return card.ipAddress.empty() || card.dhcpEnabled || card.ipAddress == "0.0.0.0";
}

}  // namespace

NetshAddressChanger::NetshAddressChanger(CommandRunner run, TraceSink trace) : run_(std::move(run)), trace_(trace) {}

std::string NetshAddressChanger::SetStaticCommand(uint32_t index) {
  return Format("netsh interface ip set address %u static %s 255.255.255.0", index, kRepairAddress);
}

std::string NetshAddressChanger::RestoreCommand(uint32_t index, const NetCardInfo& card) {
  if (RestoresByDhcp(card)) return Format("netsh interface ip set address %u source=dhcp", index);
  return Format("netsh interface ip set address %u  source=static address=%s mask=%s gateway=%s", index,
                card.ipAddress.c_str(), card.ipMask.c_str(), card.gateway.c_str());
}

bool NetshAddressChanger::GiveRepairAddress(uint32_t index) {
  return Run("SetIP 111 strcmd ", SetStaticCommand(index));
}

bool NetshAddressChanger::RestoreCard(uint32_t index, const NetCardInfo& recorded) {
  return Run("SetIP 222 strcmd ", RestoreCommand(index, recorded));
}

bool NetshAddressChanger::Run(const char* tracePrefix, const std::string& command) {
  if (command.empty()) return false;
  trace_((tracePrefix + command).c_str());
  if (run_) run_(command);
  return true;
}

}  // namespace znet
