#pragma once
// The retransmission timeout of one transfer, estimated in the manner of
// TCP's (RFC 6298): a smoothed round trip and its variation from measured
// round trips, a floor, doubling on every resend, and a cap (the transfer's
// negotiated `timeout`). Pure arithmetic over explicit times in milliseconds;
// the caller measures and decides which round trips are samples (Karn: none
// whose packet was sent more than once).

#include <cstdint>

namespace ztftp {

class RetransmitTimer {
 public:
  // A resend never comes sooner than this, however short the round trip.
  static constexpr int kFloorMs = 50;
  // Before the first sample (RFC 6298: one second).
  static constexpr int kInitialMs = 1000;

  explicit RetransmitTimer(int cap_ms = 5000) : cap_ms_(cap_ms) {}

  // A round trip of a packet sent once; also undoes the backoff.
  void AddSample(uint64_t round_trip_ms);
  // The timer ran out and the packet goes again: the next wait is twice as long.
  void BackOff();
  // How long to wait for the acknowledgement of what was sent last.
  int TimeoutMs() const;

  bool has_sample() const { return has_sample_; }
  // Smoothed round trip and variation, in microseconds (for tests and logs).
  int64_t smoothed_us() const { return srtt_us_; }
  int64_t variation_us() const { return rttvar_us_; }
  int backoff() const { return backoff_; }

 private:
  int cap_ms_;
  bool has_sample_ = false;
  int64_t srtt_us_ = 0;
  int64_t rttvar_us_ = 0;
  int backoff_ = 0;  // doublings since the last sample
};

}  // namespace ztftp
