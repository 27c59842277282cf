// The window settings a skin's Window element gives, and the resource
// tables as the builder and the drawing routines see them.

#include "ui/window/paint_manager.h"

#include "ui/host/host.h"
#include "ui/text/text_engine.h"

namespace zui {

void CPaintManagerUI::SetInitSize(Size size) {
  initSize_ = size;
  // Only before a tree is attached: afterwards the user owns the size.
  if (window_ != nullptr && root_ == nullptr) {
    const Rect r = Host().GetWindowRect(window_);
    Host().MoveHostWindow(window_, {r.left, r.top, r.left + size.cx, r.top + size.cy}, true);
  }
}

void CPaintManagerUI::SetOpacity(uint8_t alpha) {
  opacity_ = alpha;
  if (window_ != nullptr) Host().SetOpacity(window_, alpha);
}

void CPaintManagerUI::SetLayeredImage(std::wstring_view descriptor) {
  layeredImage_ = descriptor;
  if (window_ != nullptr) Invalidate();
}

namespace {
int& DefaultScaleSetting() {
  static int percent = 100;
  return percent;
}
}  // namespace

void CPaintManagerUI::SetDefaultDisplayScale(int percent) { DefaultScaleSetting() = percent > 0 ? percent : 100; }

int CPaintManagerUI::DefaultDisplayScale() { return DefaultScaleSetting(); }

void CPaintManagerUI::SetDisplayScale(int percent) {
  const int before = scalePercent_;
  scalePercent_ = percent > 0 ? percent : 100;
  resources_->SetScalePercent(scalePercent_);
  // Parsed descriptors carry scaled rectangles.
  descriptorCache_.Clear();
  if (root_ != nullptr) {
    if (before != scalePercent_) RescaleWindowGeometry(before);
    updateNeeded_ = true;
    Invalidate();
  }
}

// The skin gave the window's own geometry at the scale it was built with.
void CPaintManagerUI::RescaleWindowGeometry(int before) {
  const auto scaled = [this, before](int value) {
    return static_cast<int>((static_cast<long long>(value) * scalePercent_ + before / 2) / before);
  };
  const auto size = [&scaled](Size s) { return Size{scaled(s.cx), scaled(s.cy)}; };
  const auto rect = [&scaled](Rect r) {
    return Rect{scaled(r.left), scaled(r.top), scaled(r.right), scaled(r.bottom)};
  };
  initSize_ = size(initSize_);
  minInfo_ = size(minInfo_);
  maxInfo_ = size(maxInfo_);
  roundCorner_ = size(roundCorner_);
  sizeBox_ = rect(sizeBox_);
  caption_ = rect(caption_);
}

SkinImage* CPaintManagerUI::AddImage(std::wstring_view name, std::wstring_view resType, uint32_t mask,
                                     bool adjustColour, bool shared, NativeModule module) {
  return resources_->AddImage(name, resType, mask, adjustColour, shared, module);
}

SkinFont* CPaintManagerUI::AddFont(int id, std::wstring_view face, int size, bool bold, bool underline, bool italic,
                                   bool shared) {
  return resources_->AddFont(id, face, size, bold, underline, italic, shared);
}

SkinFont* CPaintManagerUI::SetDefaultFont(std::wstring_view face, int size, bool bold, bool underline, bool italic,
                                          bool shared) {
  return resources_->SetDefaultFont(face, size, bold, underline, italic, shared);
}

void CPaintManagerUI::AddDefaultAttributeList(std::wstring_view element, std::wstring_view list, bool shared) {
  resources_->AddDefaultAttributeList(element, list, shared);
}

const std::wstring* CPaintManagerUI::GetDefaultAttributeList(std::wstring_view element) {
  return resources_->GetDefaultAttributeList(element);
}

bool CPaintManagerUI::AddStyle(std::wstring_view name, std::wstring_view list, bool shared) {
  return resources_->AddStyle(name, list, shared);
}

const std::wstring* CPaintManagerUI::GetStyle(std::wstring_view name) { return resources_->GetStyle(name); }

bool CPaintManagerUI::AddFontFile(std::wstring_view name) {
  // The text engines take fonts from the system only; a skin's private font
  // file cannot be registered with them, so the request is refused.
  return false;
}

const SkinImage* CPaintManagerUI::GetOrLoadImage(std::wstring_view name, std::wstring_view resType, uint32_t mask) {
  return resources_->GetOrLoadImage(name, resType, mask);
}

const ITextFont* CPaintManagerUI::GetFont(int index) {
  SkinFont* font = resources_->GetFont(index);
  return font != nullptr ? font->handle.get() : nullptr;
}

ITextEngine* CPaintManagerUI::TextEngine() { return &PlatformTextEngine(); }

}  // namespace zui
