// The text control: wrapped text whose formatted links react to the mouse.

#include "ui/controls/text.h"

#include "ui/base/saturate.h"
#include "ui/base/wide_text.h"
#include "ui/controls/control_manager.h"
#include "ui/host/host.h"

namespace zui {
CTextUI::CTextUI() {
  SetTextStyle(DT_WORDBREAK);
  SetTextPadding({2, 0, 2, 0});
}

std::wstring_view CTextUI::GetClass() const { return L"TextUI"; }

bool CTextUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"Text") || CLabelUI::HasInterface(name);
}

uint32_t CTextUI::GetControlFlags() const {
  return IsEnabled() && links_.count > 0 ? uint32_t{kControlFlagSetCursor} : 0u;
}

const std::wstring* CTextUI::GetLinkContent(int index) const {
  if (index < 0 || index >= links_.count) return nullptr;
  return &links_.targets[index];
}

Size CTextUI::EstimateSize(Size available) {
  if (IsAutoCalcWidth() && manager_ != nullptr) {
    const Rect pad = GetTextPadding();
    const int within = SaturatedSub(9999, pad.right);
    const Rect measured = MeasureText({0, 0, within, 9999}, GetTextStyle());
    // Stored unscaled, as a skin number would be.
    const int scale = manager_->DisplayScale();
    const int width = SaturateToInt(int64_t{measured.Width()} + pad.left + pad.right);
    SetFixedWidth(scale > 0 && scale != 100 ? SaturateToInt(int64_t{width} * 100 / scale) : width);
  }
  return CControlUI::EstimateSize(available);
}

void CTextUI::DoEvent(InputEvent& event) {
  if (!IsMouseEnabled() && IsMouseEventKind(event.type)) {
    if (parent_ != nullptr) parent_->DoEvent(event);
    else CLabelUI::DoEvent(event);
    return;
  }
  int link = links_.HitTest(event.point);
  switch (event.type) {
    case kEventSetCursor:
      // The cursor is asked for before the move that brings the mouse here
      // is seen, so the event's point may be the previous one.
      if (manager_ != nullptr)
        link = links_.HitTest(Host().ScreenToClient(manager_->GetPaintWindow(), Host().GetCursorPos()));
      if (link >= 0) {
        Host().SetCursor(kCursorHand);
        return;
      }
      break;
    case kEventButtonDown:
    case kEventDoubleClick:
      if (link >= 0 && IsEnabled()) {
        Invalidate();
        return;
      }
      break;
    case kEventButtonUp:
      if (link >= 0 && IsEnabled()) {
        SendNotify(L"link", static_cast<WPARAM_T>(link));
        return;
      }
      break;
    case kEventMouseMove:
      if (link != links_.hot) {
        links_.hot = link;
        Invalidate();
      }
      if (link >= 0) return;
      break;
    case kEventMouseLeave:
      if (links_.hot >= 0) {
        links_.hot = -1;
        Invalidate();
      }
      break;
    case kEventContextMenu: return;
    default: break;
  }
  CLabelUI::DoEvent(event);
}

void CTextUI::PaintText(Canvas& canvas) {
  if (GetText().empty()) {
    links_.count = 0;
    return;
  }
  TakeDefaultColors();
  unsigned style = GetTextStyle();
  if (style & DT_END_ELLIPSIS) style |= DT_EDITCONTROL;
  const uint32_t colour = IsEnabled() ? GetTextColor() : GetDisabledTextColor();
  DrawLabelText(canvas, Shrink(itemRect_, RawTextPadding()), colour, GetFont(), style, &links_);
}

}  // namespace zui
