#include "ui/list/list_text_style.h"

#include "ui/base/saturate.h"
#include "ui/controls/control_manager.h"
#include "ui/render/skin_renderer.h"
#include "ui/text/text_format.h"

namespace zui {
namespace {

bool Has(std::wstring_view value, std::wstring_view word) { return value.find(word) != std::wstring_view::npos; }

}  // namespace

unsigned ApplyAlignWords(unsigned style, std::wstring_view value) {
  if (Has(value, L"left")) style &= ~(DT_CENTER | DT_RIGHT);
  if (Has(value, L"center")) style = (style | DT_CENTER) & ~DT_RIGHT;
  if (Has(value, L"right")) style = (style | DT_RIGHT) & ~DT_CENTER;
  return style;
}

unsigned ApplyVAlignWords(unsigned style, std::wstring_view value) {
  if (Has(value, L"top")) style &= ~(DT_VCENTER | DT_BOTTOM);
  if (Has(value, L"vcenter")) style = (style | DT_VCENTER | DT_SINGLELINE) & ~(DT_BOTTOM | DT_WORDBREAK);
  if (Has(value, L"bottom")) style = (style | DT_BOTTOM) & ~DT_VCENTER;
  return style;
}

unsigned WithEndEllipsis(unsigned style, bool on) { return on ? style | DT_END_ELLIPSIS : style & ~DT_END_ELLIPSIS; }

Rect ShrinkByPadding(const Rect& rect, const Rect& padding) {
  return {SaturatedAdd(rect.left, padding.left), SaturatedAdd(rect.top, padding.top),
          SaturatedSub(rect.right, padding.right), SaturatedSub(rect.bottom, padding.bottom)};
}

void PaintListText(Canvas& canvas, IControlManagerUI* manager, Rect rect, std::wstring_view text, uint32_t argb,
                   int font, unsigned style, bool formatted) {
  if (text.empty() || manager == nullptr) return;
  if (!formatted) {
    CSkinRenderer::PaintText(&canvas, manager, rect, text, argb, font, style);
    return;
  }
  FormattedTextColors colors;
  colors.text = argb;
  colors.link = manager->GetDefaultColors().link;
  colors.linkHover = manager->GetDefaultColors().linkHover;
  CSkinRenderer::PaintFormattedText(&canvas, manager, rect, text, colors, font, style);
}

}  // namespace zui
