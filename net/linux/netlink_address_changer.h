#pragma once
// The Linux way of giving a card the repair address: add 192.168.1.2/24
// beside the card's own addresses (the PC keeps its network during the
// repair) and remove exactly that address afterwards. Unlike netsh, netlink
// answers, so both directions report whether they worked.

#include <set>
#include <string>

#include "net/address_changer.h"
#include "sys/debug_output.h"

namespace znet {

class NetlinkAddressChanger : public IAddressChanger {
 public:
  explicit NetlinkAddressChanger(TraceSink trace = zsys::DebugOutput);

  bool GiveRepairAddress(uint32_t index) override;
  bool RestoreCard(uint32_t index, const NetCardInfo& recorded) override;
  bool CardCarriesRepairAddress(uint32_t index) override;
  bool RepairAddressWasOwn(uint32_t index) const override;
  void SetRepairAddressWasOwn(uint32_t index, bool own) override;

  // The reason of the latest failure, empty after a success.
  const std::string& LastError() const { return lastError_; }

 private:
  bool Fail(const char* what, uint32_t index, int error);

  TraceSink trace_;
  std::string lastError_;
  // Cards that already carried the repair address before the repair: it is
  // theirs, so the restore leaves it alone.
  std::set<uint32_t> hadRepairAddress_;
  // Cards this changer gave the address to and has not restored yet.
  std::set<uint32_t> givenByUs_;
};

}  // namespace znet
