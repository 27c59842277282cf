#pragma once
// CButtonUI (<Button>): a label with state images, state colours and fonts,
// and the "click" notification. A button bound to a page selector by name
// selects its page when clicked.

#include <cstdint>
#include <string>

#include "ui/controls/label.h"

namespace zui {

enum ButtonState : uint32_t {
  kButtonFocused = 0x01,
  kButtonDisabled = 0x04,
  kButtonHot = 0x08,
  kButtonPushed = 0x10,
  kButtonCaptured = 0x40,
};

class CButtonUI : public CLabelUI {
 public:
  CButtonUI();

  std::wstring_view GetClass() const override;  // "ButtonUI"
  bool HasInterface(std::wstring_view name) const override;
  uint32_t GetControlFlags() const override;
  bool Activate() override;
  void SetEnabled(bool enabled = true) override;

  uint32_t GetButtonState() const { return state_; }

  // Images (descriptors).
  const std::wstring& GetNormalImage() const { return normalImage_; }
  void SetNormalImage(std::wstring_view descriptor);
  const std::wstring& GetHotImage() const { return hotImage_; }
  void SetHotImage(std::wstring_view descriptor);
  const std::wstring& GetPushedImage() const { return pushedImage_; }
  void SetPushedImage(std::wstring_view descriptor);
  const std::wstring& GetFocusedImage() const { return focusedImage_; }
  void SetFocusedImage(std::wstring_view descriptor);
  const std::wstring& GetDisabledImage() const { return disabledImage_; }
  void SetDisabledImage(std::wstring_view descriptor);
  void SetHotForeImage(std::wstring_view descriptor);
  void SetPushedForeImage(std::wstring_view descriptor);
  // One image holding the states side by side in `count` equal columns.
  void SetStateImage(std::wstring_view descriptor);
  void SetStateCount(int count);

  // State colours (0 = unset) and fonts (-1 = unset).
  void SetHotBkColor(uint32_t argb);
  void SetPushedBkColor(uint32_t argb);
  void SetDisabledBkColor(uint32_t argb);
  void SetHotTextColor(uint32_t argb);
  void SetPushedTextColor(uint32_t argb);
  void SetFocusedTextColor(uint32_t argb);
  void SetHotFont(int index);
  void SetPushedFont(int index);
  void SetFocusedFont(int index);

  // The page selector (by name) and the page a click selects there.
  void BindTabIndex(int index) { bindTabIndex_ = index; }
  void BindTabLayoutName(std::wstring_view name) { bindTabLayoutName_ = name; }
  int GetBindTabIndex() const { return bindTabIndex_; }
  const std::wstring& GetBindTabLayoutName() const { return bindTabLayoutName_; }

  void SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void DoEvent(InputEvent& event) override;

  void PaintBkColor(Canvas& canvas) override;
  void PaintStatusImage(Canvas& canvas) override;
  void PaintForeImage(Canvas& canvas) override;
  void PaintText(Canvas& canvas) override;

 private:
  // Focused from the focus, disabled from enabled; a disabled window
  // leaves only the disabled bit.
  void RefreshState();
  // Cuts the state image into the normal, hot, pushed and disabled images.
  void SplitStateImage();
  bool DrawIfSet(Canvas& canvas, const std::wstring& descriptor);

  uint32_t state_ = 0;
  std::wstring normalImage_, hotImage_, hotForeImage_, pushedImage_, pushedForeImage_, focusedImage_, disabledImage_,
      stateImage_;
  int stateCount_ = 0;
  uint32_t hotBkColor_ = 0, pushedBkColor_ = 0, disabledBkColor_ = 0;
  uint32_t hotTextColor_ = 0, pushedTextColor_ = 0, focusedTextColor_ = 0;
  int hotFont_ = -1, pushedFont_ = -1, focusedFont_ = -1;
  int bindTabIndex_ = -1;
  std::wstring bindTabLayoutName_;
};

}  // namespace zui
