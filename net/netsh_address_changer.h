#pragma once
// The Windows way of changing a card's address: start a `netsh` command line
// and do not wait for it. The runner is WinExec in the program, a recorder in
// tests, so the command text is the same everywhere.

#include <functional>
#include <string>

#include "net/address_changer.h"
#include "sys/debug_output.h"

namespace znet {

using CommandRunner = std::function<void(const std::string& commandLine)>;

class NetshAddressChanger : public IAddressChanger {
 public:
  explicit NetshAddressChanger(CommandRunner run, TraceSink trace = zsys::DebugOutput);

  bool GiveRepairAddress(uint32_t index) override;
  bool RestoreCard(uint32_t index, const NetCardInfo& recorded) override;

  // Empty when the line would not fit netsh's 256-byte command buffer.
  static std::string SetStaticCommand(uint32_t index);
  static std::string RestoreCommand(uint32_t index, const NetCardInfo& recorded);

 private:
  bool Run(const char* tracePrefix, const std::string& command);

  CommandRunner run_;
  TraceSink trace_;
};

}  // namespace znet
