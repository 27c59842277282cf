#include "sys/clock.h"

#include <chrono>
#include <ctime>

namespace zsys {

int64_t NowSeconds() { return static_cast<int64_t>(std::time(nullptr)); }

uint64_t MonotonicMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace zsys
