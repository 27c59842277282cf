#pragma once
// Plain geometry records of the toolkit, laid out like their Win32 cousins.

#include <algorithm>

#include "ui/base/saturate.h"

namespace zui {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  // Saturating: rectangles built from skin numbers may span more than an int.
  int Width() const { return SaturatedSub(right, left); }
  int Height() const { return SaturatedSub(bottom, top); }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  Rect Intersect(const Rect& o) const {
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    return r.IsEmpty() ? Rect{} : r;
  }
  bool Intersects(const Rect& o) const { return !Intersect(o).IsEmpty(); }
  Rect Union(const Rect& o) const {
    if (IsEmpty()) return o;
    if (o.IsEmpty()) return *this;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
  }
  Rect Offset(int dx, int dy) const {
    return {SaturatedAdd(left, dx), SaturatedAdd(top, dy), SaturatedAdd(right, dx), SaturatedAdd(bottom, dy)};
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace zui
