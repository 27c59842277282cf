#pragma once
// The skin viewer's window: any skin, live, with every notification printed
// on standard output as "TYPE SENDER" (the sender's skin name, "-" when it
// has none), one a line, for whoever designs or tests a skin.

#include <cstdio>
#include <string>

#include "ui/window/window_impl_base.h"

namespace skinview {

class ViewerWindow : public zui::WindowImplBase {
 public:
  ViewerWindow(std::wstring skinFile, std::FILE* out, bool closeAfterFirstFrame)
      : skinFile_(std::move(skinFile)), out_(out), closeAfterFirstFrame_(closeAfterFirstFrame) {}

  std::wstring_view GetWindowClassName() const override { return L"ZavizSkinView"; }
  std::wstring GetSkinFile() override { return skinFile_; }
  void Notify(zui::NotifyRecord& msg) override;

 protected:
  zui::LRESULT_T HandleCustomMessage(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam,
                                     bool& handled) override;
  void OnFinalMessage(zui::WindowHandle window) override;

 private:
  static constexpr uint32_t kMsgFirstFrameShown = WM_APP + 0x60;

  std::wstring skinFile_;
  std::FILE* out_;
  bool closeAfterFirstFrame_;
};

}  // namespace skinview
