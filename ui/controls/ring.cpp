// The ring: its own copy of the background image, drawn turned about the
// control's centre, one step per tick of its timer.

#include "ui/controls/ring.h"

#include "ui/base/wide_text.h"
#include "ui/controls/control_manager.h"
#include "ui/render/descriptor_cache.h"
#include "ui/render/skin_renderer.h"

namespace zui {

CRingUI::~CRingUI() {
  if (manager_ != nullptr) manager_->KillTimer(this, kTimerKey);
  image_.reset();
}

std::wstring_view CRingUI::GetClass() const { return L"RingUI"; }

bool CRingUI::HasInterface(std::wstring_view name) const { return name == L"Ring" || CLabelUI::HasInterface(name); }

void CRingUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (EqualsIgnoreAsciiCase(name, L"bkimage")) {
    SetBkImage(value);
    return;
  }
  CLabelUI::SetAttribute(name, value);
}

void CRingUI::SetBkImage(std::wstring_view descriptor) {
  if (descriptor == GetBkImage()) return;
  image_.reset();
  CLabelUI::SetBkImage(descriptor);
}

bool CRingUI::LoadRingImage() {
  if (manager_ == nullptr || GetBkImage().empty()) return false;
  const ImageDrawInfo* info = manager_->DescriptorCache().Get(GetBkImage(), {}, manager_);
  if (info == nullptr || info->imageName.empty()) return false;
  const SkinImage* image = manager_->GetOrLoadImage(info->imageName, info->resType, info->mask);
  if (image == nullptr || image->bitmap.empty()) return false;
  // A copy of our own: the window's image table may let its images go.
  image_ = std::make_unique<Bitmap>(image->bitmap);
  manager_->SetTimer(this, kTimerKey, kTimerPeriodMs);
  return true;
}

void CRingUI::PaintBkImage(Canvas& canvas) {
  if (image_ == nullptr && !LoadRingImage()) return;
  const Point centre{itemRect_.left + itemRect_.Width() / 2, itemRect_.top + itemRect_.Height() / 2};
  // The turned corners would reach past the control, where a repaint of the
  // control alone would leave them behind.
  ClipRecord clip;
  CSkinRenderer::ClipToRect(canvas, CurrentPaintRect(), clip);
  CSkinRenderer::PaintRotatedImage(canvas, *image_, itemRect_, centre, angle_);
}

void CRingUI::DoEvent(InputEvent& event) {
  if (event.type == kEventTimer && event.wParam == kTimerKey) {
    angle_ = (angle_ > 359 ? 0 : angle_) + kStepDegrees;
    Invalidate();
    return;
  }
  CLabelUI::DoEvent(event);
}

}  // namespace zui
