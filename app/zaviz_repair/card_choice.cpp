#include "app/zaviz_repair/card_choice.h"

#include <cctype>

#include "app/repair/terminal_texts.h"
#include "app/zaviz_repair/terminal_words.h"

namespace zaviz_repair {
namespace {

std::string Trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

// 1..count for a plain decimal number in range, else 0.
size_t ListNumber(const std::string& text, size_t count) {
  if (text.empty() || text.size() > 6) return 0;
  size_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + static_cast<size_t>(c - '0');
  }
  return value >= 1 && value <= count ? value : 0;
}

bool IsNumber(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// What exists: the numbered wired cards, then the other adapters the
// system lists (which --card may name as well).
std::string CardNames(const std::vector<ListedCard>& listed, const std::vector<znet::AdapterEntry>& adapters) {
  std::string names = Words(listed.empty() ? zapp::kTermNoWiredCard : zapp::kTermWiredCardsAre);
  for (size_t i = 0; i < listed.size(); ++i) {
    names += (i == 0 ? " " : ", ") + std::to_string(i + 1) + ") " + listed[i].name;
  }
  std::string others;
  for (const znet::AdapterEntry& adapter : adapters) {
    bool isListed = false;
    for (const ListedCard& card : listed) isListed = isListed || card.name == adapter.name;
    if (!isListed) others += (others.empty() ? "" : ", ") + adapter.name;
  }
  if (!others.empty()) names += Words(zapp::kTermOtherAdapters) + others;
  return names;
}

}  // namespace

std::vector<ListedCard> ListCards(const std::vector<znet::NetCardInfo>& cards,
                                  const std::vector<znet::AdapterEntry>& adapters) {
  std::vector<ListedCard> listed;
  for (const znet::NetCardInfo& card : cards) {
    ListedCard entry{{}, card};
    for (const znet::AdapterEntry& adapter : adapters) {
      if (adapter.index == card.index) {
        entry.name = adapter.name;
        break;
      }
    }
    listed.push_back(entry);
  }
  return listed;
}

std::string NumberedList(const std::vector<ListedCard>& cards) {
  std::string text;
  for (size_t i = 0; i < cards.size(); ++i) {
    const znet::NetCardInfo& card = cards[i].card;
    text += "  " + std::to_string(i + 1) + ") " + cards[i].name;
    if (!card.description.empty() && card.description != cards[i].name) text += "  " + card.description;
    text += "  " + card.ipAddress + (card.dhcpEnabled ? " (DHCP)" : "") + "\n";
  }
  return text;
}

CardAnswer ResolveCardOption(const std::string& asked, const std::vector<ListedCard>& listed,
                             const std::vector<znet::AdapterEntry>& adapters) {
  CardAnswer answer;
  if (IsNumber(asked)) {
    if (const size_t number = ListNumber(asked, listed.size())) {
      answer.found = true;
      answer.adapterName = listed[number - 1].name;
      return answer;
    }
    answer.problem = Words(zapp::kTermNoSuchNumber, {asked, CardNames(listed, adapters)});
    return answer;
  }
  for (const ListedCard& card : listed) {
    if (card.name == asked || card.card.description == asked) {
      answer.found = true;
      answer.adapterName = card.name;
      return answer;
    }
  }
  for (const znet::AdapterEntry& adapter : adapters) {
    if (adapter.name == asked) {
      answer.found = true;
      answer.adapterName = adapter.name;
      return answer;
    }
  }
  answer.problem = Words(zapp::kTermNoSuchCard, {asked, CardNames(listed, adapters)});
  return answer;
}

uint32_t ChosenIndex(const std::string& typed, const std::vector<znet::NetCardInfo>& cards) {
  const size_t number = ListNumber(Trimmed(typed), cards.size());
  return number == 0 ? 0 : cards[number - 1].index;
}

}  // namespace zaviz_repair
