// How a button looks in each state: background colour, state image,
// foreground image and text colour and font.

#include <string>

#include "ui/controls/button.h"
#include "ui/controls/control_manager.h"
#include "ui/host/host.h"
#include "ui/render/descriptor_cache.h"
#include "ui/render/skin_renderer.h"
#include "ui/render/value_format.h"

namespace zui {
namespace {

// One column of a state image: the descriptor with a source rectangle
// (in skin units, as a descriptor's own numbers are).
std::wstring Column(const std::wstring& descriptor, int index, int columnWidth, int height, int scale) {
  const Rect source = UnscaleRect({index * columnWidth, 0, (index + 1) * columnWidth, height}, scale);
  std::wstring out = descriptor.find(L'=') == std::wstring::npos ? L"file='" + descriptor + L"'" : descriptor;
  out += L" source='" + std::to_wstring(source.left) + L"," + std::to_wstring(source.top) + L"," +
         std::to_wstring(source.right) + L"," + std::to_wstring(source.bottom) + L"'";
  return out;
}

}  // namespace

void CButtonUI::RefreshState() {
  if (IsFocused()) state_ |= kButtonFocused;
  else state_ &= ~kButtonFocused;
  if (!IsEnabled()) state_ |= kButtonDisabled;
  else state_ &= ~kButtonDisabled;
  if (manager_ != nullptr && !Host().IsEnabled(manager_->GetPaintWindow())) state_ &= kButtonDisabled;
}

void CButtonUI::PaintBkColor(Canvas& canvas) {
  uint32_t colour = 0;
  if (state_ & kButtonDisabled) colour = disabledBkColor_;
  else if (state_ & kButtonPushed) colour = pushedBkColor_;
  else if (state_ & kButtonHot) colour = hotBkColor_;
  if (colour != 0) {
    CSkinRenderer::FillColor(canvas, CurrentPaintRect(), colour);
    return;
  }
  CLabelUI::PaintBkColor(canvas);
}

void CButtonUI::SplitStateImage() {
  if (manager_ == nullptr) return;
  const ImageDrawInfo* info = manager_->DescriptorCache().Get(stateImage_, {}, manager_);
  if (info == nullptr || info->imageName.empty()) return;
  const SkinImage* image = manager_->GetOrLoadImage(info->imageName, info->resType, info->mask);
  if (image == nullptr) return;
  // More columns than pixels would give columns of no width.
  const int width = image->bitmap.width(), height = image->bitmap.height();
  const int count = stateCount_ < width ? stateCount_ : width;
  if (count <= 0) return;
  const int column = width / count;
  const int scale = manager_->DisplayScale();
  normalImage_ = Column(stateImage_, 0, column, height, scale);
  if (count >= 2) hotImage_ = Column(stateImage_, 1, column, height, scale);
  if (count >= 3) pushedImage_ = Column(stateImage_, 2, column, height, scale);
  else if (count == 2) pushedImage_ = hotImage_;
  if (count >= 4) disabledImage_ = Column(stateImage_, 3, column, height, scale);
}

bool CButtonUI::DrawIfSet(Canvas& canvas, const std::wstring& descriptor) {
  return !descriptor.empty() && DrawImage(canvas, descriptor);
}

void CButtonUI::PaintStatusImage(Canvas& canvas) {
  if (!stateImage_.empty() && stateCount_ > 0 && normalImage_.empty()) SplitStateImage();
  RefreshState();
  if (state_ & kButtonDisabled) {
    if (DrawIfSet(canvas, disabledImage_)) return;
  } else if (state_ & kButtonPushed) {
    if (DrawIfSet(canvas, pushedImage_)) return;
  } else if (state_ & kButtonHot) {
    if (DrawIfSet(canvas, hotImage_)) return;
  } else if (state_ & kButtonFocused) {
    if (DrawIfSet(canvas, focusedImage_)) return;
  }
  DrawIfSet(canvas, normalImage_);
}

void CButtonUI::PaintForeImage(Canvas& canvas) {
  if (state_ & kButtonPushed) {
    if (DrawIfSet(canvas, pushedForeImage_)) return;
  } else if (state_ & kButtonHot) {
    if (DrawIfSet(canvas, hotForeImage_)) return;
  }
  CLabelUI::PaintForeImage(canvas);
}

void CButtonUI::PaintText(Canvas& canvas) {
  RefreshState();
  TakeDefaultColors();
  uint32_t colour = (state_ & kButtonDisabled) ? GetDisabledTextColor() : GetTextColor();
  if ((state_ & kButtonPushed) && pushedTextColor_ != 0) colour = pushedTextColor_;
  else if ((state_ & kButtonHot) && hotTextColor_ != 0) colour = hotTextColor_;
  else if ((state_ & kButtonFocused) && focusedTextColor_ != 0) colour = focusedTextColor_;
  int font = GetFont();
  if ((state_ & kButtonPushed) && pushedFont_ != -1) font = pushedFont_;
  else if ((state_ & kButtonHot) && hotFont_ != -1) font = hotFont_;
  else if ((state_ & kButtonFocused) && focusedFont_ != -1) font = focusedFont_;
  DrawLabelText(canvas, Shrink(itemRect_, GetTextPadding()), colour, font, GetTextStyle());
}

}  // namespace zui
