#include "net/set_ip.h"

namespace znet {

bool SetIP(bool setRepairAddress, uint32_t selectedIndex, const std::vector<NetCardInfo>& netCards,
           IAddressChanger& changer, TraceSink trace) {
  bool ok = true;
  if (setRepairAddress) {
    // Index 0 names no interface; netsh would reject it anyway and netlink
    // would answer with an error, so do not even try.
    ok = selectedIndex != 0 && changer.GiveRepairAddress(selectedIndex);
  } else if (selectedIndex != 0) {
    for (const NetCardInfo& card : netCards) {
      if (card.index == selectedIndex && !changer.RestoreCard(selectedIndex, card)) ok = false;
    }
  }
  trace("SetIP ");
  return ok;
}

}  // namespace znet
