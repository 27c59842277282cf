// How a control looks: its colours, images and border, and the fixed order
// in which they are painted.

#include "ui/controls/control.h"
#include "ui/controls/control_manager.h"
#include "ui/render/skin_renderer.h"
#include "ui/render/value_format.h"

namespace zui {

// ---- appearance setters ---------------------------------------------------

void CControlUI::SetBkColor(uint32_t argb) {
  if (bkColor_ == argb) return;
  bkColor_ = argb;
  Invalidate();
}

void CControlUI::SetBkColor2(uint32_t argb) {
  if (bkColor2_ == argb) return;
  bkColor2_ = argb;
  Invalidate();
}

void CControlUI::SetBkColor3(uint32_t argb) {
  if (bkColor3_ == argb) return;
  bkColor3_ = argb;
  Invalidate();
}

void CControlUI::SetGradient(std::wstring_view direction) {
  if (gradient_ == direction) return;
  gradient_ = direction;
  Invalidate();
}

void CControlUI::SetForeColor(uint32_t argb) {
  if (foreColor_ == argb) return;
  foreColor_ = argb;
  Invalidate();
}

void CControlUI::SetBkImage(std::wstring_view descriptor) {
  if (bkImage_ == descriptor) return;
  bkImage_ = descriptor;
  Invalidate();
}

void CControlUI::SetForeImage(std::wstring_view descriptor) {
  if (foreImage_ == descriptor) return;
  foreImage_ = descriptor;
  Invalidate();
}

void CControlUI::SetBorderColor(uint32_t argb) {
  if (borderColor_ == argb) return;
  borderColor_ = argb;
  Invalidate();
}

void CControlUI::SetFocusBorderColor(uint32_t argb) {
  if (focusBorderColor_ == argb) return;
  focusBorderColor_ = argb;
  Invalidate();
}

void CControlUI::SetColorHSL(bool on) {
  if (colorHsl_ == on) return;
  colorHsl_ = on;
  Invalidate();
}

int CControlUI::GetBorderSize() const { return Scale(borderSize_); }

void CControlUI::SetBorderSize(int size) {
  if (borderSize_ == size) return;
  borderSize_ = size;
  Invalidate();
}

Rect CControlUI::GetBorderSides() const { return Scale(borderSides_); }

void CControlUI::SetBorderSides(const Rect& sides) {
  if (borderSides_ == sides) return;
  borderSides_ = sides;
  Invalidate();
}

void CControlUI::SetLeftBorderSize(int size) {
  Rect sides = borderSides_;
  sides.left = size;
  SetBorderSides(sides);
}

void CControlUI::SetTopBorderSize(int size) {
  Rect sides = borderSides_;
  sides.top = size;
  SetBorderSides(sides);
}

void CControlUI::SetRightBorderSize(int size) {
  Rect sides = borderSides_;
  sides.right = size;
  SetBorderSides(sides);
}

void CControlUI::SetBottomBorderSize(int size) {
  Rect sides = borderSides_;
  sides.bottom = size;
  SetBorderSides(sides);
}

void CControlUI::SetBorderStyle(int style) {
  if (borderStyle_ == style) return;
  borderStyle_ = style;
  Invalidate();
}

Size CControlUI::GetBorderRound() const { return {Scale(borderRound_.cx), Scale(borderRound_.cy)}; }

void CControlUI::SetBorderRound(Size round) {
  if (borderRound_ == round) return;
  borderRound_ = round;
  Invalidate();
}

// ---- painting -------------------------------------------------------------

bool CControlUI::Paint(Canvas& canvas, const Rect& paint, CControlUI* stop) {
  if (this == stop) return false;
  const Rect area = paint.Intersect(itemRect_);
  if (area.IsEmpty()) return true;
  paintRect_ = area;
  return DoPaint(canvas, paint, stop);
}

bool CControlUI::DoPaint(Canvas& canvas, const Rect& /*paint*/, CControlUI* /*stop*/) {
  ClipRecord roundClip;
  const Size round = GetBorderRound();
  if (round.cx != 0 || round.cy != 0)
    CSkinRenderer::ClipToRoundRect(canvas, paintRect_, itemRect_, round.cx, round.cy, roundClip);

  PaintBkColor(canvas);
  PaintBkImage(canvas);
  PaintStatusImage(canvas);
  PaintForeColor(canvas);
  PaintForeImage(canvas);
  PaintText(canvas);
  PaintBorder(canvas);
  return true;
}

void CControlUI::PaintBkColor(Canvas& canvas) {
  if (bkColor_ == 0) return;
  if (bkColor2_ == 0) {
    // An opaque colour hides everything under it, so only the part being
    // repainted needs it; a translucent one is laid over the whole control.
    if ((bkColor_ >> 24) == 0xFF) CSkinRenderer::FillColor(canvas, paintRect_, bkColor_);
    else CSkinRenderer::FillColor(canvas, itemRect_, bkColor_);
    return;
  }
  const bool vertical = gradient_ != L"hor";
  if (bkColor3_ == 0) {
    CSkinRenderer::FillGradient(canvas, itemRect_, bkColor_, bkColor2_, vertical, 16, GradientPath::Bands);
    return;
  }
  const int middle = static_cast<int>((static_cast<long long>(itemRect_.top) + itemRect_.bottom) / 2);
  const Rect upper{itemRect_.left, itemRect_.top, itemRect_.right, middle};
  const Rect lower{itemRect_.left, middle, itemRect_.right, itemRect_.bottom};
  CSkinRenderer::FillGradient(canvas, upper, bkColor_, bkColor2_, vertical, 8, GradientPath::Bands);
  CSkinRenderer::FillGradient(canvas, lower, bkColor2_, bkColor3_, vertical, 8, GradientPath::Bands);
}

void CControlUI::PaintBkImage(Canvas& canvas) {
  if (bkImage_.empty()) return;
  DrawImage(canvas, bkImage_);
}

void CControlUI::PaintForeColor(Canvas& canvas) {
  if (foreColor_ == 0) return;
  CSkinRenderer::FillColor(canvas, itemRect_, foreColor_);
}

void CControlUI::PaintForeImage(Canvas& canvas) {
  if (foreImage_.empty()) return;
  DrawImage(canvas, foreImage_);
}

void CControlUI::PaintBorder(Canvas& canvas) {
  if (borderColor_ == 0 && focusBorderColor_ == 0) return;
  const bool focusColour = IsFocused() && focusBorderColor_ != 0;
  const uint32_t colour = focusColour ? focusBorderColor_ : borderColor_;
  const int size = GetBorderSize();
  const Size round = GetBorderRound();
  const Rect& r = itemRect_;

  if (size > 0 && (round.cx != 0 || round.cy != 0)) {
    CSkinRenderer::PaintRoundRect(canvas, r, size, round.cx, colour);
    return;
  }
  if (focusColour && size > 0) {
    CSkinRenderer::PaintRect(canvas, r, size, colour);
    return;
  }
  const Rect sides = GetBorderSides();
  if (sides.left > 0 || sides.top > 0 || sides.right > 0 || sides.bottom > 0) {
    // The right and bottom lines sit on the last column and row inside.
    if (sides.left > 0)
      CSkinRenderer::PaintLine(canvas, {r.left, r.top, r.left, r.bottom}, sides.left, colour, borderStyle_);
    if (sides.top > 0)
      CSkinRenderer::PaintLine(canvas, {r.left, r.top, r.right, r.top}, sides.top, colour, borderStyle_);
    if (sides.right > 0)
      CSkinRenderer::PaintLine(canvas, {r.right - 1, r.top, r.right - 1, r.bottom}, sides.right, colour, borderStyle_);
    if (sides.bottom > 0)
      CSkinRenderer::PaintLine(canvas, {r.left, r.bottom - 1, r.right, r.bottom - 1}, sides.bottom, colour,
                               borderStyle_);
    return;
  }
  if (size > 0) CSkinRenderer::PaintRect(canvas, r, size, colour);
}

std::wstring CControlUI::DestModifier(const Rect& rect) const {
  const int scale = manager_ != nullptr ? manager_->DisplayScale() : 100;
  Rect dest = rect.Offset(-itemRect_.left, -itemRect_.top);
  if (scale > 0 && scale != 100) dest = UnscaleRect(dest, scale);
  return L"dest='" + std::to_wstring(dest.left) + L"," + std::to_wstring(dest.top) + L"," +
         std::to_wstring(dest.right) + L"," + std::to_wstring(dest.bottom) + L"'";
}

bool CControlUI::DrawImage(Canvas& canvas, std::wstring_view descriptor, std::wstring_view modifier) {
  return CSkinRenderer::PaintImageDescriptor(&canvas, manager_, itemRect_, paintRect_, descriptor, modifier);
}

}  // namespace zui
