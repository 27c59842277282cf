#pragma once
// A headless window whose messages go to a paint manager first, as a skinned
// window's do: the whole path from skin text to presented pixels without a
// screen.

#include <memory>

#include "ui/window/paint_manager.h"
#include "ui/window/window_wnd.h"
#include "ui/host/headless/headless_host.h"

namespace ztest {

class SkinTestWindow {
 public:
  // A visible-to-be window of the given client size with its manager bound.
  explicit SkinTestWindow(zui::Size size = {200, 100});
  ~SkinTestWindow();
  SkinTestWindow(const SkinTestWindow&) = delete;
  SkinTestWindow& operator=(const SkinTestWindow&) = delete;

  zui::HeadlessHost& Host() { return host_; }
  zui::CPaintManagerUI& Manager() { return *manager_; }
  zui::WindowHandle Handle() const { return window_.GetHWND(); }

  // Shows the window and pumps until nothing is pending; the last presented
  // frame, or null when nothing was presented.
  const zui::Bitmap* ShowAndPaint();

 private:
  // The window object: messages to the manager, then the previous procedure.
  class Window : public zui::CWindowWnd {
   public:
    zui::CPaintManagerUI* manager = nullptr;

   protected:
    std::wstring_view GetWindowClassName() const override { return L"ZavizSkinTestWindow"; }
    zui::LRESULT_T HandleMessage(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam) override;
  };

  zui::HeadlessHost host_;
  zui::ScopedHost scope_{host_};
  std::unique_ptr<zui::CPaintManagerUI> manager_;
  Window window_;
};

}  // namespace ztest
