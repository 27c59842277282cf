#pragma once
// CListHeaderItemUI: one column heading of a list. It shows a state image,
// a separator image and its text; a press outside its separator zone sends
// "headerclick", a drag on the separator zone changes the column's width.

#include <cstdint>
#include <string>

#include "ui/layout/container.h"

namespace zui {

// Header item button-state bits (the focused state is the control's own).
enum HeaderItemState : uint32_t {
  kHeaderItemHot = 0x08,
  kHeaderItemPushed = 0x10,
  kHeaderItemCaptured = 0x40,
};

class CListHeaderItemUI : public CContainerUI {
 public:
  CListHeaderItemUI();

  std::wstring_view GetClass() const override;               // "ListHeaderItemUI"
  bool HasInterface(std::wstring_view name) const override;  // "ListHeaderItem", then the container's
  uint32_t GetControlFlags() const override;
  void SetEnabled(bool enabled = true) override;

  bool IsDragable() const { return dragable_; }
  void SetDragable(bool on);
  // Negative: the separator sits at the left edge.
  int GetSepWidth() const;  // scaled
  void SetSepWidth(int width);
  uint32_t GetTextStyle() const { return textStyle_; }
  void SetTextStyle(uint32_t style);
  uint32_t GetTextColor() const { return textColor_; }
  void SetTextColor(uint32_t argb);
  int GetFont() const { return font_; }
  void SetFont(int index);
  Rect GetTextPadding() const;  // scaled
  void SetTextPadding(const Rect& padding);
  bool IsShowHtml() const { return showHtml_; }
  void SetShowHtml(bool on);
  // Percent of the header's width under scale-header.
  int GetScale() const { return scale_; }
  void SetScale(int percent);
  void SetNormalImage(std::wstring_view descriptor);
  void SetHotImage(std::wstring_view descriptor);
  void SetPushedImage(std::wstring_view descriptor);
  void SetFocusedImage(std::wstring_view descriptor);
  void SetSepImage(std::wstring_view descriptor);
  uint32_t GetButtonState() const { return buttonState_; }

  // The separator strip, and the zone a press drags it from (4 pixels
  // wider towards the inside).
  Rect GetSeparatorRect() const;
  Rect GetSeparatorZone() const;

  Size EstimateSize(Size available) override;
  void SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void DoEvent(InputEvent& event) override;
  void PaintStatusImage(Canvas& canvas) override;
  void PaintText(Canvas& canvas) override;

 private:
  Point CursorPoint(const InputEvent& event) const;
  void OnPress(const InputEvent& event);
  void OnRelease();
  void OnDrag(Point point);
  void SetImage(std::wstring& slot, std::wstring_view descriptor);

  bool dragable_ = true;
  int sepWidth_ = 4;
  uint32_t textColor_ = 0;
  int font_ = -1;
  uint32_t textStyle_;
  bool showHtml_ = false;
  Rect textPadding_{2, 0, 2, 0};
  int scale_ = 0;
  std::wstring normalImage_;
  std::wstring hotImage_;
  std::wstring pushedImage_;
  std::wstring focusedImage_;
  std::wstring sepImage_;
  uint32_t buttonState_ = 0;
  Point lastMouse_;
};

}  // namespace zui
