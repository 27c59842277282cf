#include "app/zaviz_skinview/viewer_window.h"

#include "sys/text_encoding.h"
#include "ui/controls/control.h"
#include "ui/host/host.h"

namespace skinview {

void ViewerWindow::Notify(zui::NotifyRecord& msg) {
  // Timers tick many times a second under an animation: they would drown
  // everything worth seeing.
  if (msg.type != L"timer" && out_ != nullptr) {
    std::wstring name = msg.sender != nullptr ? msg.sender->GetName() : std::wstring();
    std::fprintf(out_, "%s %s\n", zsys::WideToUtf8(msg.type).c_str(),
                 name.empty() ? "-" : zsys::WideToUtf8(name).c_str());
    std::fflush(out_);
  }
  // "windowinit" comes while the first frame is painted; the posted message
  // is taken once that frame has been presented.
  if (closeAfterFirstFrame_ && msg.type == L"windowinit") PostMessage(kMsgFirstFrameShown);
  WindowImplBase::Notify(msg);
}

zui::LRESULT_T ViewerWindow::HandleCustomMessage(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam,
                                                 bool& handled) {
  if (message == kMsgFirstFrameShown) {
    Close(0);
    return 0;
  }
  return WindowImplBase::HandleCustomMessage(message, wParam, lParam, handled);
}

void ViewerWindow::OnFinalMessage(zui::WindowHandle window) {
  WindowImplBase::OnFinalMessage(window);
  zui::Host().PostQuitMessage(0);
}

}  // namespace skinview
