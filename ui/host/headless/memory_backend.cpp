#include "ui/host/headless/memory_backend.h"

#include <algorithm>

namespace zui {

bool HeadlessHost::MemoryBackend::CreateSurface(WindowHandle window, const SurfaceDesc&) {
  surfaces_[window] = Surface{};
  return true;
}

void HeadlessHost::MemoryBackend::Present(WindowHandle window, const Bitmap& frame, const Rect& area) {
  Surface& surface = surfaces_[window];
  Rect client = host_.GetClientRect(window);
  surface.frame.Resize(client.Width(), client.Height());
  Rect copy = area.Intersect(client).Intersect({0, 0, frame.width(), frame.height()});
  for (int y = copy.top; y < copy.bottom; ++y) {
    std::copy(frame.row(y) + copy.left, frame.row(y) + copy.right, surface.frame.row(y) + copy.left);
  }
  surface.presented.push_back(copy);
  ++surface.presentCount;
  ++presentCount;
}

void HeadlessHost::MemoryBackend::PresentLayered(WindowHandle window, const Bitmap& pixels, Point) {
  Surface& surface = surfaces_[window];
  surface.layered = pixels;
  ++surface.layeredCount;
}

const HeadlessHost::MemoryBackend::Surface* HeadlessHost::MemoryBackend::Find(WindowHandle window) const {
  auto it = surfaces_.find(window);
  return it == surfaces_.end() ? nullptr : &it->second;
}

// Time only moves by hand, so there is no timeout to keep: the wait ends when
// the idle handler or another thread gives the loop something. A zero
// timeout is a peek: nothing in memory arrives by itself.
void HeadlessHost::MemoryBackend::WaitForEvents(std::optional<uint32_t> timeoutMs) {
  if (timeoutMs == 0u) return;
  if (idleHandler) idleHandler();
  std::unique_lock<std::mutex> lock(wakeMutex_);
  wakeSignal_.wait(lock, [this] { return woken_; });
  woken_ = false;
}

void HeadlessHost::MemoryBackend::Wake() {
  {
    std::lock_guard<std::mutex> lock(wakeMutex_);
    woken_ = true;
  }
  wakeSignal_.notify_all();
}

int HeadlessHost::MemoryBackend::MessageBox(WindowHandle owner, std::wstring_view text, std::wstring_view caption,
                                            uint32_t flags) {
  messageBoxes.push_back({owner, std::wstring(text), std::wstring(caption), flags});
  if (messageBoxReplies.empty()) return defaultMessageBoxReply;
  int reply = messageBoxReplies.front();
  messageBoxReplies.pop_front();
  return reply;
}

}  // namespace zui
