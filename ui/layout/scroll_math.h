#pragma once
// 64-bit arithmetic for scroll numbers that come from skins and programs:
// products that could leave the 64-bit range are worked out in long double
// and saturated instead of wrapping.

#include <cstdint>
#include <limits>

namespace zui {

// trunc(a * b / c); 0 when c is 0.
inline int64_t MulDiv64(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return 0;
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  const uint64_t ua = a < 0 ? 0 - static_cast<uint64_t>(a) : static_cast<uint64_t>(a);
  const uint64_t ub = b < 0 ? 0 - static_cast<uint64_t>(b) : static_cast<uint64_t>(b);
  const bool fits = ua == 0 || ub <= static_cast<uint64_t>(kMax) / ua;
  if (fits && c != -1) return (a * b) / c;
  const long double v = static_cast<long double>(a) * static_cast<long double>(b) / static_cast<long double>(c);
  if (v >= static_cast<long double>(kMax)) return kMax;
  if (v <= static_cast<long double>(std::numeric_limits<int64_t>::min())) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(v);
}

inline int64_t SaturatedAdd64(int64_t a, int64_t b) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  if (b > 0 && a > kMax - b) return kMax;
  if (b < 0 && a < kMin - b) return kMin;
  return a + b;
}

}  // namespace zui
