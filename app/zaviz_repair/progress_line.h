#pragma once
// How the repair's progress reads on a terminal: the transfer rate from the
// server's reports, the time left, the redrawn bar line, and which values
// get a plain line when the output is no terminal. Pure functions and one
// small meter; no output here.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace zaviz_repair {

// The rate of one download, over the reports of the last few seconds.
class TransferMeter {
 public:
  static constexpr uint64_t kWindowMs = 3000;

  // One report: `position` bytes of `size` sent by `nowMs` (a steady clock).
  // A position below the last one (the box started over) starts afresh.
  void Add(double position, double size, uint64_t nowMs);
  // Bytes per second; 0 until two reports lie apart in time.
  double BytesPerSecond() const;
  // Bytes of the file not sent yet; 0 before the first report.
  double BytesLeft() const;

 private:
  struct Sample {
    uint64_t ms;
    double position;
  };
  std::deque<Sample> samples_;
  double size_ = 0;
};

// Seconds until the repair is done at bar value `barValue` (0..100): the
// rest of the download at `bytesPerSecond`, then one tick of
// `tickMs` for every percent the finishing phase still has to go.
// Unknown (nullopt) while the download runs and the rate is not known.
std::optional<int64_t> EstimateSecondsLeft(int barValue, double bytesLeft, double bytesPerSecond, uint32_t tickMs);

// "950 B/s", "12.3 KB/s", "1.5 MB/s" (1 KB = 1024 bytes).
std::string FormatRate(double bytesPerSecond);
// "0:07", "2:05", "1:02:03".
std::string FormatDuration(int64_t seconds);

// The bar line without line ends: "[######......]  45%  1.5 MB/s  2:10 left".
// A rate of 0 and an unknown time show as "--".
std::string BarLine(int percent, double bytesPerSecond, std::optional<int64_t> secondsLeft, int width = 30);

// Plain output gives one line per step of ten percent (and one at 100).
class PlainSteps {
 public:
  // True when `percent` opens a step not printed yet.
  bool Due(int percent);

 private:
  int lastStep_ = -1;
};

}  // namespace zaviz_repair
