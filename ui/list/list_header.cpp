#include "ui/list/list_header.h"

#include <algorithm>

#include "ui/base/saturate.h"
#include "ui/base/wide_text.h"
#include "ui/controls/attribute_table.h"
#include "ui/controls/control_manager.h"
#include "ui/layout/scroll_bar.h"
#include "ui/list/list_header_item.h"
#include "ui/render/value_format.h"
#include "ui/text/text_engine.h"

namespace zui {
namespace {

const AttributeEntry<CListHeaderUI> kHeaderAttributes[] = {
    {L"scaleheader", [](CListHeaderUI& c, std::wstring_view v) { c.SetScaleHeader(ParseBoolValue(v)); }},
};

}  // namespace

std::wstring_view CListHeaderUI::GetClass() const { return L"ListHeaderUI"; }

bool CListHeaderUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"ListHeader") || CHorizontalLayoutUI::HasInterface(name);
}

void CListHeaderUI::SetScaleHeader(bool on) {
  if (scaleHeader_ == on) return;
  scaleHeader_ = on;
  NeedUpdate();
}

void CListHeaderUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (!ApplyAttributeEntry<CListHeaderUI>(kHeaderAttributes, *this, name, value))
    CHorizontalLayoutUI::SetAttribute(name, value);
}

Size CListHeaderUI::EstimateSize(Size available) {
  long long width = 0;
  int tallest = 0;
  for (const ControlPtr& item : items_) {
    const Size size = item->EstimateSize(available);
    width += size.cx;
    tallest = std::max(tallest, size.cy);
  }
  Size result{std::max(SaturateToInt(width), available.cx), GetFixedHeight()};
  if (result.cy != 0) return result;
  const ITextFont* font = manager_ != nullptr ? manager_->GetFont(-1) : nullptr;
  const int minimum = SaturatedAdd(font != nullptr ? font->Metrics().height : 0, 6);
  result.cy = std::max(tallest, minimum);
  return result;
}

int CListHeaderUI::ScaleBase(const Rect& area) const {
  int width = std::max(SaturatedSub(area.right, area.left), 0);
  // The rows beneath lose the vertical scroll bar's width; the columns do too.
  auto* list = dynamic_cast<CContainerUI*>(parent_);
  if (list != nullptr && list->GetVerticalScrollBar() != nullptr)
    width = std::max(SaturatedSub(width, list->GetVerticalScrollBar()->GetFixedWidth()), 0);
  return width;
}

Size CListHeaderUI::LayoutChildren(const Rect& area) {
  if (!scaleHeader_) return CHorizontalLayoutUI::LayoutChildren(area);
  const int base = ScaleBase(area);
  const int height = std::max(SaturatedSub(area.bottom, area.top), 0);
  int x = area.left;
  int placed = 0;
  for (const ControlPtr& item : items_) {
    if (!item->IsVisible() || item->IsFloat()) continue;
    auto* heading = dynamic_cast<CListHeaderItemUI*>(item.get());
    const int width = heading != nullptr ? std::max(ScaleByPercent(base, heading->GetScale()), 0) : 0;
    if (placed++ > 0) x = SaturatedAdd(x, GetChildPadding());
    item->SetPos({x, area.top, SaturatedAdd(x, width), SaturatedAdd(area.top, height)}, false);
    x = SaturatedAdd(x, width);
  }
  return {SaturatedSub(x, area.left), height};
}

}  // namespace zui
