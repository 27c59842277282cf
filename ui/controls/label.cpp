// The label: its text style words, its size estimate with a cache, and the
// text painting every label-derived control starts from.

#include "ui/controls/label.h"

#include "ui/base/saturate.h"
#include "ui/base/wide_text.h"
#include "ui/controls/attribute_table.h"
#include "ui/controls/control_manager.h"
#include "ui/render/skin_renderer.h"
#include "ui/render/value_format.h"
#include "ui/text/text_engine.h"

namespace zui {
namespace {

bool Has(std::wstring_view words, std::wstring_view word) { return words.find(word) != std::wstring_view::npos; }

// `left`, `center`, `right`, tested in that order.
unsigned ApplyAlign(unsigned style, std::wstring_view v) {
  if (Has(v, L"left")) style &= ~(DT_CENTER | DT_RIGHT);
  if (Has(v, L"center")) style = (style & ~DT_RIGHT) | DT_CENTER;
  if (Has(v, L"right")) style = (style & ~DT_CENTER) | DT_RIGHT;
  return style;
}

// `top`, `vcenter`, `bottom`, tested in that order; each makes one line.
unsigned ApplyVAlign(unsigned style, std::wstring_view v) {
  if (Has(v, L"top")) style = (style & ~(DT_VCENTER | DT_BOTTOM | DT_WORDBREAK)) | DT_SINGLELINE;
  if (Has(v, L"vcenter")) style = (style & ~(DT_BOTTOM | DT_WORDBREAK)) | DT_VCENTER | DT_SINGLELINE;
  if (Has(v, L"bottom")) style = (style & ~(DT_VCENTER | DT_WORDBREAK | DT_SINGLELINE)) | DT_BOTTOM | DT_SINGLELINE;
  return style;
}

unsigned SetBits(unsigned style, unsigned bits, bool on) { return on ? style | bits : style & ~bits; }

const AttributeEntry<CLabelUI> kLabelAttributes[] = {
    {L"align", [](CLabelUI& c, std::wstring_view v) { c.SetTextStyle(ApplyAlign(c.GetTextStyle(), v)); }},
    {L"valign", [](CLabelUI& c, std::wstring_view v) { c.SetTextStyle(ApplyVAlign(c.GetTextStyle(), v)); }},
    {L"endellipsis",
     [](CLabelUI& c, std::wstring_view v) {
       c.SetTextStyle(SetBits(c.GetTextStyle(), DT_END_ELLIPSIS, ParseBoolValue(v)));
     }},
    {L"wordbreak",
     [](CLabelUI& c, std::wstring_view v) {
       const bool on = ParseBoolValue(v);
       unsigned style = SetBits(c.GetTextStyle(), DT_WORDBREAK | DT_EDITCONTROL, on);
       c.SetTextStyle(SetBits(style, DT_SINGLELINE, !on));
     }},
    {L"noprefix",
     [](CLabelUI& c, std::wstring_view v) {
       c.SetTextStyle(SetBits(c.GetTextStyle(), DT_NOPREFIX, ParseBoolValue(v)));
     }},
    {L"font", [](CLabelUI& c, std::wstring_view v) { c.SetFont(ParseIntValue(v)); }},
    {L"textcolor", [](CLabelUI& c, std::wstring_view v) { c.SetTextColor(CSkinRenderer::ParseColorValue(v)); }},
    {L"disabledtextcolor",
     [](CLabelUI& c, std::wstring_view v) { c.SetDisabledTextColor(CSkinRenderer::ParseColorValue(v)); }},
    {L"textpadding", [](CLabelUI& c, std::wstring_view v) { c.SetTextPadding(ParseRectValue(v)); }},
    {L"showhtml", [](CLabelUI& c, std::wstring_view v) { c.SetShowHtml(ParseBoolValue(v)); }},
    {L"autocalcwidth", [](CLabelUI& c, std::wstring_view v) { c.SetAutoCalcWidth(ParseBoolValue(v)); }},
    {L"autocalcheight", [](CLabelUI& c, std::wstring_view v) { c.SetAutoCalcHeight(ParseBoolValue(v)); }},
};

}  // namespace

CLabelUI::CLabelUI() = default;

std::wstring_view CLabelUI::GetClass() const { return L"LabelUI"; }

bool CLabelUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"Label") || CControlUI::HasInterface(name);
}

void CLabelUI::SetText(std::wstring_view text) {
  const std::wstring before = GetText();
  CControlUI::SetText(text);
  if (GetText() == before) return;
  ForgetEstimate();
  if (autoCalcWidth_ || autoCalcHeight_) NeedParentUpdate();
}

void CLabelUI::SetTextStyle(unsigned style) {
  if (textStyle_ == style) return;
  textStyle_ = style;
  Invalidate();
}

void CLabelUI::SetTextColor(uint32_t argb) {
  if (textColor_ == argb) return;
  textColor_ = argb;
  Invalidate();
}

void CLabelUI::SetDisabledTextColor(uint32_t argb) {
  if (disabledTextColor_ == argb) return;
  disabledTextColor_ = argb;
  Invalidate();
}

