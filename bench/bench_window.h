#pragma once
// One headless window with its paint manager, for the life of a benchmark:
// the window's messages go to the manager first, as a skinned window's do.

#include <memory>
#include <string>

#include "ui/host/headless/headless_host.h"
#include "ui/window/paint_manager.h"
#include "ui/window/skin_builder.h"

namespace zbench {

class BenchWindow {
 public:
  explicit BenchWindow(zui::Size size) {
    host_.RegisterWindowClass({kClassName, 0, WindowProc});
    zui::HostWindowDesc desc;
    desc.className = kClassName;
    desc.style = WS_POPUP;
    desc.rect = {0, 0, size.cx, size.cy};
    window_ = host_.CreateHostWindow(desc, nullptr);
    manager_ = std::make_unique<zui::CPaintManagerUI>();
    manager_->Init(window_, L"bench");
    host_.SetUserData(window_, manager_.get());
  }
  ~BenchWindow() {
    host_.SetUserData(window_, nullptr);
    host_.DestroyHostWindow(window_);
    manager_.reset();
  }
  BenchWindow(const BenchWindow&) = delete;
  BenchWindow& operator=(const BenchWindow&) = delete;

  zui::HeadlessHost& Host() { return host_; }
  zui::CPaintManagerUI& Manager() { return *manager_; }
  zui::WindowHandle Handle() const { return window_; }

  // Builds the skin into this window, shows it and paints it once; false
  // when the skin does not build or nothing was presented.
  bool ShowSkin(const std::wstring& xml) {
    zui::CSkinBuilder builder;
    zui::CControlUI* root = builder.Create(xml, {}, nullptr, manager_.get());
    if (root == nullptr || !manager_->AttachDialog(root)) return false;
    host_.ShowHostWindow(window_, SW_SHOWNORMAL);
    host_.PumpPending();
    return host_.Frame(window_) != nullptr;
  }

 private:
  static constexpr const wchar_t* kClassName = L"ZavizBenchWindow";

  static zui::LRESULT_T WindowProc(zui::WindowHandle window, uint32_t message, zui::WPARAM_T wParam,
                                   zui::LPARAM_T lParam) {
    auto* manager = static_cast<zui::CPaintManagerUI*>(zui::Host().GetUserData(window));
    zui::LRESULT_T result = 0;
    if (manager != nullptr && manager->MessageHandler(message, wParam, lParam, result)) return result;
    return zui::Host().DefaultProc(window, message, wParam, lParam);
  }

  zui::HeadlessHost host_;
  zui::ScopedHost scope_{host_};
  zui::WindowHandle window_ = nullptr;
  std::unique_ptr<zui::CPaintManagerUI> manager_;
};

}  // namespace zbench
