#pragma once
// CListRowUI<Base>: the row side that every row class of a list shares,
// whatever control it is built on: its index and owner, its selected flag
// kept in step with the owner's selection, its hot state, and the input a
// row reacts to the same way in every class (a press selects, the mouse
// coming in makes it hot).

#include <cstdint>
#include <string_view>

#include "ui/base/messages.h"
#include "ui/controls/attribute_table.h"
#include "ui/controls/control.h"
#include "ui/list/list_interfaces.h"
#include "ui/list/list_item_background.h"

namespace zui {

// Row button-state bits.
inline constexpr uint32_t kRowStateHot = 0x08;

template <class Base>
class CListRowUI : public Base, public IListItemUI {
 public:
  // IListItemUI.
  int GetIndex() const override { return index_; }
  void SetIndex(int index) override { index_ = index; }
  IListOwnerUI* GetOwner() const override { return owner_; }
  void SetOwner(CControlUI* control) override { owner_ = dynamic_cast<IListOwnerUI*>(control); }
  bool IsSelected() const override { return selected_; }

  // The list does the selecting, so its selection and the rows' flags
  // change together: on selects this row alone, off leaves none selected.
  bool SetSelected(bool on = true) override {
    if (!this->IsEnabled()) return false;
    if (owner_ == nullptr) return MarkSelected(on);
    if (on) return owner_->SelectRow(index_);
    owner_->UnselectAllRows();
    return MarkSelected(false);
  }

  // Turning the flag off always succeeds: a disabled row must not keep a
  // selection its list has already forgotten.
  bool MarkSelected(bool on = true) override {
    if (on && !this->IsEnabled()) return false;
    if (selected_ == on) return true;
    selected_ = on;
    this->Invalidate();
    return true;
  }

  bool IsExpanded() const override { return false; }
  bool SetExpanded(bool /*expand*/ = true) override { return false; }

  // "mouseenter", "mouseleave" (and "buttondown" on text rows) are sent
  // only while this is on.
  bool IsHoverNotify() const { return hoverNotify_; }
  void SetHoverNotify(bool on) { hoverNotify_ = on; }
  bool IsHot() const { return (buttonState_ & kRowStateHot) != 0; }

  // CControlUI.
  bool Activate() override {
    if (!Base::Activate()) return false;
    this->SendNotify(L"itemactivate");
    return true;
  }

  void SetVisible(bool visible = true) override {
    Base::SetVisible(visible);
    if (visible || !selected_) return;
    selected_ = false;
    if (owner_ != nullptr) owner_->SelectRow(-1);
  }

  void SetEnabled(bool enabled = true) override {
    Base::SetEnabled(enabled);
    if (!enabled) buttonState_ = 0;
  }

  // "selected" selects the row whatever its value.
  void SetAttribute(std::wstring_view name, std::wstring_view value) override {
    static const AttributeEntry<CListRowUI> kRowAttributes[] = {
        {L"selected", [](CListRowUI& row, std::wstring_view) { row.SetSelected(true); }},
    };
    if (!ApplyAttributeEntry<CListRowUI>(kRowAttributes, *this, name, value)) Base::SetAttribute(name, value);
  }

 protected:
  // The row's own background image is part of the item background.
  void PaintBkImage(Canvas& /*canvas*/) override {}

  void PaintItemBackground(Canvas& canvas) {
    const ListItemInfo* info = owner_ != nullptr ? owner_->GetItemInfo() : nullptr;
    if (info == nullptr) return;
    PaintListItemBackground(canvas, *this, *info, {index_, IsHot(), selected_, this->IsEnabled()},
                            this->CurrentPaintRect());
  }

  bool RightButtonSelects() const {
    const ListItemInfo* info = owner_ != nullptr ? owner_->GetItemInfo() : nullptr;
    return info != nullptr && info->rightButtonSelects;
  }

  // A press on an enabled row. With Ctrl the row joins or leaves the
  // selection, with Shift (multi-select lists) it extends it; a plain press
  // selects it, or with `toggles` flips it.
  void HandleRowPress(const InputEvent& event, bool toggles) {
    if (!this->IsEnabled()) return;
    const bool ctrl = (event.keyState & kKeyStateControl) != 0;
    const bool shift = (event.keyState & kKeyStateShift) != 0;
    auto* list = dynamic_cast<IListUI*>(owner_);
    if (ctrl) {
      if (owner_ == nullptr) MarkSelected(!selected_);
      else if (selected_) owner_->UnselectRow(index_);
      else owner_->AddToSelection(index_, true);
    } else if (shift && list != nullptr && list->IsMultiSelection()) {
      owner_->AddToSelection(index_, true);
    } else {
      SetSelected(toggles ? !selected_ : true);
    }
  }

  // Mouse enter and leave; false for any other event.
  bool HandleRowHover(const InputEvent& event) {
    if (event.type == kEventMouseEnter) {
      if (!this->IsEnabled()) return true;
      buttonState_ |= kRowStateHot;
      this->Invalidate();
      if (hoverNotify_) this->SendNotify(L"mouseenter");
      return true;
    }
    if (event.type == kEventMouseLeave) {
      if (!IsHot()) return true;
      buttonState_ &= ~kRowStateHot;
      this->Invalidate();
      if (hoverNotify_) this->SendNotify(L"mouseleave");
      return true;
    }
    return false;
  }

  // Rows hand what they do not take to their list, not to their parent
  // (the body): that is how the wheel over a row scrolls the list.
  void PassToOwner(InputEvent& event) {
    if (owner_ != nullptr) owner_->HandleItemEvent(event);
    else Base::DoEvent(event);
  }

  int index_ = -1;
  bool selected_ = false;
  uint32_t buttonState_ = 0;
  IListOwnerUI* owner_ = nullptr;
  bool hoverNotify_ = false;
};

}  // namespace zui
