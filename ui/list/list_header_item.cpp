// A header item's settings, attributes and input: heading clicks and
// separator drags.

#include "ui/list/list_header_item.h"

#include "ui/base/saturate.h"
#include "ui/base/wide_text.h"
#include "ui/controls/attribute_table.h"
#include "ui/controls/control_manager.h"
#include "ui/host/host.h"
#include "ui/list/list_text_style.h"
#include "ui/render/skin_renderer.h"
#include "ui/render/value_format.h"
#include "ui/text/text_engine.h"
#include "ui/text/text_format.h"

namespace zui {
namespace {

using Item = CListHeaderItemUI;

const AttributeEntry<Item> kHeaderItemAttributes[] = {
    {L"dragable", [](Item& c, std::wstring_view v) { c.SetDragable(ParseBoolValue(v)); }},
    {L"sepwidth", [](Item& c, std::wstring_view v) { c.SetSepWidth(ParseIntValue(v)); }},
    {L"align", [](Item& c, std::wstring_view v) { c.SetTextStyle(ApplyAlignWords(c.GetTextStyle(), v)); }},
    {L"endellipsis",
     [](Item& c, std::wstring_view v) { c.SetTextStyle(WithEndEllipsis(c.GetTextStyle(), ParseBoolValue(v))); }},
    {L"font", [](Item& c, std::wstring_view v) { c.SetFont(ParseIntValue(v)); }},
    {L"textcolor", [](Item& c, std::wstring_view v) { c.SetTextColor(CSkinRenderer::ParseColorValue(v)); }},
    {L"textpadding", [](Item& c, std::wstring_view v) { c.SetTextPadding(ParseRectValue(v)); }},
    {L"showhtml", [](Item& c, std::wstring_view v) { c.SetShowHtml(ParseBoolValue(v)); }},
    {L"normalimage", [](Item& c, std::wstring_view v) { c.SetNormalImage(v); }},
    {L"hotimage", [](Item& c, std::wstring_view v) { c.SetHotImage(v); }},
    {L"pushedimage", [](Item& c, std::wstring_view v) { c.SetPushedImage(v); }},
    {L"focusedimage", [](Item& c, std::wstring_view v) { c.SetFocusedImage(v); }},
    {L"sepimage", [](Item& c, std::wstring_view v) { c.SetSepImage(v); }},
    {L"scale", [](Item& c, std::wstring_view v) { c.SetScale(ParseIntValue(v)); }},
};

}  // namespace

CListHeaderItemUI::CListHeaderItemUI() : textStyle_(DT_CENTER | DT_VCENTER | DT_SINGLELINE) { SetMinWidth(16); }

std::wstring_view CListHeaderItemUI::GetClass() const { return L"ListHeaderItemUI"; }

bool CListHeaderItemUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"ListHeaderItem") || CContainerUI::HasInterface(name);
}

uint32_t CListHeaderItemUI::GetControlFlags() const {
  return IsEnabled() && dragable_ ? static_cast<uint32_t>(kControlFlagSetCursor) : 0u;
}

void CListHeaderItemUI::SetEnabled(bool enabled) {
  CContainerUI::SetEnabled(enabled);
  if (!enabled) buttonState_ = 0;
}

// ---- settings ---------------------------------------------------------------

void CListHeaderItemUI::SetDragable(bool on) {
  dragable_ = on;
  if (!on) buttonState_ &= ~kHeaderItemCaptured;
}

int CListHeaderItemUI::GetSepWidth() const { return Scale(sepWidth_); }

void CListHeaderItemUI::SetSepWidth(int width) {
  if (sepWidth_ == width) return;
  sepWidth_ = width;
  Invalidate();
}

void CListHeaderItemUI::SetTextStyle(uint32_t style) {
  if (textStyle_ == style) return;
  textStyle_ = style;
  Invalidate();
}

void CListHeaderItemUI::SetTextColor(uint32_t argb) {
  if (textColor_ == argb) return;
  textColor_ = argb;
  Invalidate();
}

void CListHeaderItemUI::SetFont(int index) {
  if (font_ == index) return;
  font_ = index;
  Invalidate();
}

Rect CListHeaderItemUI::GetTextPadding() const { return Scale(textPadding_); }

void CListHeaderItemUI::SetTextPadding(const Rect& padding) {
  if (textPadding_ == padding) return;
  textPadding_ = padding;
  Invalidate();
}

void CListHeaderItemUI::SetShowHtml(bool on) {
  if (showHtml_ == on) return;
  showHtml_ = on;
  Invalidate();
}

void CListHeaderItemUI::SetScale(int percent) {
  if (scale_ == percent) return;
  scale_ = percent;
  NeedParentUpdate();
}

void CListHeaderItemUI::SetImage(std::wstring& slot, std::wstring_view descriptor) {
  if (slot == descriptor) return;
  slot = descriptor;
  Invalidate();
}

