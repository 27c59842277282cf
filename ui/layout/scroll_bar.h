#pragma once
// CScrollBarUI: the scroll range and position of its owner container shown
// as a thumb between two optional arrow buttons. Clicks and drags become
// scroll requests to the owner, which moves its children.

#include <cstdint>
#include <string>

#include "ui/controls/control.h"

namespace zui {

class CContainerUI;

// State bits of the buttons and the thumb.
enum ScrollBarState : uint32_t {
  kScrollStateDisabled = 0x04,
  kScrollStateHot = 0x08,
  kScrollStatePushed = 0x10,
  kScrollStateCaptured = 0x40,
};

class CScrollBarUI : public CControlUI {
 public:
  // The control timer that drives thumb dragging and press repeats.
  static constexpr uint32_t kRepeatTimer = 10;
  static constexpr uint32_t kRepeatPeriodMs = 50;

  CScrollBarUI();
  ~CScrollBarUI() override;

  std::wstring_view GetClass() const override;               // "ScrollBarUI"
  bool HasInterface(std::wstring_view name) const override;  // "ScrollBar"

  CContainerUI* GetOwner() const { return owner_; }
  void SetOwner(CContainerUI* owner) { owner_ = owner; }
  bool IsHorizontal() const { return horizontal_; }
  void SetHorizontal(bool horizontal = true);
  int64_t GetScrollRange() const { return range_; }
  void SetScrollRange(int64_t range);
  int64_t GetScrollPos() const { return position_; }
  void SetScrollPos(int64_t position);
  int GetLineSize() const { return lineSize_; }
  void SetLineSize(int size);
  bool IsShowButton1() const { return showButton1_; }
  void SetShowButton1(bool show);
  bool IsShowButton2() const { return showButton2_; }
  void SetShowButton2(bool show);

  // The rectangles the position operation computed, in client coordinates.
  const Rect& GetButton1Rect() const { return button1_; }
  const Rect& GetButton2Rect() const { return button2_; }
  const Rect& GetThumbRect() const { return thumb_; }
  uint32_t GetButton1State() const { return button1State_; }
  uint32_t GetButton2State() const { return button2State_; }
  uint32_t GetThumbState() const { return thumbState_; }

  // Images, by part and state.
  enum Part { kPartBk, kPartButton1, kPartButton2, kPartThumb, kPartRail, kPartCount };
  enum State { kStateNormal, kStateHot, kStatePushed, kStateDisabled, kStateCount };
  const std::wstring& GetImage(Part part, State state) const { return images_[part][state]; }
  void SetImage(Part part, State state, std::wstring_view descriptor);

  // CControlUI.
  void SetPos(Rect rc, bool needInvalidate = true) override;
  bool IsVisible() const override { return shown_ && IsInternVisible(); }
  void SetVisible(bool visible = true) override;
  void SetEnabled(bool enabled = true) override;
  void SetFocus() override;
  void DoEvent(InputEvent& event) override;
  void SetAttribute(std::wstring_view name, std::wstring_view value) override;
  bool DoPaint(Canvas& canvas, const Rect& paint, CControlUI* stop) override;
  void PaintBk(Canvas& canvas);
  void PaintButton1(Canvas& canvas);
  void PaintButton2(Canvas& canvas);
  void PaintThumb(Canvas& canvas);
  void PaintRail(Canvas& canvas);

 private:
  // The bar's thickness across its length: fixed width (vertical) or
  // fixed height (horizontal), scaled.
  int Thickness() const;
  int Length() const { return horizontal_ ? itemRect_.Width() : itemRect_.Height(); }
  int ShownButtons() const { return (showButton1_ ? 1 : 0) + (showButton2_ ? 1 : 0); }
  void LayoutParts();
  void PassToOwner(InputEvent& event);
  void OnPress(InputEvent& event);
  void OnMove(InputEvent& event);
  void OnTick();
  void OnRelease();
  void StepLine(bool forward);
  void StepPage(bool forward);
  void ApplyDrag();
  void RepeatRailPage();
  bool PaintPart(Canvas& canvas, Part part, uint32_t state, const Rect& rect);

  CContainerUI* owner_ = nullptr;
  bool horizontal_ = false;
  // Our own visibility flag: the base's setter would ask for a layout.
  bool shown_ = true;
  int64_t range_ = 0;
  int64_t position_ = 0;
  int lineSize_ = 8;
  bool showButton1_ = true;
  bool showButton2_ = true;
  Rect button1_;
  Rect button2_;
  Rect thumb_;
  uint32_t button1State_ = 0;
  uint32_t button2State_ = 0;
  uint32_t thumbState_ = 0;
  Point dragStart_;
  int64_t dragStartPos_ = 0;
  int64_t dragOffset_ = 0;
  int repeatTicks_ = 0;
  // The last press was on the rail (page steps repeat toward the cursor).
  bool railPressed_ = false;
  std::wstring images_[kPartCount][kStateCount];
};

// A bar that exists and is shown: only such a bar takes room and scrolls.
inline bool IsBarShown(const CScrollBarUI* bar) { return bar != nullptr && bar->IsVisible(); }

}  // namespace zui
