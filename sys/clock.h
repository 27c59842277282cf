#pragma once
#include <cstdint>

namespace zsys {

// Wall-clock time in whole seconds, as the C runtime's time() gives it.
int64_t NowSeconds();
// Milliseconds from a fixed point, never going backwards.
uint64_t MonotonicMs();

}  // namespace zsys
