// The control base: identity, tree links, state flags, sizing hints,
// positioning with invalidation, layout requests, events and finding.

#include "ui/controls/control.h"

#include "ui/base/saturate.h"
#include "ui/base/wide_text.h"
#include "ui/controls/control_manager.h"
#include "ui/host/host.h"

namespace zui {

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
  // References read null before anyone is told, so a destroy listener that
  // moves the focus or sends a notification cannot land on this control.
  life_.reset();
  OnDestroy.Notify(*this);
  RemoveAllCustomAttributes();
  // The manager may still hold our timers and our entry in its name table.
  if (manager_ != nullptr) manager_->ReapObjects(this);
}

void CControlUI::SetName(std::wstring_view name) { name_ = name; }

std::weak_ptr<const void> CControlUI::Life() const {
  if (life_ == nullptr) life_ = std::make_shared<char>();
  return life_;
}

std::wstring_view CControlUI::GetClass() const { return L"ControlUI"; }

bool CControlUI::HasInterface(std::wstring_view name) const { return EqualsIgnoreAsciiCase(name, L"Control"); }

uint32_t CControlUI::GetControlFlags() const { return 0; }

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

void CControlUI::SetManager(IControlManagerUI* manager, CControlUI* parent, bool init) {
  manager_ = manager;
  parent_ = parent;
  if (init && parent_ != nullptr) Init();
}

void CControlUI::Init() {
  DoInit();
  OnInit.Notify(*this);
}

// ---- text -----------------------------------------------------------------

std::wstring CControlUI::GetText() const { return text_; }

void CControlUI::SetText(std::wstring_view text) {
  static constexpr std::wstring_view kLineBreak = L"{\\n}";
  std::wstring value;
  value.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (text.substr(i, kLineBreak.size()) == kLineBreak) {
      value += L'\n';
      i += kLineBreak.size();
    } else {
      value += text[i++];
    }
  }
  if (value == text_) return;
  text_ = std::move(value);
  Invalidate();
}

void CControlUI::SetResourceText(bool on) {
  if (resourceText_ == on) return;
  resourceText_ = on;
  Invalidate();
}

void CControlUI::SetToolTip(std::wstring_view text) { tooltip_ = text; }

int CControlUI::GetToolTipWidth() const { return Scale(tooltipWidth_); }

// ---- scaling --------------------------------------------------------------

int CControlUI::Scale(int value) const {
  if (manager_ == nullptr) return value;
  return ScaleByPercent(value, manager_->DisplayScale());
}

Rect CControlUI::Scale(const Rect& r) const { return {Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)}; }

// ---- position and size ----------------------------------------------------

Rect CControlUI::GetRelativePos() const {
  if (parent_ == nullptr) return itemRect_;
  const Rect& p = parent_->GetPos();
  return itemRect_.Offset(-p.left, -p.top);
}

void CControlUI::SetPos(Rect rc, bool needInvalidate) {
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  Rect old = itemRect_;
  if (old.IsEmpty()) old = rc;
  itemRect_ = rc;
  if (manager_ == nullptr) return;

  if (!tellingSize_) {
    tellingSize_ = true;
    OnSize.Notify(*this);
    tellingSize_ = false;
  }
  updateNeeded_ = false;

  if (needInvalidate && IsVisible()) {
    const Rect dirty = ClipToAncestors(old.Union(itemRect_));
    if (!dirty.IsEmpty()) manager_->Invalidate(dirty);
  }
}

void CControlUI::Move(Size offset, bool /*needInvalidate*/) {
  fixedXY_.x = SaturatedAdd(fixedXY_.x, offset.cx);
  fixedXY_.y = SaturatedAdd(fixedXY_.y, offset.cy);
  NeedParentUpdate();
}

Rect CControlUI::GetPadding() const { return Scale(padding_); }

void CControlUI::SetPadding(const Rect& padding) {
  if (padding_ == padding) return;
  padding_ = padding;
  NeedParentUpdate();
}

Point CControlUI::GetFixedXY() const { return {Scale(fixedXY_.x), Scale(fixedXY_.y)}; }

void CControlUI::SetFixedXY(Point xy) {
  if (fixedXY_ == xy) return;
  fixedXY_ = xy;
  NeedParentUpdate();
}

int CControlUI::GetFixedWidth() const { return Scale(fixedSize_.cx); }

void CControlUI::SetFixedWidth(int width) {
  if (width < 0 || fixedSize_.cx == width) return;
  fixedSize_.cx = width;
  NeedParentUpdate();
}

int CControlUI::GetFixedHeight() const { return Scale(fixedSize_.cy); }

void CControlUI::SetFixedHeight(int height) {
  if (height < 0 || fixedSize_.cy == height) return;
  fixedSize_.cy = height;
  NeedParentUpdate();
}

int CControlUI::GetMinWidth() const { return Scale(minSize_.cx); }

void CControlUI::SetMinWidth(int width) {
  if (width < 0 || minSize_.cx == width) return;
  minSize_.cx = width;
  NeedParentUpdate();
}

