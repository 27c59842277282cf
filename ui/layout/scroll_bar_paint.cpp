// Painting a scroll bar: background, arrow buttons, thumb and the grip on
// it. A part without a drawable image gets a light outline so the bar is
// still usable in a skin that gives it none.

#include <string>

#include "ui/controls/control_manager.h"
#include "ui/layout/scroll_bar.h"
#include "ui/render/skin_renderer.h"

namespace zui {
namespace {

constexpr uint32_t kOutlineColor = 0xFF85E4FF;
constexpr int kOutlineWidth = 2;

}  // namespace

bool CScrollBarUI::DoPaint(Canvas& canvas, const Rect& /*paint*/, CControlUI* /*stop*/) {
  PaintBkColor(canvas);
  PaintBkImage(canvas);
  PaintBk(canvas);
  PaintButton1(canvas);
  PaintButton2(canvas);
  PaintThumb(canvas);
  PaintRail(canvas);
  PaintBorder(canvas);
  return true;
}

// Draws the image of the state (disabled, pushed, hot: first that applies),
// falling back to the normal one, into `rect`. False when nothing drew.
bool CScrollBarUI::PaintPart(Canvas& canvas, Part part, uint32_t state, const Rect& rect) {
  std::wstring modifier;
  if (part != kPartBk) modifier = DestModifier(rect);
  State wanted = kStateNormal;
  if (!IsEnabled() || (state & kScrollStateDisabled) != 0) wanted = kStateDisabled;
  else if ((state & kScrollStatePushed) != 0) wanted = kStatePushed;
  else if ((state & kScrollStateHot) != 0) wanted = kStateHot;
  const std::wstring& stateImage = images_[part][wanted];
  if (wanted != kStateNormal && !stateImage.empty() && DrawImage(canvas, stateImage, modifier)) return true;
  const std::wstring& normal = images_[part][kStateNormal];
  return !normal.empty() && DrawImage(canvas, normal, modifier);
}

void CScrollBarUI::PaintBk(Canvas& canvas) { PaintPart(canvas, kPartBk, thumbState_, {}); }

void CScrollBarUI::PaintButton1(Canvas& canvas) {
  if (!showButton1_) return;
  if (!PaintPart(canvas, kPartButton1, button1State_, button1_))
    CSkinRenderer::PaintRect(canvas, button1_, kOutlineWidth, kOutlineColor);
}

void CScrollBarUI::PaintButton2(Canvas& canvas) {
  if (!showButton2_) return;
  if (!PaintPart(canvas, kPartButton2, button2State_, button2_))
    CSkinRenderer::PaintRect(canvas, button2_, kOutlineWidth, kOutlineColor);
}

void CScrollBarUI::PaintThumb(Canvas& canvas) {
  if (thumb_.IsEmpty()) return;
  if (!PaintPart(canvas, kPartThumb, thumbState_, thumb_))
    CSkinRenderer::PaintRect(canvas, thumb_, kOutlineWidth, kOutlineColor);
}

void CScrollBarUI::PaintRail(Canvas& canvas) {
  if (thumb_.IsEmpty()) return;
  const int t = Thickness();
  Rect grip;
  if (horizontal_) {
    const int centre = thumb_.left + thumb_.Width() / 2;
    grip = {centre - t / 2, thumb_.top, centre + t - t / 2, thumb_.bottom};
  } else {
    const int centre = thumb_.top + thumb_.Height() / 2;
    grip = {thumb_.left, centre - t / 2, thumb_.right, centre + t - t / 2};
  }
  PaintPart(canvas, kPartRail, thumbState_, grip);
}

}  // namespace zui
