#include "net/cards_diagnostic.h"

#include <vector>

#include "net/adapter_discovery.h"
#include "net/platform_network.h"

namespace znet {

int PrintCardsDiagnostic(std::FILE* out, IRegistrySource& registry, IAdapterSource& adapters) {
  PhysicalCardTable physicalCards;
  LoadPhysicalCards(registry, physicalCards);
  std::vector<NetCardInfo> netCards;
  const int count = GetNetCards(adapters, physicalCards, netCards, out);
  std::fprintf(out, "Eligible wired cards: %d\n", count);
  for (const NetCardInfo& card : netCards) {
    std::fprintf(out, "  index %u: %s, address %s, %s\n", card.index, card.description.c_str(), card.ipAddress.c_str(),
                 card.dhcpEnabled ? "DHCP" : "static");
  }
  if (count == 0) {
    std::fprintf(out, "A card is offered when it is not wireless, the system marks it as a physical "
                      "device, and its description does not contain \"loopback\".\n");
  }
  return count;
}

int PrintCardsDiagnostic(std::FILE* out) {
  std::unique_ptr<IRegistrySource> registry = CreateRegistrySource();
  std::unique_ptr<IAdapterSource> adapters = CreateAdapterSource();
  return PrintCardsDiagnostic(out, *registry, *adapters);
}

}  // namespace znet
