// The system headers first, so the host seam can take their macro names back.
#include "win32_test_support.h"
#include "win32_skin_window.h"

#include "ui/host/host.h"
#include "ui/window/skin_builder.h"

namespace ztest {
namespace {

constexpr const wchar_t* kClassName = L"ZavizWin32SkinTest";

zui::LRESULT_T SkinWindowProc(zui::WindowHandle window, uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam) {
  auto* manager = static_cast<zui::CPaintManagerUI*>(zui::Host().GetUserData(window));
  zui::LRESULT_T result = 0;
  if (manager != nullptr && manager->MessageHandler(message, wParam, lParam, result)) return result;
  return zui::Host().DefaultProc(window, message, wParam, lParam);
}

}  // namespace

Win32SkinWindow::Win32SkinWindow(const zui::Rect& screen) {
  host_.RegisterWindowClass({kClassName, CS_DBLCLKS, &SkinWindowProc});
  zui::HostWindowDesc desc;
  desc.className = kClassName;
  desc.title = L"skin";
  desc.style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  desc.rect = screen;
  window_ = host_.CreateHostWindow(desc, nullptr);
  manager_ = std::make_unique<zui::CPaintManagerUI>();
  manager_->Init(window_, L"win32-skin-test");
  host_.SetUserData(window_, manager_.get());
}

Win32SkinWindow::~Win32SkinWindow() {
  if (window_ != nullptr) {
    host_.SetUserData(window_, nullptr);
    host_.DestroyHostWindow(window_);
  }
  manager_.reset();
}

bool Win32SkinWindow::Load(const std::wstring& xml) {
  zui::CControlUI* root = zui::CSkinBuilder().Create(xml, {}, nullptr, manager_.get());
  return root != nullptr && manager_->AttachDialog(root);
}

bool Win32SkinWindow::PumpUntil(const std::function<bool()>& done, uint32_t timeoutMs) {
  return ztest::PumpUntil(host_, done, timeoutMs, &zui::CPaintManagerUI::TranslateMessage);
}

zui::Bitmap Win32SkinWindow::ShowAndGrab() {
  host_.ShowHostWindow(window_, SW_SHOWNORMAL);
  // Painting and the notifications it queues settle within a few rounds.
  PumpUntil([] { return false; }, 250);
  return GrabScreen(host_.GetWindowRect(window_));
}

}  // namespace ztest
