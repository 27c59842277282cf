#pragma once
// Integer arithmetic that stays inside the int range: numbers come from skins
// and from layouts of such numbers, and a value pushed past the range keeps
// to its edge instead of wrapping to the other side.

#include <cstdint>
#include <limits>

namespace zui {

constexpr int SaturateToInt(int64_t value) {
  constexpr int64_t kLow = std::numeric_limits<int>::min();
  constexpr int64_t kHigh = std::numeric_limits<int>::max();
  return static_cast<int>(value < kLow ? kLow : value > kHigh ? kHigh : value);
}

constexpr int SaturatedAdd(int a, int b) { return SaturateToInt(int64_t{a} + b); }
constexpr int SaturatedSub(int a, int b) { return SaturateToInt(int64_t{a} - b); }

// value x percent / 100, truncated toward zero (100 leaves it as it is).
constexpr int ScaleByPercent(int value, int percent) {
  return percent == 100 ? value : SaturateToInt(int64_t{value} * percent / 100);
}

}  // namespace zui
