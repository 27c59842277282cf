#pragma once
// CScrollBarUI: the scroll range and position of its owner container shown
// as a thumb between two optional arrow buttons. Clicks and drags become
// scroll requests to the owner, which moves its children.

#include <cstdint>
#include <string>

#include "ui/controls/control.h"

namespace zui {

class CContainerUI;

class CScrollBarUI : public CControlUI {
 public:
  CScrollBarUI();
  ~CScrollBarUI() override;

  std::wstring_view GetClass() const override;                // "ScrollBarUI"
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

  // The rectangles the position operation computed, in client coordinates.
  const Rect& GetButton1Rect() const { return button1_; }
  const Rect& GetButton2Rect() const { return button2_; }
  const Rect& GetThumbRect() const { return thumb_; }

 private:
  CContainerUI* owner_ = nullptr;
  bool horizontal_ = false;
  int64_t range_ = 0;
  int64_t position_ = 0;
  int lineSize_ = 8;
  Rect button1_;
  Rect button2_;
  Rect thumb_;
};

}  // namespace zui
