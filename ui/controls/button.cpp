// The button: its attributes, its state machine over mouse and keyboard
// events, and activation ("click", then the bound page).

#include "ui/controls/button.h"

#include "ui/base/wide_text.h"
#include "ui/controls/attribute_table.h"
#include "ui/controls/control_manager.h"
#include "ui/controls/page_selector.h"
#include "ui/render/skin_renderer.h"
#include "ui/render/value_format.h"

namespace zui {
namespace {

uint32_t Colour(std::wstring_view v) { return CSkinRenderer::ParseColorValue(v); }

const AttributeEntry<CButtonUI> kButtonAttributes[] = {
    {L"normalimage", [](CButtonUI& c, std::wstring_view v) { c.SetNormalImage(v); }},
    {L"hotimage", [](CButtonUI& c, std::wstring_view v) { c.SetHotImage(v); }},
    {L"pushedimage", [](CButtonUI& c, std::wstring_view v) { c.SetPushedImage(v); }},
    {L"focusedimage", [](CButtonUI& c, std::wstring_view v) { c.SetFocusedImage(v); }},
    {L"disabledimage", [](CButtonUI& c, std::wstring_view v) { c.SetDisabledImage(v); }},
    {L"hotforeimage", [](CButtonUI& c, std::wstring_view v) { c.SetHotForeImage(v); }},
    {L"pushedforeimage", [](CButtonUI& c, std::wstring_view v) { c.SetPushedForeImage(v); }},
    {L"stateimage", [](CButtonUI& c, std::wstring_view v) { c.SetStateImage(v); }},
    {L"statecount", [](CButtonUI& c, std::wstring_view v) { c.SetStateCount(ParseIntValue(v)); }},
    {L"bindtabindex", [](CButtonUI& c, std::wstring_view v) { c.BindTabIndex(ParseIntValue(v)); }},
    {L"bindtablayoutname", [](CButtonUI& c, std::wstring_view v) { c.BindTabLayoutName(v); }},
    {L"hotbkcolor", [](CButtonUI& c, std::wstring_view v) { c.SetHotBkColor(Colour(v)); }},
    {L"pushedbkcolor", [](CButtonUI& c, std::wstring_view v) { c.SetPushedBkColor(Colour(v)); }},
    {L"disabledbkcolor", [](CButtonUI& c, std::wstring_view v) { c.SetDisabledBkColor(Colour(v)); }},
    {L"hottextcolor", [](CButtonUI& c, std::wstring_view v) { c.SetHotTextColor(Colour(v)); }},
    {L"pushedtextcolor", [](CButtonUI& c, std::wstring_view v) { c.SetPushedTextColor(Colour(v)); }},
    {L"focusedtextcolor", [](CButtonUI& c, std::wstring_view v) { c.SetFocusedTextColor(Colour(v)); }},
    {L"hotfont", [](CButtonUI& c, std::wstring_view v) { c.SetHotFont(ParseIntValue(v)); }},
    {L"pushedfont", [](CButtonUI& c, std::wstring_view v) { c.SetPushedFont(ParseIntValue(v)); }},
    // Skins spell it so.
    {L"focuedfont", [](CButtonUI& c, std::wstring_view v) { c.SetFocusedFont(ParseIntValue(v)); }},
};

// Setters that only repaint when the value changes.
template <typename T>
void Change(CControlUI& c, T& field, const T& value) {
  if (field == value) return;
  field = value;
  c.Invalidate();
}

}  // namespace

CButtonUI::CButtonUI() { SetTextStyle(DT_SINGLELINE | DT_VCENTER | DT_CENTER); }

std::wstring_view CButtonUI::GetClass() const { return L"ButtonUI"; }

bool CButtonUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"Button") || CLabelUI::HasInterface(name);
}

uint32_t CButtonUI::GetControlFlags() const {
  return kControlFlagTabStop | (IsEnabled() ? uint32_t{kControlFlagSetCursor} : 0u);
}

void CButtonUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (!ApplyAttributeEntry<CButtonUI>(kButtonAttributes, *this, name, value)) CLabelUI::SetAttribute(name, value);
}

