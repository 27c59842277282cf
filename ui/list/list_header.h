#pragma once
// CListHeaderUI: the row of column headings above a list's body, laid out
// left to right; with scale-header each heading takes its percentage of
// the header's width.

#include "ui/layout/horizontal_layout.h"

namespace zui {

class CListHeaderUI : public CHorizontalLayoutUI {
 public:
  std::wstring_view GetClass() const override;               // "ListHeaderUI"
  bool HasInterface(std::wstring_view name) const override;  // "ListHeader", then the layout's

  bool IsScaleHeader() const { return scaleHeader_; }
  void SetScaleHeader(bool on);

  // Width: the headings' widths together, at least the available width.
  // Height: the fixed height, else the tallest heading but at least the
  // default font's height plus 6.
  Size EstimateSize(Size available) override;
  void SetAttribute(std::wstring_view name, std::wstring_view value) override;

 protected:
  Size LayoutChildren(const Rect& area) override;

 private:
  // The width the scale percentages apply to.
  int ScaleBase(const Rect& area) const;

  bool scaleHeader_ = false;
};

// While it lives, the items of a hidden header count as visible, so they
// can be laid out and give the columns their rectangles.
class ScopedHeaderItemsShown {
 public:
  explicit ScopedHeaderItemsShown(CListHeaderUI& header) : header_(header), hidden_(!header.IsVisible()) {
    if (hidden_) SetAll(true);
  }
  ~ScopedHeaderItemsShown() {
    if (hidden_) SetAll(false);
  }
  ScopedHeaderItemsShown(const ScopedHeaderItemsShown&) = delete;
  ScopedHeaderItemsShown& operator=(const ScopedHeaderItemsShown&) = delete;
  bool hidden() const { return hidden_; }

 private:
  void SetAll(bool visible) {
    for (int i = 0; i < header_.GetCount(); ++i) header_.GetItemAt(i)->SetInternVisible(visible);
  }
  CListHeaderUI& header_;
  bool hidden_;
};

}  // namespace zui
