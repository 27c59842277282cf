#include "ui/host/headless/headless_host.h"

#include <algorithm>

#include "ui/host/headless/memory_backend.h"

namespace zui {

HeadlessHost::HeadlessHost() : HeadlessHost(std::make_unique<MemoryBackend>(*this)) {}

// The backend is handed to the emulation, which keeps it for its life.
HeadlessHost::HeadlessHost(std::unique_ptr<MemoryBackend> backend)
    : EmulatedHost(std::move(backend)), memory_(static_cast<MemoryBackend&>(Backend())) {}

HeadlessHost::~HeadlessHost() = default;

void HeadlessHost::AdvanceClock(uint32_t ms) {
  memory_.clock.fetch_add(ms);
  memory_.Wake();
}

void HeadlessHost::SetIdleHandler(std::function<void()> handler) { memory_.idleHandler = std::move(handler); }

const Bitmap* HeadlessHost::Frame(WindowHandle window) const {
  const MemoryBackend::Surface* surface = IsHostWindow(window) ? memory_.Find(window) : nullptr;
  return surface == nullptr || surface->presentCount == 0 ? nullptr : &surface->frame;
}

int HeadlessHost::PresentCount(WindowHandle window) const {
  const MemoryBackend::Surface* surface = IsHostWindow(window) ? memory_.Find(window) : nullptr;
  return surface == nullptr ? 0 : surface->presentCount;
}

int HeadlessHost::PresentCount() const { return memory_.presentCount; }

std::vector<Rect> HeadlessHost::PresentedAreas(WindowHandle window) const {
  const MemoryBackend::Surface* surface = IsHostWindow(window) ? memory_.Find(window) : nullptr;
  return surface == nullptr ? std::vector<Rect>{} : surface->presented;
}

const Bitmap* HeadlessHost::LayeredContent(WindowHandle window) const {
  const MemoryBackend::Surface* surface = IsHostWindow(window) ? memory_.Find(window) : nullptr;
  return surface == nullptr || surface->layeredCount == 0 ? nullptr : &surface->layered;
}

const std::vector<HeadlessHost::DragStart>& HeadlessHost::DragStarts() const { return memory_.dragStarts; }

int HeadlessHost::CaptionDragCount() const {
  return static_cast<int>(std::count_if(memory_.dragStarts.begin(), memory_.dragStarts.end(),
                                        [](const DragStart& d) { return d.hitCode == HTCAPTION; }));
}

int HeadlessHost::Cursor() const { return memory_.cursor; }

const std::vector<HeadlessHost::MessageBoxCall>& HeadlessHost::MessageBoxes() const { return memory_.messageBoxes; }

void HeadlessHost::QueueMessageBoxReply(int reply) { memory_.messageBoxReplies.push_back(reply); }

void HeadlessHost::SetDefaultMessageBoxReply(int reply) { memory_.defaultMessageBoxReply = reply; }

void HeadlessHost::SetMonitorArea(const MonitorArea& area) { memory_.monitor = area; }

}  // namespace zui
