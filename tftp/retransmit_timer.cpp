#include "tftp/retransmit_timer.h"

#include <algorithm>

namespace ztftp {
namespace {

constexpr int64_t kGranularityUs = 1000;  // the clock counts milliseconds
constexpr int kMaxBackoff = 16;           // far past any cap; keeps the shift defined

}  // namespace

void RetransmitTimer::AddSample(uint64_t round_trip_ms) {
  const int64_t sample = int64_t(std::min<uint64_t>(round_trip_ms, 3600000)) * 1000;
  if (!has_sample_) {  // RFC 6298 (2.2)
    srtt_us_ = sample;
    rttvar_us_ = sample / 2;
    has_sample_ = true;
  } else {  // (2.3): beta 1/4, alpha 1/8, the variation first
    const int64_t error = srtt_us_ > sample ? srtt_us_ - sample : sample - srtt_us_;
    rttvar_us_ = (3 * rttvar_us_ + error) / 4;
    srtt_us_ = (7 * srtt_us_ + sample) / 8;
  }
  backoff_ = 0;
}

void RetransmitTimer::BackOff() {
  if (backoff_ < kMaxBackoff) ++backoff_;
}

int RetransmitTimer::TimeoutMs() const {
  int64_t base_ms = kInitialMs;
  if (has_sample_) {
    const int64_t rto_us = srtt_us_ + std::max(kGranularityUs, 4 * rttvar_us_);
    base_ms = (rto_us + 999) / 1000;
  }
  base_ms = std::max<int64_t>(base_ms, kFloorMs);
  const int64_t cap = std::max(cap_ms_, kFloorMs);
  const int64_t backed_off = base_ms << backoff_;
  return int(std::min(backed_off, cap));
}

}  // namespace ztftp
