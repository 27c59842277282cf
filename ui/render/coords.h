#pragma once
// Skin numbers may be anything an int holds. Drawing works on coordinates
// held well inside int, so that sums and differences of two never overflow.

#include <algorithm>
#include <cstdint>

#include "ui/base/geometry.h"

namespace zui {

constexpr int64_t kCoordLimit = int64_t{1} << 28;

inline int Coord(int64_t v) { return static_cast<int>(std::clamp(v, -kCoordLimit, kCoordLimit)); }
inline Rect Coords(const Rect& r) { return {Coord(r.left), Coord(r.top), Coord(r.right), Coord(r.bottom)}; }

}  // namespace zui
