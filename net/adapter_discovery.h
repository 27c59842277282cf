#pragma once
// Finding the physical wired cards: the physical-card table is read once when
// the repair window is built, the adapter list at every start of a repair.

#include <cstdio>
#include <vector>

#include "net/adapter_source.h"
#include "net/net_card_info.h"
#include "net/registry_source.h"

namespace znet {

void LoadPhysicalCards(IRegistrySource& registry, PhysicalCardTable& physicalCards);

// Clears and refills `netCards` with the eligible cards and returns their
// number. Prints a dump of every non-wireless adapter to `out` (none when null).
int GetNetCards(IAdapterSource& adapters, const PhysicalCardTable& physicalCards, std::vector<NetCardInfo>& netCards,
                std::FILE* out = stdout);

}  // namespace znet
