// The progress bar: value rules, and the foreground drawn over the part of
// the control that the value covers.

#include "ui/controls/progress.h"

#include <algorithm>
#include <climits>
#include <cwchar>

#include "ui/base/wide_text.h"
#include "ui/controls/attribute_table.h"
#include "ui/controls/control_manager.h"
#include "ui/render/skin_renderer.h"
#include "ui/render/value_format.h"

namespace zui {
namespace {

const AttributeEntry<CProgressUI> kProgressAttributes[] = {
    {L"hor", [](CProgressUI& c, std::wstring_view v) { c.SetHorizontal(ParseBoolValue(v)); }},
    {L"min", [](CProgressUI& c, std::wstring_view v) { c.SetMinValue(ParseIntValue(v)); }},
    {L"max", [](CProgressUI& c, std::wstring_view v) { c.SetMaxValue(ParseIntValue(v)); }},
    {L"value", [](CProgressUI& c, std::wstring_view v) { c.SetValue(ParseIntValue(v)); }},
    {L"isstretchfore", [](CProgressUI& c, std::wstring_view v) { c.SetStretchForeImage(ParseBoolValue(v)); }},
};

}  // namespace

CProgressUI::CProgressUI() {
  SetTextStyle(DT_SINGLELINE | DT_CENTER);
  SetFixedHeight(12);
}

std::wstring_view CProgressUI::GetClass() const { return L"ProgressUI"; }

bool CProgressUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"Progress") || CLabelUI::HasInterface(name);
}

void CProgressUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (!ApplyAttributeEntry<CProgressUI>(kProgressAttributes, *this, name, value)) CLabelUI::SetAttribute(name, value);
}

void CProgressUI::SetHorizontal(bool horizontal) {
  if (horizontal_ == horizontal) return;
  horizontal_ = horizontal;
  Invalidate();
}

void CProgressUI::SetMinValue(int min) {
  if (min_ == min) return;
  min_ = min;
  Invalidate();
}

void CProgressUI::SetMaxValue(int max) {
  if (max_ == max) return;
  max_ = max;
  Invalidate();
}

void CProgressUI::SetValue(int value) {
  if (value == value_ || value < min_ || value > max_) return;
  value_ = value;
  Invalidate();
  if (showText_) {
    const double span = static_cast<double>(max_) - min_;
    const double percent = span > 0 ? (static_cast<double>(value_) - min_) * 100.0 / span : 0;
    wchar_t text[32];
    std::swprintf(text, 32, L"%.0f%%", percent);
    SetText(text);
  }
}

void CProgressUI::SetStretchForeImage(bool stretch) {
  if (stretchForeImage_ == stretch) return;
  stretchForeImage_ = stretch;
  Invalidate();
}

void CProgressUI::RepairRange() {
  if (min_ >= max_) {
    // min + 1 would overflow at the top of the range: move min down instead.
    if (min_ == INT_MAX) min_ = INT_MAX - 1;
    max_ = min_ + 1;
  }
  value_ = std::clamp(value_, min_, max_);
}

bool CProgressUI::DoPaint(Canvas& canvas, const Rect& paint, CControlUI* stop) {
  RepairRange();
  return CLabelUI::DoPaint(canvas, paint, stop);
}

void CProgressUI::PaintForeColor(Canvas& canvas) {
  const uint32_t colour = GetForeColor();
  if (colour == 0) return;
  // 64-bit: a skin's range may span the whole int.
  const int64_t span = int64_t{max_} - min_;
  Rect fill = itemRect_;
  if (horizontal_) {
    fill.right = itemRect_.left + static_cast<int>(int64_t{itemRect_.Width()} * (int64_t{value_} - min_) / span);
  } else {
    // The part the value covers, as the vertical foreground image does: from
    // the empty part's end down to the bottom.
    fill.top = itemRect_.top + static_cast<int>(int64_t{itemRect_.Height()} * (int64_t{max_} - value_) / span);
  }
  CSkinRenderer::FillColor(canvas, fill, colour);
}

void CProgressUI::PaintForeImage(Canvas& canvas) {
  const std::wstring& image = GetForeImage();
  if (image.empty()) return;
  const double span = static_cast<double>(max_) - min_;
  const int width = itemRect_.Width(), height = itemRect_.Height();
  Rect dest{0, 0, width, height};
  if (horizontal_) {
    dest.right = static_cast<int>((static_cast<double>(value_) - min_) * width / span);
  } else {
    dest.top = static_cast<int>(height * (static_cast<double>(max_) - value_) / span);
  }
  const int scale = manager_ != nullptr ? manager_->DisplayScale() : 100;
  dest = UnscaleRect(dest, scale);
  wchar_t modifier[160];
  if (stretchForeImage_) {
    std::swprintf(modifier, 160, L"dest='%d,%d,%d,%d'", dest.left, dest.top, dest.right, dest.bottom);
  } else {
    std::swprintf(modifier, 160, L"dest='%d,%d,%d,%d' source='%d,%d,%d,%d'", dest.left, dest.top, dest.right,
                  dest.bottom, dest.left, dest.top, dest.right, dest.bottom);
  }
  foreModifier_ = modifier;
  DrawImage(canvas, image, foreModifier_);
}

}  // namespace zui
