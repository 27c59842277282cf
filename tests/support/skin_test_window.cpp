#include "tests/support/skin_test_window.h"

namespace ztest {

zui::LRESULT_T SkinTestWindow::Window::HandleMessage(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam) {
  zui::LRESULT_T result = 0;
  if (manager != nullptr && manager->MessageHandler(message, wParam, lParam, result)) return result;
  return CWindowWnd::HandleMessage(message, wParam, lParam);
}

SkinTestWindow::SkinTestWindow(zui::Size size) : manager_(std::make_unique<zui::CPaintManagerUI>()) {
  window_.Create(nullptr, L"", WS_POPUP, 0, zui::Rect{10, 10, 10 + size.cx, 10 + size.cy});
  manager_->Init(window_.GetHWND(), L"builder-test");
  window_.manager = manager_.get();
}

SkinTestWindow::~SkinTestWindow() {
  if (window_.GetHWND() != nullptr) host_.DestroyHostWindow(window_.GetHWND());
  window_.manager = nullptr;
  manager_.reset();
}

const zui::Bitmap* SkinTestWindow::ShowAndPaint() {
  host_.ShowHostWindow(window_.GetHWND(), SW_SHOWNORMAL);
  host_.PumpPending();
  return host_.Frame(window_.GetHWND());
}

}  // namespace ztest