void CButtonUI::SetNormalImage(std::wstring_view d) { Change(*this, normalImage_, std::wstring(d)); }
void CButtonUI::SetHotImage(std::wstring_view d) { Change(*this, hotImage_, std::wstring(d)); }
void CButtonUI::SetPushedImage(std::wstring_view d) { Change(*this, pushedImage_, std::wstring(d)); }
void CButtonUI::SetFocusedImage(std::wstring_view d) { Change(*this, focusedImage_, std::wstring(d)); }
void CButtonUI::SetDisabledImage(std::wstring_view d) { Change(*this, disabledImage_, std::wstring(d)); }
void CButtonUI::SetHotForeImage(std::wstring_view d) { Change(*this, hotForeImage_, std::wstring(d)); }
void CButtonUI::SetPushedForeImage(std::wstring_view d) { Change(*this, pushedForeImage_, std::wstring(d)); }
void CButtonUI::SetStateImage(std::wstring_view d) { Change(*this, stateImage_, std::wstring(d)); }
void CButtonUI::SetStateCount(int count) { Change(*this, stateCount_, count); }
void CButtonUI::SetHotBkColor(uint32_t argb) { Change(*this, hotBkColor_, argb); }
void CButtonUI::SetPushedBkColor(uint32_t argb) { Change(*this, pushedBkColor_, argb); }
void CButtonUI::SetDisabledBkColor(uint32_t argb) { Change(*this, disabledBkColor_, argb); }
void CButtonUI::SetHotTextColor(uint32_t argb) { Change(*this, hotTextColor_, argb); }
void CButtonUI::SetPushedTextColor(uint32_t argb) { Change(*this, pushedTextColor_, argb); }
void CButtonUI::SetFocusedTextColor(uint32_t argb) { Change(*this, focusedTextColor_, argb); }
void CButtonUI::SetHotFont(int index) { Change(*this, hotFont_, index); }
void CButtonUI::SetPushedFont(int index) { Change(*this, pushedFont_, index); }
void CButtonUI::SetFocusedFont(int index) { Change(*this, focusedFont_, index); }

void CButtonUI::SetEnabled(bool enabled) {
  CLabelUI::SetEnabled(enabled);
  // Hot and pushed do not survive a change of enabled state.
  const uint32_t state = enabled ? 0u : uint32_t{kButtonDisabled};
  if (state_ == state) return;
  state_ = state;
  Invalidate();
}

bool CButtonUI::Activate() {
  if (!CLabelUI::Activate()) return false;
  // A listener may destroy this button: take what is needed afterwards now.
  IControlManagerUI* manager = manager_;
  const int page = bindTabIndex_;
  const std::wstring selectorName = bindTabLayoutName_;
  SendNotify(L"click");
  if (manager != nullptr && page >= 0) {
    if (auto* selector = dynamic_cast<IPageSelectorUI*>(manager->FindControl(selectorName))) selector->SelectItem(page);
  }
  return true;
}

void CButtonUI::DoEvent(InputEvent& event) {
  if (!IsMouseEnabled() && IsMouseEventKind(event.type)) {
    if (parent_ != nullptr) parent_->DoEvent(event);
    else CLabelUI::DoEvent(event);
    return;
  }
  switch (event.type) {
    case kEventSetFocus:
    case kEventKillFocus:
      CLabelUI::DoEvent(event);  // keeps the focused flag
      Invalidate();
      return;
    case kEventKeyDown:
      if (IsKeyboardEnabled() && (event.key == VK_SPACE || event.key == VK_RETURN)) {
        Activate();
        return;
      }
      break;
    case kEventButtonDown:
    case kEventDoubleClick:
      if (itemRect_.Contains(event.point) && IsEnabled()) {
        state_ |= kButtonPushed | kButtonCaptured;
        Invalidate();
        if (IsRichEvent()) SendNotify(L"buttondown");
        return;
      }
      break;
    case kEventMouseMove:
      if (state_ & kButtonCaptured) {
        if (itemRect_.Contains(event.point)) state_ |= kButtonPushed;
        else state_ &= ~kButtonPushed;
        Invalidate();
        return;
      }
      break;
    case kEventButtonUp:
      if (state_ & kButtonCaptured) {
        state_ &= ~(kButtonPushed | kButtonCaptured);
        Invalidate();
        // Last: a click handler may destroy the button.
        if (itemRect_.Contains(event.point)) Activate();
        return;
      }
      break;
    case kEventMouseEnter:
    case kEventMouseLeave:
      if (IsEnabled()) {
        const bool enter = event.type == kEventMouseEnter;
        if (enter) state_ |= kButtonHot;
        else state_ &= ~kButtonHot;
        Invalidate();
        if (IsRichEvent()) SendNotify(enter ? L"mouseenter" : L"mouseleave");
        return;
      }
      break;
    default: break;
  }
  CLabelUI::DoEvent(event);
}

}  // namespace zui