int CControlUI::GetMaxWidth() const { return Scale(maxSize_.cx); }

void CControlUI::SetMaxWidth(int width) {
  if (width < 0 || maxSize_.cx == width) return;
  maxSize_.cx = width;
  NeedParentUpdate();
}

int CControlUI::GetMinHeight() const { return Scale(minSize_.cy); }

void CControlUI::SetMinHeight(int height) {
  if (height < 0 || minSize_.cy == height) return;
  minSize_.cy = height;
  NeedParentUpdate();
}

int CControlUI::GetMaxHeight() const { return Scale(maxSize_.cy); }

void CControlUI::SetMaxHeight(int height) {
  if (height < 0 || maxSize_.cy == height) return;
  maxSize_.cy = height;
  NeedParentUpdate();
}

void CControlUI::SetFloatPercent(FloatPercent percent) {
  if (percent.left == floatPercent_.left && percent.top == floatPercent_.top && percent.right == floatPercent_.right &&
      percent.bottom == floatPercent_.bottom)
    return;
  floatPercent_ = percent;
  NeedParentUpdate();
}

void CControlUI::SetFloatAlign(uint32_t align) {
  if (floatAlign_ == align) return;
  floatAlign_ = align;
  NeedParentUpdate();
}

void CControlUI::SetFloat(bool isFloat) {
  if (float_ == isFloat) return;
  float_ = isFloat;
  NeedParentUpdate();
}

Size CControlUI::EstimateSize(Size /*available*/) { return {GetFixedWidth(), GetFixedHeight()}; }

// ---- state ----------------------------------------------------------------

void CControlUI::SetVisible(bool visible) {
  if (visible_ == visible) return;
  const bool wasVisible = IsVisible();
  visible_ = visible;
  if (!visible_ && manager_ != nullptr && manager_->GetFocus() == this) manager_->SetFocus(nullptr);
  if (IsVisible() != wasVisible) NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible) {
  internVisible_ = visible;
  if (!visible && manager_ != nullptr && manager_->GetFocus() == this) manager_->SetFocus(nullptr);
}

void CControlUI::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Invalidate();
}

void CControlUI::SetFocus() {
  if (manager_ != nullptr) manager_->SetFocus(this);
}

// ---- invalidation and layout ----------------------------------------------

Rect CControlUI::ClipToAncestors(Rect rect) const {
  for (const CControlUI* p = parent_; p != nullptr; p = p->GetParent()) {
    if (!p->IsVisible()) return {};
    rect = rect.Intersect(p->GetPos());
    if (rect.IsEmpty()) return {};
  }
  return rect;
}

void CControlUI::Invalidate() {
  if (!IsVisible() || manager_ == nullptr) return;
  const Rect dirty = ClipToAncestors(itemRect_);
  if (!dirty.IsEmpty()) manager_->Invalidate(dirty);
}

void CControlUI::NeedUpdate() {
  if (!IsVisible()) return;
  updateNeeded_ = true;
  Invalidate();
  if (manager_ != nullptr) manager_->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
  if (parent_ != nullptr) {
    parent_->NeedUpdate();
    parent_->Invalidate();
  } else {
    NeedUpdate();
  }
  if (manager_ != nullptr) manager_->NeedUpdate();
}

std::wstring CControlUI::GetVirtualWnd() const {
  if (!virtualWnd_.empty()) return virtualWnd_;
  if (parent_ != nullptr) return parent_->GetVirtualWnd();
  return {};
}

// ---- events ---------------------------------------------------------------

void CControlUI::Event(InputEvent& event) {
  if (OnEvent.Notify(event)) DoEvent(event);
}

void CControlUI::DoEvent(InputEvent& event) {
  switch (event.type) {
    case kEventSetCursor: Host().SetCursor(cursor_ != 0 ? cursor_ : kCursorArrow); return;
    case kEventSetFocus:
      focused_ = true;
      Invalidate();
      return;
    case kEventKillFocus:
      focused_ = false;
      Invalidate();
      return;
    case kEventTimer: SendNotify(L"timer", event.wParam, event.lParam); return;
    case kEventContextMenu:
      if (IsContextMenuUsed()) {
        SendNotify(L"menu", event.wParam, event.lParam);
        return;
      }
      break;
    default: break;
  }
  if (parent_ != nullptr) parent_->DoEvent(event);
}

void CControlUI::SendNotify(std::wstring_view type, WPARAM_T wParam, LPARAM_T lParam, bool async) {
  if (manager_ != nullptr) manager_->SendNotify(this, type, wParam, lParam, async);
}

// ---- finding --------------------------------------------------------------

CControlUI* CControlUI::FindControl(const ControlVisitor& visit, uint32_t flags, Point point) {
  if ((flags & kFindVisible) != 0 && !IsVisible()) return nullptr;
  if ((flags & kFindEnabled) != 0 && !IsEnabled()) return nullptr;
  if ((flags & kFindHitTest) != 0 && (!IsMouseEnabled() || !itemRect_.Contains(point))) return nullptr;
  return visit(this);
}

}  // namespace zui
