#pragma once
// Switching the chosen card to the repair address (true) and back (false).

#include <cstdint>
#include <vector>

#include "net/address_changer.h"
#include "net/net_card_info.h"
#include "sys/debug_output.h"

namespace znet {

// `selectedIndex` 0 means no card was chosen: nothing is changed. The restore
// uses the configuration recorded in `netCards` at the latest start. Returns
// false when a change was refused (or when asked to set without a card).
bool SetIP(bool setRepairAddress, uint32_t selectedIndex, const std::vector<NetCardInfo>& netCards,
           IAddressChanger& changer, TraceSink trace = zsys::DebugOutput);

}  // namespace znet