void CLabelUI::SetFont(int index) {
  if (font_ == index) return;
  font_ = index;
  ForgetEstimate();
  Invalidate();
}

Rect CLabelUI::GetTextPadding() const { return Scale(textPadding_); }

void CLabelUI::SetTextPadding(const Rect& padding) {
  if (textPadding_ == padding) return;
  textPadding_ = padding;
  ForgetEstimate();
  NeedParentUpdate();
}

void CLabelUI::SetShowHtml(bool on) {
  if (showHtml_ == on) return;
  showHtml_ = on;
  ForgetEstimate();
  Invalidate();
}

void CLabelUI::SetAutoCalcWidth(bool on) {
  if (autoCalcWidth_ == on) return;
  autoCalcWidth_ = on;
  ForgetEstimate();
  NeedParentUpdate();
}

void CLabelUI::SetAutoCalcHeight(bool on) {
  if (autoCalcHeight_ == on) return;
  autoCalcHeight_ = on;
  ForgetEstimate();
  NeedParentUpdate();
}

void CLabelUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (!ApplyAttributeEntry<CLabelUI>(kLabelAttributes, *this, name, value)) CControlUI::SetAttribute(name, value);
}

// ---- size -----------------------------------------------------------------

Rect CLabelUI::MeasureText(Rect rect, unsigned style) {
  const std::wstring text = GetText();
  if (text.empty() || manager_ == nullptr) return {rect.left, rect.top, rect.left, rect.top};
  if (showHtml_) {
    CSkinRenderer::PaintFormattedText(nullptr, manager_, rect, text, {}, font_, style | DT_CALCRECT);
  } else {
    CSkinRenderer::PaintText(nullptr, manager_, rect, text, 0xFF000000, font_, style | DT_CALCRECT);
  }
  return rect;
}

Size CLabelUI::EstimateSize(Size available) {
  const Size fixed = GetFixedSize();
  if (fixed.cx > 0 && fixed.cy > 0) return fixed;
  // The fixed size and the style shape the result too, so they key the
  // cache along with the available size.
  if (!estimateDirty_ && available == lastAvailable_ && fixed == lastFixed_ && textStyle_ == lastStyle_)
    return lastEstimate_;

  Size result = fixed;
  const Rect pad = GetTextPadding();
  if (textStyle_ & DT_SINGLELINE) {
    if (result.cy == 0 && manager_ != nullptr) {
      const ITextFont* font = manager_->GetFont(font_);
      const int charHeight = font != nullptr ? font->Metrics().height : 0;
      result.cy = SaturateToInt(int64_t{pad.top} + charHeight + pad.bottom + 8);
    }
    if (result.cx == 0 && autoCalcWidth_) {
      const Rect measured = MeasureText({0, 0, 9999, 9999}, textStyle_ | DT_SINGLELINE);
      result.cx = SaturateToInt(int64_t{measured.Width()} + pad.left + pad.right);
    }
  } else if (result.cy == 0 && autoCalcHeight_) {
    // Without a fixed width the text wraps within what the layout offers.
    const int width = fixed.cx > 0 ? fixed.cx : available.cx;
    const Rect measured = MeasureText({pad.left, 0, SaturatedSub(width, pad.right), 9999}, textStyle_);
    result.cy = SaturateToInt(int64_t{measured.Height()} + pad.top + pad.bottom);
  }

  estimateDirty_ = false;
  lastAvailable_ = available;
  lastFixed_ = fixed;
  lastStyle_ = textStyle_;
  lastEstimate_ = result;
  return result;
}

// ---- painting -------------------------------------------------------------

Rect CLabelUI::Shrink(const Rect& item, const Rect& padding) {
  return {SaturatedAdd(item.left, padding.left), SaturatedAdd(item.top, padding.top),
          SaturatedSub(item.right, padding.right), SaturatedSub(item.bottom, padding.bottom)};
}

void CLabelUI::TakeDefaultColors() {
  if (manager_ == nullptr) return;
  const DefaultColors& defaults = manager_->GetDefaultColors();
  if (textColor_ == 0) textColor_ = defaults.text;
  if (disabledTextColor_ == 0) disabledTextColor_ = defaults.disabledText;
}

void CLabelUI::DrawLabelText(Canvas& canvas, Rect rect, uint32_t argb, int font, unsigned style, TextLinks* links) {
  if (links != nullptr) links->count = 0;
  const std::wstring text = GetText();
  if (text.empty()) return;
  if (showHtml_) {
    FormattedTextColors colors;
    colors.text = argb;
    if (manager_ != nullptr) {
      colors.link = manager_->GetDefaultColors().link;
      colors.linkHover = manager_->GetDefaultColors().linkHover;
    }
    CSkinRenderer::PaintFormattedText(&canvas, manager_, rect, text, colors, font, style, links);
    return;
  }
  CSkinRenderer::PaintText(&canvas, manager_, rect, text, argb, font, style);
}

void CLabelUI::PaintText(Canvas& canvas) {
  TakeDefaultColors();
  DrawLabelText(canvas, Shrink(itemRect_, GetTextPadding()), IsEnabled() ? textColor_ : disabledTextColor_, font_,
                textStyle_);
}

}  // namespace zui