void CListHeaderItemUI::SetNormalImage(std::wstring_view d) { SetImage(normalImage_, d); }
void CListHeaderItemUI::SetHotImage(std::wstring_view d) { SetImage(hotImage_, d); }
void CListHeaderItemUI::SetPushedImage(std::wstring_view d) { SetImage(pushedImage_, d); }
void CListHeaderItemUI::SetFocusedImage(std::wstring_view d) { SetImage(focusedImage_, d); }
void CListHeaderItemUI::SetSepImage(std::wstring_view d) { SetImage(sepImage_, d); }

void CListHeaderItemUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (!ApplyAttributeEntry<Item>(kHeaderItemAttributes, *this, name, value)) CContainerUI::SetAttribute(name, value);
}

// ---- geometry ---------------------------------------------------------------

Rect CListHeaderItemUI::GetSeparatorRect() const {
  const int sep = GetSepWidth();
  const Rect& r = itemRect_;
  if (sep >= 0) return {SaturatedSub(r.right, sep), r.top, r.right, r.bottom};
  return {r.left, r.top, SaturatedSub(r.left, sep), r.bottom};
}

Rect CListHeaderItemUI::GetSeparatorZone() const {
  Rect zone = GetSeparatorRect();
  if (GetSepWidth() >= 0) zone.left = SaturatedSub(zone.left, 4);
  else zone.right = SaturatedAdd(zone.right, 4);
  return zone;
}

Size CListHeaderItemUI::EstimateSize(Size /*available*/) {
  Size size{GetFixedWidth(), GetFixedHeight()};
  if (size.cy != 0 || manager_ == nullptr) return size;
  const ITextFont* font = manager_->GetFont(-1);
  size.cy = SaturatedAdd(font != nullptr ? font->Metrics().height : 0, 14);
  return size;
}

// ---- input ------------------------------------------------------------------

void CListHeaderItemUI::DoEvent(InputEvent& event) {
  if (!IsMouseEnabled() && IsMouseEventKind(event.type)) {
    if (parent_ != nullptr) parent_->DoEvent(event);
    else CContainerUI::DoEvent(event);
    return;
  }
  switch (event.type) {
    case kEventButtonDown:
    case kEventDoubleClick: OnPress(event); return;
    case kEventButtonUp: OnRelease(); return;
    case kEventMouseMove:
      if ((buttonState_ & kHeaderItemCaptured) != 0) OnDrag(event.point);
      return;
    case kEventSetCursor:
      if (IsEnabled() && dragable_ && GetSeparatorZone().Contains(CursorPoint(event))) {
        Host().SetCursor(kCursorSizeWE);
        return;
      }
      break;
    case kEventMouseEnter:
      if (!IsEnabled()) return;
      buttonState_ |= kHeaderItemHot;
      Invalidate();
      return;
    case kEventMouseLeave:
      if (!IsEnabled()) return;
      buttonState_ &= ~kHeaderItemHot;
      Invalidate();
      return;
    default: break;
  }
  CContainerUI::DoEvent(event);
}

// The cursor is asked for before the mouse move that brought it here is
// seen, so the event's point may still be the previous one.
Point CListHeaderItemUI::CursorPoint(const InputEvent& event) const {
  if (manager_ == nullptr) return event.point;
  return Host().ScreenToClient(manager_->GetPaintWindow(), Host().GetCursorPos());
}

void CListHeaderItemUI::OnPress(const InputEvent& event) {
  if (!IsEnabled()) return;
  if (!GetSeparatorZone().Contains(event.point)) {
    buttonState_ |= kHeaderItemPushed;
    SendNotify(L"headerclick");
    Invalidate();
  } else if (dragable_) {
    buttonState_ |= kHeaderItemCaptured;
    lastMouse_ = event.point;
  }
}

void CListHeaderItemUI::OnRelease() {
  if ((buttonState_ & kHeaderItemCaptured) != 0) {
    buttonState_ &= ~kHeaderItemCaptured;
    if (parent_ != nullptr) parent_->NeedParentUpdate();
  } else if ((buttonState_ & kHeaderItemPushed) != 0) {
    buttonState_ &= ~kHeaderItemPushed;
    Invalidate();
  }
}

// The separator follows the mouse; the rows follow when the list is laid
// out again.
void CListHeaderItemUI::OnDrag(Point point) {
  const long long moved = static_cast<long long>(point.x) - lastMouse_.x;
  const long long change = GetSepWidth() >= 0 ? moved : -moved;
  const long long width = static_cast<long long>(GetWidth()) - GetPadding().right + change;
  if (width <= GetMinWidth()) return;
  SetFixedWidth(SaturateToInt(width));
  lastMouse_ = point;
  if (parent_ != nullptr) parent_->NeedParentUpdate();
}

}  // namespace zui
