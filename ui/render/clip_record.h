#pragma once
// A clip set up by ClipToRect / ClipToRoundRect. It keeps the region that
// was in force before and the new one; painting code may switch between them
// (a container paints its own border outside its rounded clip, for instance)
// and the previous region is put back when the record is restored or dies.

#include "ui/render/canvas.h"

namespace zui {

class ClipRecord {
 public:
  ClipRecord() = default;
  ~ClipRecord() { Restore(); }
  ClipRecord(const ClipRecord&) = delete;
  ClipRecord& operator=(const ClipRecord&) = delete;

  // Takes `canvas`'s current region as the old one and makes `region`
  // (already intersected with it) current. A record already in use is
  // restored first.
  void Begin(Canvas& canvas, ClipRegion region);

  void UseOldRegion();
  void UseNewRegion();
  // Puts the old region back and lets go of the canvas.
  void Restore();

  bool active() const { return canvas_ != nullptr; }
  const ClipRegion& oldRegion() const { return old_; }
  const ClipRegion& newRegion() const { return new_; }

 private:
  Canvas* canvas_ = nullptr;
  ClipRegion old_;
  ClipRegion new_;
};

// The current region intersected with `rect`.
ClipRegion IntersectClip(const ClipRegion& current, const Rect& rect);
// The current region intersected with `rect` and with a rounded rectangle over
// `item` whose corners are quarter ellipses of `ellipseWidth` x `ellipseHeight`.
ClipRegion IntersectRoundClip(const ClipRegion& current, const Rect& rect, const Rect& item, int ellipseWidth,
                              int ellipseHeight);

}  // namespace zui
