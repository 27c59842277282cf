#include "ui/host/display_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zui {
namespace {

constexpr int kLowest = 100;
constexpr int kHighest = 200;
constexpr int kStep = 25;

// A whole factor from 1 up; anything else (GTK ignores it too) is none.
std::optional<int> GdkFactor(const std::string& text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  const int factor = std::atoi(text.c_str());
  return factor >= 1 ? std::optional<int>(factor) : std::nullopt;
}

}  // namespace

int RoundDisplayScale(double percent) {
  if (!(percent > kLowest)) return kLowest;  // also NaN
  const int rounded = static_cast<int>(std::lround(percent / kStep)) * kStep;
  return std::clamp(rounded, kLowest, kHighest);
}

int ChooseDisplayScale(const DisplayScaleSources& sources) {
  if (sources.requested) return RoundDisplayScale(*sources.requested);
  if (const std::optional<int> factor = GdkFactor(sources.gdkScale)) return RoundDisplayScale(*factor * 100.0);
  return RoundDisplayScale(sources.dpi * 100.0 / 96.0);
}

}  // namespace zui
