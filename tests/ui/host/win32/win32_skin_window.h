#pragma once
// The Windows twin of the headless skin test window: a real WS_POPUP window
// on the Windows host whose messages go to a paint manager first, as a
// skinned window's do, so a skin's pixels can be read back from the screen
// and real input can click its controls.

#include <functional>
#include <memory>
#include <string>

#include "ui/host/win32/win32_host.h"
#include "ui/window/paint_manager.h"

namespace ztest {

class Win32SkinWindow {
 public:
  explicit Win32SkinWindow(const zui::Rect& screen);
  ~Win32SkinWindow();
  Win32SkinWindow(const Win32SkinWindow&) = delete;
  Win32SkinWindow& operator=(const Win32SkinWindow&) = delete;

  zui::Win32Host& Host() { return host_; }
  zui::CPaintManagerUI& Manager() { return *manager_; }
  zui::WindowHandle Handle() const { return window_; }

  // Builds `xml` into the manager and attaches it; false when nothing was built.
  bool Load(const std::wstring& xml);
  // Shows the window, lets it paint, and answers what the screen shows of it.
  zui::Bitmap ShowAndGrab();
  // Pumps through the toolkit's pre-translation, as its message loop does.
  bool PumpUntil(const std::function<bool()>& done, uint32_t timeoutMs = 3000);

 private:
  zui::Win32Host host_;
  zui::ScopedHost scope_{host_};
  zui::WindowHandle window_ = nullptr;
  std::unique_ptr<zui::CPaintManagerUI> manager_;
};

}  // namespace ztest
