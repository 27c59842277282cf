#pragma once
// CLabelUI (<Label>): one line of text over the control-base background. The
// text style is a set of DT_* bits; colours left at 0 are taken from the
// window's defaults at the first paint and then kept.

#include <cstdint>

#include "ui/controls/control.h"
#include "ui/text/text_format.h"

namespace zui {

struct TextLinks;

class CLabelUI : public CControlUI {
 public:
  CLabelUI();

  std::wstring_view GetClass() const override;  // "LabelUI"
  bool HasInterface(std::wstring_view name) const override;

  void SetText(std::wstring_view text) override;

  unsigned GetTextStyle() const { return textStyle_; }
  void SetTextStyle(unsigned style);
  uint32_t GetTextColor() const { return textColor_; }
  void SetTextColor(uint32_t argb);
  uint32_t GetDisabledTextColor() const { return disabledTextColor_; }
  void SetDisabledTextColor(uint32_t argb);
  int GetFont() const { return font_; }
  void SetFont(int index);
  Rect GetTextPadding() const;  // scaled
  void SetTextPadding(const Rect& padding);
  bool IsShowHtml() const { return showHtml_; }
  void SetShowHtml(bool on);
  bool IsAutoCalcWidth() const { return autoCalcWidth_; }
  void SetAutoCalcWidth(bool on);
  bool IsAutoCalcHeight() const { return autoCalcHeight_; }
  void SetAutoCalcHeight(bool on);

  Size EstimateSize(Size available) override;
  void SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void PaintText(Canvas& canvas) override;

 protected:
  // The stored (unscaled) text padding.
  const Rect& RawTextPadding() const { return textPadding_; }
  // `item` shrunk by `padding`, saturating (paddings are skin numbers).
  static Rect Shrink(const Rect& item, const Rect& padding);
  // Takes the window's default colours for those still 0.
  void TakeDefaultColors();
  // Measures `text` laid out in `rect` with `style` (DT_CALCRECT added).
  Rect MeasureText(Rect rect, unsigned style);
  // Draws the text into `rect`, as formatted text when show-HTML is on;
  // `links` (optional) receives the link boxes drawn (none for plain text).
  void DrawLabelText(Canvas& canvas, Rect rect, uint32_t argb, int font, unsigned style, TextLinks* links = nullptr);
  // Something the estimate depends on has changed.
  void ForgetEstimate() { estimateDirty_ = true; }

 private:
  unsigned textStyle_ = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
  uint32_t textColor_ = 0;
  uint32_t disabledTextColor_ = 0;
  int font_ = -1;
  Rect textPadding_;
  bool showHtml_ = false;
  bool autoCalcWidth_ = false;
  bool autoCalcHeight_ = false;

  // The last estimate and what it was made for.
  bool estimateDirty_ = true;
  Size lastAvailable_;
  Size lastFixed_;
  unsigned lastStyle_ = 0;
  Size lastEstimate_;
};

}  // namespace zui
