#pragma once
// The headless host's backend: surfaces are bitmaps in memory, the clock is
// moved by hand, system services answer from a script and keep a record
// (private to the headless host's sources).

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>

#include "ui/host/headless/headless_host.h"

namespace zui {

class HeadlessHost::MemoryBackend : public IHostBackend {
 public:
  explicit MemoryBackend(HeadlessHost& host) : host_(host) {}

  struct Surface {
    Bitmap frame;
    int presentCount = 0;
    std::vector<Rect> presented;
    Bitmap layered;
    int layeredCount = 0;
  };

  // --- IHostBackend ---
  void Attach(zui::IHostEvents*) override {}
  bool CreateSurface(WindowHandle window, const SurfaceDesc&) override;
  void DestroySurface(WindowHandle window) override { surfaces_.erase(window); }
  void MoveSurface(WindowHandle, const Rect&) override {}
  void ShowSurface(WindowHandle, bool, bool) override {}
  void SetSurfaceTitle(WindowHandle, std::wstring_view) override {}
  void SetSurfaceRegion(WindowHandle, const Rect*, Size) override {}
  void SetSurfaceOpacity(WindowHandle, uint8_t) override {}
  void SetSurfaceEnabled(WindowHandle, bool) override {}
  bool SetSurfaceIcon(WindowHandle, int) override { return true; }
  void PlaceSurfaceBehind(WindowHandle, WindowHandle) override {}
  void Present(WindowHandle window, const Bitmap& frame, const Rect& area) override;
  void PresentLayered(WindowHandle window, const Bitmap& pixels, Point) override;
  void BeginMoveSize(WindowHandle window, int hitCode) override { dragStarts.push_back({window, hitCode}); }
  uint32_t Now() const override { return clock.load(); }
  void WaitForEvents(std::optional<uint32_t> timeoutMs) override;
  void Wake() override;
  void SetCursor(int systemCursor) override { cursor = systemCursor; }
  MonitorArea MonitorFor(const Rect&) const override { return monitor; }
  int DisplayDpiFor(const Rect&) const override { return dpi; }
  int MessageBox(WindowHandle owner, std::wstring_view text, std::wstring_view caption, uint32_t flags) override;

  const Surface* Find(WindowHandle window) const;

  std::atomic<uint32_t> clock{0};
  std::function<void()> idleHandler;
  int cursor = kCursorArrow;
  int presentCount = 0;
  MonitorArea monitor{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true};
  int dpi = 96;
  std::vector<MessageBoxCall> messageBoxes;
  std::deque<int> messageBoxReplies;
  int defaultMessageBoxReply = IDOK;
  std::vector<DragStart> dragStarts;

 private:
  HeadlessHost& host_;
  // Every window that was presented to, children included: in memory a
  // child's pixels are as easy to keep as a top-level window's.
  std::map<WindowHandle, Surface> surfaces_;
  std::mutex wakeMutex_;
  std::condition_variable wakeSignal_;
  bool woken_ = false;
};

}  // namespace zui
