#pragma once
// What a click on the start button will do, as text: which card gets the
// repair address and which firmware is served, or what is missing; and the
// details of the firmware and port failures. Pure functions of the facts.

#include <cstdint>
#include <string>
#include <vector>

#include "app/repair/firmware_lookup.h"
#include "app/repair/process/port_holder.h"
#include "net/net_card_info.h"

namespace zapp {

struct StartFacts {
  struct Card {
    std::string name;  // the adapter list's name (Linux: interface, Windows: instance id)
    znet::NetCardInfo info;
  };
  std::vector<Card> cards;  // the eligible wired cards
  FirmwareLookup firmware;
};

// `path` as the pages show it (Linux: the home folder as "~").
std::wstring PathText(const std::filesystem::path& path);
// `text` in the current face, with "{1}", "{2}"... replaced by the values in order.
std::wstring FillText(const wchar_t* text, const std::vector<std::wstring>& values);

// Two lines: the card, then the firmware.
std::wstring StartStatusText(const StartFacts& facts);
// The firmware found, or the reason it was not, with the near-name to rename.
std::wstring FirmwareLine(const FirmwareLookup& lookup);
// kFirmwareText, then the firmware line.
std::wstring FirmwareFailureText(const FirmwareLookup& lookup);
// The holder of `port` and how to stop it.
std::wstring PortHolderLine(int port, const PortHolder& holder);
// kPortBusyText, then the holder line.
std::wstring PortBusyFailureText(int port, const PortHolder& holder);

}  // namespace zapp
