#pragma once
// CProgressUI (<Progress>): a label whose foreground colour or image covers
// the part of the control that corresponds to its value.

#include <string>

#include "ui/controls/label.h"

namespace zui {

class CProgressUI : public CLabelUI {
 public:
  CProgressUI();

  std::wstring_view GetClass() const override;  // "ProgressUI"
  bool HasInterface(std::wstring_view name) const override;

  bool IsHorizontal() const { return horizontal_; }
  void SetHorizontal(bool horizontal);
  int GetMinValue() const { return min_; }
  void SetMinValue(int min);
  int GetMaxValue() const { return max_; }
  void SetMaxValue(int max);
  int GetValue() const { return value_; }
  // Only a value inside [min, max] that differs from the current one is taken.
  void SetValue(int value);
  bool IsStretchForeImage() const { return stretchForeImage_; }
  void SetStretchForeImage(bool stretch);
  void SetShowText(bool show) { showText_ = show; }
  // The modifier the foreground image was last drawn with.
  const std::wstring& GetForeModifier() const { return foreModifier_; }

  void SetAttribute(std::wstring_view name, std::wstring_view value) override;
  bool DoPaint(Canvas& canvas, const Rect& paint, CControlUI* stop) override;
  void PaintForeColor(Canvas& canvas) override;
  void PaintForeImage(Canvas& canvas) override;

 private:
  // min < max and min <= value <= max, whatever the skin said.
  void RepairRange();

  bool horizontal_ = true;
  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
  bool stretchForeImage_ = true;
  bool showText_ = false;
  std::wstring foreModifier_;
};

}  // namespace zui
