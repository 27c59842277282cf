// The linear flow in numbered passes: (1) measure the children along the
// main axis, (2) share out what the fixed ones leave, (3) find where the
// run starts, (4) place each child, (5) report the size they need.
// Everything is in 64 bits: skin numbers and scroll ranges add up freely.

#include "ui/layout/linear_layout_flow.h"

#include <algorithm>

#include "ui/base/saturate.h"
#include "ui/layout/scroll_bar.h"

namespace zui::linear {
namespace {

// The fixed size along an axis when set, else the maximum.
int64_t FixedOrMax(int fixed, int maximum) { return fixed >= 1 ? fixed : maximum; }

int64_t Clamp(int64_t v, int64_t minimum, int64_t maximum) {
  if (v > maximum) v = maximum;
  if (v < minimum) v = minimum;
  return v;
}

int64_t RangeOf(const CScrollBarUI* bar) { return IsBarShown(bar) ? bar->GetScrollRange() : 0; }
int64_t PosOf(const CScrollBarUI* bar) { return IsBarShown(bar) ? bar->GetScrollPos() : 0; }

bool InFlow(const CControlUI& child) { return child.IsVisible() && !child.IsFloat(); }

// One child's paddings and limits along one axis. The paddings are wide so
// that two skin paddings near the int limit add up without wrapping.
struct Along {
  int64_t padLead;
  int64_t padTrail;
  int64_t fixedOrMax;
  int minimum;
  int maximum;
};

Along Read(const CControlUI& child, const Rect& pad, const Axis& axis) {
  const int maximum = (child.*axis.maximum)();
  return {pad.*axis.lead, pad.*axis.trail, FixedOrMax((child.*axis.fixed)(), maximum), (child.*axis.minimum)(),
          maximum};
}

// Sizes and rectangles are made of ints; a number beyond them keeps to the edge.
Size SizeOf(const Flow& flow, int64_t main, int64_t cross) {
  Size s;
  s.*flow.main.size = SaturateToInt(main);
  s.*flow.cross.size = SaturateToInt(cross);
  return s;
}

Rect RectOf(const Flow& flow, int64_t mainLead, int64_t mainSize, int64_t crossLead, int64_t crossSize) {
  Rect r;
  r.*flow.main.lead = SaturateToInt(mainLead);
  r.*flow.main.trail = SaturateToInt(mainLead + mainSize);
  r.*flow.cross.lead = SaturateToInt(crossLead);
  r.*flow.cross.trail = SaturateToInt(crossLead + crossSize);
  return r;
}

// The room the children flow in: the area plus the scroll ranges.
struct Room {
  int64_t main;
  int64_t cross;
  int64_t childPadding;
};

struct Measured {
  int64_t fixedSum = 0;     // fixed main sizes, paddings and the gaps between children
  int64_t neededCross = 0;  // the largest cross size with its paddings
  int stretchable = 0;      // children whose main estimate is 0
  int count = 0;
};

Measured MeasurePass(const Flow& flow, const std::vector<ControlPtr>& items, const Room& room) {
  Measured m;
  for (const ControlPtr& owned : items) {
    CControlUI* child = owned.get();
    if (!InFlow(*child)) continue;
    const Rect pad = child->GetPadding();
    const Along main = Read(*child, pad, flow.main);
    const Along cross = Read(*child, pad, flow.cross);
    const Size est =
        child->EstimateSize(SizeOf(flow, std::min(room.main, main.fixedOrMax),
                                   std::min(room.cross - cross.padLead - cross.padTrail, cross.fixedOrMax)));
    int64_t mainSize = est.*flow.main.size;
    if (mainSize == 0) ++m.stretchable;
    else mainSize = Clamp(mainSize, main.minimum, main.maximum);
    m.fixedSum += mainSize + main.padLead + main.padTrail;
    const int64_t crossSize = Clamp(std::max<int64_t>(est.*flow.cross.size, 0), cross.minimum, cross.maximum);
    m.neededCross = std::max(m.neededCross, crossSize + cross.padLead + cross.padTrail);
    ++m.count;
  }
  if (m.count > 1) m.fixedSum += (m.count - 1) * room.childPadding;
  return m;
}

int64_t StretchShare(const Measured& m, const Room& room) {
  return m.stretchable > 0 ? std::max<int64_t>((room.main - m.fixedSum) / m.stretchable, 0) : 0;
}

int64_t StartOffset(const Flow& flow, const Rect& rc, const Measured& m, const Room& room) {
  int64_t start = rc.*flow.main.lead;
  if (IsBarShown(flow.mainBar)) {
    start -= flow.mainBar->GetScrollPos();
  } else if (m.stretchable == 0) {
    if (flow.start == Place::kMiddle) start += (room.main - m.fixedSum) / 2;
    else if (flow.start == Place::kEnd) start += room.main - m.fixedSum;
  }
  return start;
}

int64_t CrossExtent(const Flow& flow, const Size& est, const Along& cross, int64_t room) {
  int64_t size;
  if (flow.crossSize == CrossSize::kEstimate) {
    size = est.*flow.cross.size > 0 ? est.*flow.cross.size : room;
  } else {
    size = cross.maximum;
    if (size == 0) size = room;
    size = std::max<int64_t>(size, 0);
  }
  size = std::min(size, std::min(room, cross.fixedOrMax));
  return std::max<int64_t>(size, cross.minimum);
}

// `range` and `pos` are the cross bar's, 0 while it is hidden.
int64_t CrossLead(const Flow& flow, const Rect& rc, int64_t range, int64_t pos, const Along& cross, int64_t size) {
  switch (flow.across) {
    case Place::kMiddle: {
      // Centred on the middle; the child's own cross paddings play no part.
      const int64_t centre = (int64_t{rc.*flow.cross.lead} + rc.*flow.cross.trail) / 2 + range / 2 - pos;
      return centre - size / 2;
    }
    case Place::kEnd: return int64_t{rc.*flow.cross.trail} + range - pos - cross.padTrail - size;
    case Place::kStart: break;
  }
  return int64_t{rc.*flow.cross.lead} - pos + cross.padLead;
}

// Places the children one after the other from `start`; answers the main
// size they take, without the gaps between them.
int64_t PlacePass(const Flow& flow, const std::vector<ControlPtr>& items, const Rect& rc, const Room& room,
                  const Measured& m, int64_t share, int64_t start) {
  const int64_t crossRange = RangeOf(flow.crossBar);
  const int64_t crossPos = PosOf(flow.crossBar);
  int64_t at = start;
  int64_t remainingMain = room.main;
  int64_t remainingFixed = m.fixedSum;
  int64_t neededMain = 0;
  int stretched = 0;
  int placed = 0;
  for (const ControlPtr& owned : items) {
    CControlUI* child = owned.get();
    if (!InFlow(*child)) continue;
    const Rect pad = child->GetPadding();
    const Along main = Read(*child, pad, flow.main);
    const Along cross = Read(*child, pad, flow.cross);
    const int64_t roomCross = room.cross - cross.padLead - cross.padTrail;
    remainingMain -= main.padLead;
    const Size est = child->EstimateSize(
        SizeOf(flow, std::min(remainingMain, main.fixedOrMax), std::min(roomCross, cross.fixedOrMax)));
    remainingFixed -= main.padLead + main.padTrail;
    if (placed > 0) remainingFixed -= room.childPadding;
    int64_t mainSize = est.*flow.main.size;
    if (mainSize != 0) {
      mainSize = Clamp(mainSize, main.minimum, main.maximum);
      remainingFixed -= mainSize;
    } else {
      ++stretched;
      // The last stretchable child absorbs what the even shares left over.
      mainSize =
          stretched == m.stretchable ? std::max<int64_t>(remainingMain - remainingFixed - main.padTrail, 0) : share;
      mainSize = Clamp(mainSize, main.minimum, main.maximum);
    }
    const int64_t crossSize = CrossExtent(flow, est, cross, roomCross);
    const int64_t crossLead = CrossLead(flow, rc, crossRange, crossPos, cross, crossSize);
    child->SetPos(RectOf(flow, at + main.padLead, mainSize, crossLead, crossSize), false);

    at += mainSize + main.padLead + main.padTrail + room.childPadding;
    remainingMain -= mainSize + main.padTrail + room.childPadding;
    neededMain += mainSize + main.padLead + main.padTrail;
    ++placed;
  }
  return neededMain;
}

}  // namespace

Size LayOut(const Flow& flow, const std::vector<ControlPtr>& items, const Rect& area, int64_t childPadding) {
  const Room room{int64_t{(area.*flow.main.extent)()} + RangeOf(flow.mainBar),
                  int64_t{(area.*flow.cross.extent)()} + RangeOf(flow.crossBar), childPadding};

  // 1. Measuring pass.
  const Measured m = MeasurePass(flow, items, room);
  // 2. The even share of each stretchable child.
  const int64_t share = StretchShare(m, room);
  // 3. Where the run starts.
  const int64_t start = StartOffset(flow, area, m, room);
  // 4. Placing pass.
  int64_t neededMain = PlacePass(flow, items, area, room, m, share, start);
  // 5. The size the children need, the gaps included.
  if (m.count > 1) neededMain += (m.count - 1) * childPadding;
  return SizeOf(flow, neededMain, m.neededCross);
}

}  // namespace zui::linear
