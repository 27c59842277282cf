#include "app/zaviz_repair/progress_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/repair/terminal_texts.h"
#include "app/zaviz_repair/terminal_words.h"

namespace zaviz_repair {
namespace {
constexpr int kDownloadShare = 60;  // the bar's value when the whole file has gone out
}

void TransferMeter::Add(double position, double size, uint64_t nowMs) {
  if (!samples_.empty() && (position < samples_.back().position || nowMs < samples_.back().ms)) samples_.clear();
  size_ = size;
  samples_.push_back({nowMs, position});
  // Keep one sample older than the window so the rate spans all of it.
  while (samples_.size() > 2 && nowMs - samples_[1].ms >= kWindowMs) samples_.pop_front();
}

double TransferMeter::BytesPerSecond() const {
  if (samples_.size() < 2) return 0;
  const Sample& first = samples_.front();
  const Sample& last = samples_.back();
  if (last.ms <= first.ms) return 0;
  return (last.position - first.position) * 1000.0 / static_cast<double>(last.ms - first.ms);
}

double TransferMeter::BytesLeft() const {
  if (samples_.empty()) return 0;
  return std::max(0.0, size_ - samples_.back().position);
}

std::optional<int64_t> EstimateSecondsLeft(int barValue, double bytesLeft, double bytesPerSecond, uint32_t tickMs) {
  const int clamped = std::clamp(barValue, 0, 100);
  const int finishingTicks = 100 - std::max(clamped, kDownloadShare);
  const int64_t finishingSeconds = (static_cast<int64_t>(finishingTicks) * tickMs + 999) / 1000;
  if (bytesLeft <= 0) return finishingSeconds;
  if (bytesPerSecond <= 0) return std::nullopt;
  return static_cast<int64_t>(std::ceil(bytesLeft / bytesPerSecond)) + finishingSeconds;
}

std::string FormatRate(double bytesPerSecond) {
  char text[32];
  if (bytesPerSecond < 1024) {
    std::snprintf(text, sizeof text, "%.0f B/s", std::max(0.0, bytesPerSecond));
  } else if (bytesPerSecond < 1024.0 * 1024) {
    std::snprintf(text, sizeof text, "%.1f KB/s", bytesPerSecond / 1024);
  } else {
    std::snprintf(text, sizeof text, "%.1f MB/s", bytesPerSecond / (1024.0 * 1024));
  }
  return text;
}

std::string FormatDuration(int64_t seconds) {
  seconds = std::max<int64_t>(0, seconds);
  char text[32];
  const long long h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  if (h > 0) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", h, m, s);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", m, s);
  }
  return text;
}

std::string BarLine(int percent, double bytesPerSecond, std::optional<int64_t> secondsLeft, int width) {
  percent = std::clamp(percent, 0, 100);
  width = std::max(width, 1);
  const int filled = percent * width / 100;
  std::string line = "[";
  line.append(static_cast<size_t>(filled), '#').append(static_cast<size_t>(width - filled), '.').append("]");
  char figure[8];
  std::snprintf(figure, sizeof figure, "%4d%%", percent);
  line += figure;
  line.append("  ").append(bytesPerSecond > 0 ? FormatRate(bytesPerSecond) : std::string("--"));
  line.append("  ").append(
      Words(zapp::kTermTimeLeft, {secondsLeft ? FormatDuration(*secondsLeft) : std::string("--")}));
  return line;
}

bool PlainSteps::Due(int percent) {
  const int step = std::clamp(percent, 0, 100) / 10;
  if (step <= lastStep_) return false;
  lastStep_ = step;
  return true;
}

}  // namespace zaviz_repair
