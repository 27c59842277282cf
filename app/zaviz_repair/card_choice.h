#pragma once
// Which card the repair uses, from the terminal: the numbered list of the
// wired cards, the answer to --card NAME|INDEX, and the answer typed at
// the numbered choice.

#include <cstdint>
#include <string>
#include <vector>

#include "net/adapter_source.h"
#include "net/net_card_info.h"

namespace zaviz_repair {

struct ListedCard {
  std::string name;  // the adapter list's name (Linux: interface; Windows: instance id)
  znet::NetCardInfo card;
};

// The eligible `cards` in their order, each with its adapter name from `adapters`.
std::vector<ListedCard> ListCards(const std::vector<znet::NetCardInfo>& cards,
                                  const std::vector<znet::AdapterEntry>& adapters);

// "  1) eth0  Intel Ethernet  10.0.0.5 (DHCP)" one line per card.
std::string NumberedList(const std::vector<ListedCard>& cards);

struct CardAnswer {
  bool found = false;
  std::string adapterName;  // found: the card to restrict the repair to
  std::string problem;      // not found: one line saying what exists
};

// --card: a number of the list (1-based), a listed card's name or
// description, or (as the wizard's --card) any adapter the system lists,
// also one that is no physical card.
CardAnswer ResolveCardOption(const std::string& asked, const std::vector<ListedCard>& listed,
                             const std::vector<znet::AdapterEntry>& adapters);

// The interface index chosen by `typed` at the numbered choice, 0 for none
// (empty, not a number, out of the list).
uint32_t ChosenIndex(const std::string& typed, const std::vector<znet::NetCardInfo>& cards);

}  // namespace zaviz_repair
