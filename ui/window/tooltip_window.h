#pragma once
// CTooltipWindow: the toolkit's own tooltip, a small popup of one label with
// the tooltip colours, drawn like any skinned window by a paint manager of
// its own. It never takes activation or the mouse: it is owned by the
// window whose control it describes, sits below the cursor, and lets the
// mouse through to whatever lies beneath.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/base/geometry.h"
#include "ui/window/paint_manager.h"
#include "ui/window/window_wnd.h"

namespace zui {

class CLabelUI;

class CTooltipWindow : public CWindowWnd {
 public:
  static constexpr const wchar_t* kClassName = L"ZuiTooltipWnd";
  static constexpr uint32_t kBackground = 0xFFFFFFE1;
  static constexpr uint32_t kBorder = 0xFF767676;
  static constexpr uint32_t kTextColor = 0xFF000000;
  static constexpr int kBorderSize = 1;
  static constexpr int kPadding = 4;
  // How far below the cursor's hot spot the tooltip starts: clear of the
  // arrow cursor.
  static constexpr int kCursorClearance = 20;

  CTooltipWindow() = default;
  ~CTooltipWindow() override;

  // Shows `text` below `cursor` (screen coordinates), wrapped at `maxWidth`
  // pixels of tooltip width (no limit but the work area when it leaves no
  // room for text); the popup is made on first use, owned by `owner`.
  bool Show(WindowHandle owner, std::wstring_view text, int maxWidth, Point cursor);
  void Hide();
  bool IsShown() const;
  const std::wstring& GetText() const { return text_; }

  // The tooltip's outer size for `text`, wrapped within `maxWidth`.
  Size Measure(std::wstring_view text, int maxWidth, const Rect& work);

 protected:
  std::wstring_view GetWindowClassName() const override { return kClassName; }
  LRESULT_T HandleMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam) override;

 private:
  void BuildLabel();

  CPaintManagerUI manager_;
  CLabelUI* label_ = nullptr;  // the root, owned by the manager
  std::wstring text_;
};

}  // namespace zui
