#pragma once
// Keeps the repair address on the card while the repair runs: a link flap or
// a network manager may drop an address it did not set; it is put back.

#include <cstdint>
#include <cstdio>
#include <memory>

namespace znet {

class IRepairAddressKeeper {
 public:
  virtual ~IRepairAddressKeeper() = default;
  virtual bool Start(uint32_t index) = 0;  // begins watching the card (own thread on Linux)
  virtual void Stop() = 0;                 // ends at once (joins), idempotent; no re-add after Stop returns
};

}  // namespace znet
