#pragma once
// Gives the chosen card the repair address and gives it back its own setup.

#include <cstdint>

#include "net/net_card_info.h"

namespace znet {

inline constexpr char kRepairAddress[] = "192.168.1.2";
inline constexpr char kRepairMask[] = "255.255.255.0";
inline constexpr int kRepairPrefixLength = 24;

// Where trace lines go: zsys::DebugOutput in the program, a recorder in tests.
using TraceSink = void (*)(const char* line);

class IAddressChanger {
 public:
  virtual ~IAddressChanger() = default;
  // Both return false only when the system said the change failed; a backend
  // that cannot know (netsh started without waiting) returns true.
  virtual bool GiveRepairAddress(uint32_t index) = 0;
  virtual bool RestoreCard(uint32_t index, const NetCardInfo& recorded) = 0;

  // Whether the card carries 192.168.1.2 now, before the repair gives it
  // (asked for the restore record). Backends that replace the address
  // whole (netsh) answer false: their restore sets the recorded setup anyway.
  virtual bool CardCarriesRepairAddress(uint32_t index) { return false; }
  // After GiveRepairAddress: the card carried 192.168.1.2 already, so the
  // restore leaves it in place.
  virtual bool RepairAddressWasOwn(uint32_t index) const { return false; }
  // A restore after a crash: tells a fresh changer what the restore record
  // says about the address (true: leave it; false: remove it).
  virtual void SetRepairAddressWasOwn(uint32_t index, bool own) {}
};

}  // namespace znet
