// The container's scroll side: its bars, its scroll position and the steps
// that move it, and fitting the bars to what the children need.

#include <algorithm>

#include "ui/base/saturate.h"
#include "ui/controls/control_manager.h"
#include "ui/layout/container.h"
#include "ui/layout/scroll_bar.h"
#include "ui/text/text_engine.h"

namespace zui {

Size CContainerUI::GetScrollPos() const {
  return {IsBarShown(horizontalScrollBar_.get()) ? SaturateToInt(horizontalScrollBar_->GetScrollPos()) : 0,
          IsBarShown(verticalScrollBar_.get()) ? SaturateToInt(verticalScrollBar_->GetScrollPos()) : 0};
}

Size CContainerUI::GetScrollRange() const {
  return {IsBarShown(horizontalScrollBar_.get()) ? SaturateToInt(horizontalScrollBar_->GetScrollRange()) : 0,
          IsBarShown(verticalScrollBar_.get()) ? SaturateToInt(verticalScrollBar_->GetScrollRange()) : 0};
}

int CContainerUI::ScrollLineStep() const {
  const int step = GetScrollStepSize();
  if (step > 0) return step;
  if (manager_ == nullptr) return 8;
  const ITextFont* font = manager_->GetFont(-1);
  return font == nullptr ? 8 : SaturatedAdd(font->Metrics().height, 8);
}

int CContainerUI::ScrollPage(bool vertical) const {
  const Rect inset = GetInset();
  if (vertical) {
    int64_t page = int64_t{itemRect_.Height()} - inset.top - inset.bottom;
    if (IsBarShown(horizontalScrollBar_.get())) page -= horizontalScrollBar_->GetFixedHeight();
    return SaturateToInt(page);
  }
  int64_t page = int64_t{itemRect_.Width()} - inset.left - inset.right;
  if (IsBarShown(verticalScrollBar_.get())) page -= verticalScrollBar_->GetFixedWidth();
  return SaturateToInt(page);
}

void CContainerUI::SetScrollPos(Size pos, bool notify) {
  int64_t dx = 0;
  int64_t dy = 0;
  if (IsBarShown(verticalScrollBar_.get())) {
    const int64_t before = verticalScrollBar_->GetScrollPos();
    verticalScrollBar_->SetScrollPos(pos.cy);
    dy = verticalScrollBar_->GetScrollPos() - before;
  }
  if (IsBarShown(horizontalScrollBar_.get())) {
    const int64_t before = horizontalScrollBar_->GetScrollPos();
    horizontalScrollBar_->SetScrollPos(pos.cx);
    dx = horizontalScrollBar_->GetScrollPos() - before;
  }
  if (dx == 0 && dy == 0) return;

  for (const ControlPtr& child : items_) {
    if (!child->IsVisible() || child->IsFloat()) continue;
    const Rect& r = child->GetPos();
    child->SetPos({SaturateToInt(r.left - dx), SaturateToInt(r.top - dy), SaturateToInt(r.right - dx),
                   SaturateToInt(r.bottom - dy)},
                  true);
  }
  Invalidate();

  if (notify && verticalScrollBar_ != nullptr && manager_ != nullptr) {
    const int64_t line = std::max(verticalScrollBar_->GetLineSize(), 1);
    const int64_t lines = (verticalScrollBar_->GetScrollPos() + line) / line;
    SendNotify(L"scroll", static_cast<WPARAM_T>(lines), 0);
  }
}

void CContainerUI::LineUp() {
  const Size pos = GetScrollPos();
  if (pos.cy > 0) SetScrollPos({pos.cx, SaturatedSub(pos.cy, ScrollLineStep())});
}

void CContainerUI::LineDown() {
  const Size pos = GetScrollPos();
  if (pos.cy < GetScrollRange().cy) SetScrollPos({pos.cx, SaturatedAdd(pos.cy, ScrollLineStep())});
}

void CContainerUI::PageUp() {
  const Size pos = GetScrollPos();
  SetScrollPos({pos.cx, SaturatedSub(pos.cy, ScrollPage(true))});
}

void CContainerUI::PageDown() {
  const Size pos = GetScrollPos();
  SetScrollPos({pos.cx, SaturatedAdd(pos.cy, ScrollPage(true))});
}

void CContainerUI::HomeUp() { SetScrollPos({GetScrollPos().cx, 0}); }

void CContainerUI::EndDown() {
  // The range is only right once a pending layout of ours has run.
  if (IsUpdateNeeded()) SetPos(itemRect_, false);
  SetScrollPos({GetScrollPos().cx, GetScrollRange().cy});
}

void CContainerUI::LineLeft() {
  const Size pos = GetScrollPos();
  if (pos.cx > 0) SetScrollPos({SaturatedSub(pos.cx, ScrollLineStep()), pos.cy});
}

void CContainerUI::LineRight() {
  const Size pos = GetScrollPos();
  if (pos.cx < GetScrollRange().cx) SetScrollPos({SaturatedAdd(pos.cx, ScrollLineStep()), pos.cy});
}

void CContainerUI::PageLeft() {
  const Size pos = GetScrollPos();
  SetScrollPos({SaturatedSub(pos.cx, ScrollPage(false)), pos.cy});
}

void CContainerUI::PageRight() {
  const Size pos = GetScrollPos();
  SetScrollPos({SaturatedAdd(pos.cx, ScrollPage(false)), pos.cy});
}

void CContainerUI::HomeLeft() { SetScrollPos({0, GetScrollPos().cy}); }

void CContainerUI::EndRight() {
  if (IsUpdateNeeded()) SetPos(itemRect_, false);
  SetScrollPos({GetScrollRange().cx, GetScrollPos().cy});
}

// ---- the bars ---------------------------------------------------------------

std::unique_ptr<CScrollBarUI> CContainerUI::MakeScrollBar(bool horizontal) {
  auto bar = std::make_unique<CScrollBarUI>();
  bar->SetOwner(this);
  bar->SetManager(manager_, nullptr, false);
  if (horizontal) bar->SetHorizontal(true);
  if (manager_ != nullptr) {
    if (const std::wstring* defaults = manager_->GetDefaultAttributeList(horizontal ? L"HScrollBar" : L"VScrollBar"))
      bar->ApplyAttributeList(*defaults);
  }
  const std::wstring& style = horizontal ? horizontalScrollBarStyle_ : verticalScrollBarStyle_;
  if (!style.empty()) bar->ApplyAttributeList(style);
  return bar;
}

void CContainerUI::EnableScrollBar(bool vertical, bool horizontal) {
  if (vertical && verticalScrollBar_ == nullptr) {
    verticalScrollBar_ = MakeScrollBar(false);
  } else if (!vertical && verticalScrollBar_ != nullptr) {
    verticalScrollBar_.reset();
  }
  if (horizontal && horizontalScrollBar_ == nullptr) {
    horizontalScrollBar_ = MakeScrollBar(true);
  } else if (!horizontal && horizontalScrollBar_ != nullptr) {
    horizontalScrollBar_.reset();
  }
  NeedUpdate();
}

// ---- fitting the bars to the content ----------------------------------------

void CContainerUI::RelayoutForScrollBars() {
  // Children whose need swings with the room the bars leave could show and
  // hide a bar without end; a few rounds settle every ordinary layout.
  constexpr int kMaxRounds = 4;
  if (scrollFitDepth_ >= kMaxRounds) return;
  ++scrollFitDepth_;
  SetPos(itemRect_, true);
  --scrollFitDepth_;
}

void CContainerUI::ProcessScrollBar(const Rect& area, Size needed) {
  if (horizontalScrollBar_ != nullptr) {
    CScrollBarUI& bar = *horizontalScrollBar_;
    FitScrollBar(bar, int64_t{needed.cx} - area.Width(),
                 {area.left, area.bottom, area.right, SaturatedAdd(area.bottom, bar.GetFixedHeight())});
  }
  if (verticalScrollBar_ != nullptr) {
    CScrollBarUI& bar = *verticalScrollBar_;
    FitScrollBar(bar, int64_t{needed.cy} - area.Height(),
                 {area.right, area.top, SaturatedAdd(area.right, bar.GetFixedWidth()), area.bottom});
  }
}

void CContainerUI::FitScrollBar(CScrollBarUI& bar, int64_t overflow, const Rect& place) {
  if (overflow > 0 && !bar.IsVisible()) {
    bar.SetVisible(true);
    bar.SetScrollRange(overflow);
    bar.SetScrollPos(0);
    RelayoutForScrollBars();
  } else if (overflow > 0) {
    bar.SetPos(place, true);
    if (bar.GetScrollRange() != overflow) {
      const int64_t before = bar.GetScrollPos();
      bar.SetScrollRange(overflow);
      if (bar.GetScrollPos() != before) RelayoutForScrollBars();
    }
  } else if (bar.IsVisible()) {
    bar.SetVisible(false);
    bar.SetScrollPos(0);
    bar.SetScrollRange(0);
    RelayoutForScrollBars();
  }
}

}  // namespace zui
