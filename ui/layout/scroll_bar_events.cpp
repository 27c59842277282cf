// The scroll bar's input: arrow buttons, rail and thumb presses, dragging
// applied on the repeat timer, hover states.

#include <algorithm>
#include <cstdlib>

#include "ui/base/saturate.h"
#include "ui/controls/control_manager.h"
#include "ui/host/host.h"
#include "ui/layout/container.h"
#include "ui/layout/scroll_bar.h"
#include "ui/layout/scroll_math.h"

namespace zui {
void CScrollBarUI::PassToOwner(InputEvent& event) {
  if (owner_ != nullptr) owner_->DoEvent(event);
  else CControlUI::DoEvent(event);
}

void CScrollBarUI::DoEvent(InputEvent& event) {
  if (!IsMouseEnabled() && IsMouseEventKind(event.type)) {
    PassToOwner(event);
    return;
  }
  switch (event.type) {
    case kEventSetFocus:
    case kEventKillFocus:
    case kEventContextMenu: return;
    case kEventButtonDown:
    case kEventDoubleClick:
      if (IsEnabled()) OnPress(event);
      return;
    case kEventButtonUp: OnRelease(); return;
    case kEventMouseMove: OnMove(event); return;
    case kEventTimer:
      if (event.wParam == kRepeatTimer) OnTick();
      else PassToOwner(event);
      return;
    case kEventMouseEnter:
      if (IsEnabled()) {
        button1State_ |= kScrollStateHot;
        button2State_ |= kScrollStateHot;
        if (thumb_.Contains(event.point)) thumbState_ |= kScrollStateHot;
        Invalidate();
      }
      return;
    case kEventMouseLeave:
      if (IsEnabled()) {
        button1State_ &= ~kScrollStateHot;
        button2State_ &= ~kScrollStateHot;
        thumbState_ &= ~kScrollStateHot;
        Invalidate();
      }
      return;
    default: PassToOwner(event);
  }
}

void CScrollBarUI::OnPress(InputEvent& event) {
  dragOffset_ = 0;
  repeatTicks_ = 0;
  railPressed_ = false;
  if (manager_ != nullptr) manager_->SetTimer(this, kRepeatTimer, kRepeatPeriodMs);

  const Point p = event.point;
  if (button1_.Contains(p)) {
    button1State_ |= kScrollStatePushed;
    StepLine(false);
  } else if (button2_.Contains(p)) {
    button2State_ |= kScrollStatePushed;
    StepLine(true);
  } else if (thumb_.Contains(p)) {
    thumbState_ |= kScrollStatePushed | kScrollStateCaptured;
    dragStart_ = p;
    dragStartPos_ = position_;
  } else if (!thumb_.IsEmpty()) {
    railPressed_ = true;
    const bool beforeThumb = horizontal_ ? p.x < thumb_.left : p.y < thumb_.top;
    StepPage(!beforeThumb);
  }
  Invalidate();
}

void CScrollBarUI::OnMove(InputEvent& event) {
  if ((thumbState_ & kScrollStateCaptured) != 0) {
    const int64_t moved = horizontal_ ? int64_t{event.point.x} - dragStart_.x : int64_t{event.point.y} - dragStart_.y;
    const int64_t thumbLength = horizontal_ ? thumb_.Width() : thumb_.Height();
    const int64_t divisor = std::llabs(int64_t{Length()} - thumbLength - int64_t{Thickness()} * ShownButtons());
    // A thumb as long as its track has nowhere to go.
    if (divisor != 0) dragOffset_ = MulDiv64(moved, range_, divisor);
    return;
  }
  if (!IsEnabled()) return;
  const bool hot = thumb_.Contains(event.point);
  const bool wasHot = (thumbState_ & kScrollStateHot) != 0;
  if (hot == wasHot) return;
  if (hot) thumbState_ |= kScrollStateHot;
  else thumbState_ &= ~kScrollStateHot;
  Invalidate();
}

void CScrollBarUI::OnTick() {
  ++repeatTicks_;
  if ((thumbState_ & kScrollStateCaptured) != 0) {
    ApplyDrag();
    return;
  }
  // A press repeats only once it has been held for a moment.
  if (repeatTicks_ < 6) return;
  if ((button1State_ & kScrollStatePushed) != 0) StepLine(false);
  else if ((button2State_ & kScrollStatePushed) != 0) StepLine(true);
  else if (railPressed_) RepeatRailPage();
}

void CScrollBarUI::ApplyDrag() {
  const int64_t target = SaturatedAdd64(dragStartPos_, dragOffset_);
  if (owner_ != nullptr) {
    const Size pos = owner_->GetScrollPos();
    const int t = SaturateToInt(target);
    owner_->SetScrollPos(horizontal_ ? Size{t, pos.cy} : Size{pos.cx, t});
  } else {
    SetScrollPos(target);
  }
  Invalidate();
}

void CScrollBarUI::RepeatRailPage() {
  if (manager_ == nullptr) return;
  const Point cursor = Host().ScreenToClient(manager_->GetPaintWindow(), Host().GetCursorPos());
  const int at = horizontal_ ? cursor.x : cursor.y;
  const int thumbStart = horizontal_ ? thumb_.left : thumb_.top;
  const int thumbEnd = horizontal_ ? thumb_.right : thumb_.bottom;
  if (at < thumbStart) StepPage(false);
  else if (at > thumbEnd) StepPage(true);
}

void CScrollBarUI::OnRelease() {
  repeatTicks_ = 0;
  dragOffset_ = 0;
  railPressed_ = false;
  if (manager_ != nullptr) manager_->KillTimer(this, kRepeatTimer);
  if ((thumbState_ & kScrollStateCaptured) != 0) {
    thumbState_ &= ~(kScrollStatePushed | kScrollStateCaptured);
  } else if ((button1State_ & kScrollStatePushed) != 0) {
    button1State_ &= ~kScrollStatePushed;
  } else if ((button2State_ & kScrollStatePushed) != 0) {
    button2State_ &= ~kScrollStatePushed;
  }
  Invalidate();
}

void CScrollBarUI::StepLine(bool forward) {
  if (owner_ != nullptr) {
    if (horizontal_) forward ? owner_->LineRight() : owner_->LineLeft();
    else forward ? owner_->LineDown() : owner_->LineUp();
    return;
  }
  SetScrollPos(SaturatedAdd64(position_, forward ? lineSize_ : -int64_t{lineSize_}));
}

void CScrollBarUI::StepPage(bool forward) {
  if (owner_ != nullptr) {
    if (horizontal_) forward ? owner_->PageRight() : owner_->PageLeft();
    else forward ? owner_->PageDown() : owner_->PageUp();
    return;
  }
  const int64_t page = Length();
  SetScrollPos(SaturatedAdd64(position_, forward ? page : -page));
}

// ---- state ------------------------------------------------------------------

void CScrollBarUI::SetEnabled(bool enabled) {
  CControlUI::SetEnabled(enabled);
  if (!enabled) {
    button1State_ = 0;
    button2State_ = 0;
    thumbState_ = 0;
  }
}

void CScrollBarUI::SetFocus() {
  if (owner_ != nullptr) owner_->SetFocus();
  else CControlUI::SetFocus();
}

void CScrollBarUI::SetVisible(bool visible) {
  // The owner shows and hides its bars in the middle of its own layout and
  // places them itself: no layout request from here.
  if (shown_ == visible) return;
  shown_ = visible;
  if (!visible && manager_ != nullptr && manager_->GetFocus() == this) manager_->SetFocus(nullptr);
}

}  // namespace zui
