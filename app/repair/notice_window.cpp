#include "app/repair/notice_window.h"

#include "app/repair/skin_language.h"
#include "ui/controls/control.h"
#include "ui/host/host.h"

namespace zapp {
namespace {

constexpr uint32_t kNoticeStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;

}  // namespace

ZUI_BEGIN_NOTIFY_MAP(NoticeWindow, zui::WindowImplBase)
ZUI_ON_NOTIFY(L"click", L"notice_ok", &NoticeWindow::OnDismiss)
ZUI_ON_NOTIFY(L"click", L"close", &NoticeWindow::OnDismiss)
ZUI_END_NOTIFY_MAP()

void NoticeWindow::InitWindow() {
  PutSkinInLanguage(paintManager_.GetRoot());
  if (zui::CControlUI* title = paintManager_.FindControl(L"notice_title")) title->SetText(title_);
  if (zui::CControlUI* text = paintManager_.FindControl(L"notice_text")) text->SetText(text_);
}

bool NoticeWindow::ResponseDefaultKeyEvent(zui::WPARAM_T key) {
  if (key != VK_ESCAPE) return false;
  Close(IDOK);
  return true;
}

zui::LRESULT_T NoticeWindow::OnClose(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam, bool& handled) {
  // The notice is the whole program when it shows.
  zui::Host().PostQuitMessage(0);
  return WindowImplBase::OnClose(message, wParam, lParam, handled);
}

void NoticeWindow::OnDismiss(zui::NotifyRecord&) { Close(IDOK); }

bool ShowNotice(const std::wstring& title, const std::wstring& text) {
  NoticeWindow notice(title, text);
  if (notice.Create(nullptr, title, kNoticeStyle, WS_EX_WINDOWEDGE) == nullptr) return false;
  notice.CenterWindow();
  notice.ShowWindow(true, true);
  zui::CPaintManagerUI::MessageLoop();
  return true;
}

}  // namespace zapp
