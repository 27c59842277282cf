#include "tests/support/skin_test_window.h"

namespace ztest {
namespace {

constexpr const wchar_t* kClassName = L"ZavizSkinTestWindow";

zui::LRESULT_T TestWindowProc(zui::WindowHandle window, uint32_t message, zui::WPARAM_T wParam,
                              zui::LPARAM_T lParam) {
  auto* manager = static_cast<zui::CPaintManagerUI*>(zui::Host().GetUserData(window));
  zui::LRESULT_T result = 0;
  if (manager != nullptr && manager->MessageHandler(message, wParam, lParam, result)) return result;
  return zui::Host().DefaultProc(window, message, wParam, lParam);
}

}  // namespace

SkinTestWindow::SkinTestWindow(zui::Size size) {
  host_.RegisterWindowClass({kClassName, 0, TestWindowProc});
  zui::HostWindowDesc desc;
  desc.className = kClassName;
  desc.style = WS_POPUP;
  desc.rect = {10, 10, 10 + size.cx, 10 + size.cy};
  window_ = host_.CreateHostWindow(desc, nullptr);
  manager_ = std::make_unique<zui::CPaintManagerUI>();
  manager_->Init(window_, L"builder-test");
  host_.SetUserData(window_, manager_.get());
}

SkinTestWindow::~SkinTestWindow() {
  if (window_ != nullptr) {
    host_.SetUserData(window_, nullptr);
    host_.DestroyHostWindow(window_);
  }
  manager_.reset();
}

const zui::Bitmap* SkinTestWindow::ShowAndPaint() {
  host_.ShowHostWindow(window_, SW_SHOWNORMAL);
  host_.PumpPending();
  return host_.Frame(window_);
}

}  // namespace ztest
