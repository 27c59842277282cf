#include "ui/list/list_text_style.h"
#include "ui/list/list_label_element.h"

#include "ui/base/saturate.h"
#include "ui/base/wide_text.h"
#include "ui/controls/control_manager.h"
#include "ui/render/skin_renderer.h"
#include "ui/text/text_engine.h"

namespace zui {

std::wstring_view CListLabelElementUI::GetClass() const { return L"ListLabelElementUI"; }

bool CListLabelElementUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"ListLabelElement") || CListElementUI::HasInterface(name);
}

Size CListLabelElementUI::EstimateSize(Size available) {
  Size size = CListElementUI::EstimateSize(available);
  if (size.cy != 0 || manager_ == nullptr || owner_ == nullptr) return size;
  const ListItemInfo* info = owner_->GetItemInfo();
  if (info == nullptr) return size;
  const ITextFont* font = manager_->GetFont(info->font);
  const int fontHeight = font != nullptr ? font->Metrics().height : 0;
  size.cy = SaturatedAdd(SaturatedAdd(fontHeight, 8), SaturatedAdd(info->textPadding.top, info->textPadding.bottom));
  return size;
}

void CListLabelElementUI::DoEvent(InputEvent& event) {
  if (!IsMouseEnabled() && IsMouseEventKind(event.type)) {
    PassToOwner(event);
    return;
  }
  switch (event.type) {
    case kEventRButtonDown:
      if (!RightButtonSelects()) break;
      [[fallthrough]];
    case kEventButtonDown:
      if (!IsEnabled()) return;
      HandleRowPress(event, false);
      if (hoverNotify_) SendNotify(L"buttondown");
      return;
    case kEventButtonUp:
      // A press dragged off the row and released elsewhere is no click.
      if (IsEnabled() && itemRect_.Contains(event.point)) SendNotify(L"itemclick");
      return;
    case kEventMouseMove: return;
    default:
      if (HandleRowHover(event)) return;
      break;
  }
  CListElementUI::DoEvent(event);
}

bool CListLabelElementUI::DoPaint(Canvas& canvas, const Rect& paint, CControlUI* stop) {
  PaintItemBackground(canvas);
  return CListElementUI::DoPaint(canvas, paint, stop);
}

void CListLabelElementUI::PaintText(Canvas& canvas) { PaintItemText(canvas, itemRect_); }

uint32_t CListLabelElementUI::ItemTextColor(const ListItemInfo& info) const {
  if (!IsEnabled()) return info.disabledTextColor;
  if (selected_) return info.selectedTextColor;
  if (IsHot()) return info.hotTextColor;
  return info.textColor;
}

void CListLabelElementUI::PaintItemText(Canvas& canvas, const Rect& rect) {
  const std::wstring text = GetText();
  if (text.empty() || owner_ == nullptr) return;
  const ListItemInfo* info = owner_->GetItemInfo();
  if (info == nullptr) return;
  PaintListText(canvas, manager_, ShrinkByPadding(rect, info->textPadding), text, ItemTextColor(*info), info->font,
                info->textStyle, info->showHtml);
}

}  // namespace zui
