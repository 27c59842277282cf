#pragma once
// NoticeWindow: a small skinned window with a title, a line of text and an
// OK button, for notices the system's own message box cannot show legibly
// (its fonts may lack the Chinese glyphs). Enter, Escape, OK and the close
// button all dismiss it.

#include <string>

#include "ui/window/window_impl_base.h"

namespace zapp {

class NoticeWindow : public zui::WindowImplBase {
 public:
  NoticeWindow(std::wstring title, std::wstring text) : title_(std::move(title)), text_(std::move(text)) {}

  std::wstring_view GetWindowClassName() const override { return L"ZavizNotice"; }
  std::wstring GetSkinFile() override { return L"notice.xml"; }
  void InitWindow() override;
  bool ResponseDefaultKeyEvent(zui::WPARAM_T key) override;
  zui::LRESULT_T OnClose(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam, bool& handled) override;

  ZUI_DECLARE_NOTIFY_MAP();

 public:
  void OnDismiss(zui::NotifyRecord& msg);

 private:
  std::wstring title_, text_;
};

// Shows the notice centred on the screen and returns once it is dismissed.
// False when the window could not be made.
bool ShowNotice(const std::wstring& title, const std::wstring& text);

}  // namespace zapp
