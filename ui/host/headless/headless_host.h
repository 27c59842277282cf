#pragma once
// The in-memory host for tests and off-screen rendering: the user32
// emulation over a backend that keeps every presented frame in memory. Time
// stands still until a test moves the clock, and input comes only from the
// synthesis helpers, so a test drives whole windows deterministically:
// synthesise input, then pump.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/host/emulated/emulated_host.h"

namespace zui {

class HeadlessHost : public EmulatedHost {
 public:
  struct MessageBoxCall {
    WindowHandle owner = nullptr;
    std::wstring text;
    std::wstring caption;
    uint32_t flags = 0;
  };
  // A window move or size loop that DefaultProc would have entered.
  struct DragStart {
    WindowHandle window = nullptr;
    int hitCode = 0;  // HTCAPTION for a move, HTLEFT … HTBOTTOMRIGHT for sizing
  };

  HeadlessHost();
  ~HeadlessHost() override;

  // --- Clock ---
  // Moves the manual clock; timers and an armed hover that come due fire
  // when messages are next retrieved.
  void AdvanceClock(uint32_t ms);
  // Called on the UI thread whenever GetMessage finds nothing, before it
  // waits: a test can feed a modal loop from here (synthesise input, post).
  void SetIdleHandler(std::function<void()> handler);

  // --- What tests inspect ---
  // The last presented pixels of a window (client-sized); null for none.
  const Bitmap* Frame(WindowHandle window) const;
  int PresentCount(WindowHandle window) const;
  int PresentCount() const;
  // The area of every present of a window, oldest first.
  std::vector<Rect> PresentedAreas(WindowHandle window) const;
  // The last UpdateLayered content of a window; null for none.
  const Bitmap* LayeredContent(WindowHandle window) const;
  const std::vector<DragStart>& DragStarts() const;
  int CaptionDragCount() const;
  int Cursor() const;
  const std::vector<MessageBoxCall>& MessageBoxes() const;
  // Answers for the next message boxes, in order; then the default (IDOK).
  void QueueMessageBoxReply(int reply);
  void SetDefaultMessageBoxReply(int reply);
  void SetMonitorArea(const MonitorArea& area);

 private:
  class MemoryBackend;
  explicit HeadlessHost(std::unique_ptr<MemoryBackend> backend);

  MemoryBackend& memory_;
};

}  // namespace zui
