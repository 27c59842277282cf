#pragma once
// The SDL2 platform under the user32 emulation: one borderless SDL window
// per top-level window, its window surface holding the last presented
// pixels, SDL's events handed to the emulation, and the window manager
// moving and sizing windows through SDL's hit-test callback.
//
// What SDL2 cannot do is left out on purpose: a per-pixel-alpha (layered)
// window is never mapped, because SDL2 windows are opaque and an empty
// black box would be worse than nothing; z-order below another window is
// not settable, so PlaceSurfaceBehind does nothing.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include <SDL_events.h>
#include <SDL_mouse.h>
#include <SDL_video.h>

#include "ui/host/emulated/host_backend.h"

namespace zui::sdl {

class SdlBackend : public IHostBackend {
 public:
  // Starts SDL's video subsystem and refuses drivers that show nothing
  // ("offscreen", "dummy"). Null with a one-line `error` when there is no
  // display to use.
  static std::unique_ptr<SdlBackend> Open(std::string& error);
  ~SdlBackend() override;
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

  void Attach(IHostEvents* events) override { events_ = events; }

  bool CreateSurface(WindowHandle window, const SurfaceDesc& desc) override;
  void DestroySurface(WindowHandle window) override;
  void MoveSurface(WindowHandle window, const Rect& rect) override;
  void ShowSurface(WindowHandle window, bool show, bool activate) override;
  void SetSurfaceTitle(WindowHandle window, std::wstring_view title) override;
  void SetSurfaceRegion(WindowHandle window, const Rect* rect, Size ellipse) override;
  void SetSurfaceOpacity(WindowHandle window, uint8_t alpha) override;
  void SetSurfaceEnabled(WindowHandle window, bool enabled) override;
  bool SetSurfaceIcon(WindowHandle window, int resourceId) override;
  void PlaceSurfaceBehind(WindowHandle window, WindowHandle above) override;
  void Present(WindowHandle window, const Bitmap& frame, const Rect& area) override;
  void PresentLayered(WindowHandle window, const Bitmap& pixels, Point screenTopLeft) override;
  void BeginMoveSize(WindowHandle window, int hitCode) override;

  uint32_t Now() const override;
  void WaitForEvents(std::optional<uint32_t> timeoutMs) override;
  void Wake() override;
  bool TextComesSeparately() const override { return true; }

  void SetCursor(int systemCursor) override;
  MonitorArea MonitorFor(const Rect& rect) const override;
  int DisplayDpiFor(const Rect& rect) const override;
  int MessageBox(WindowHandle owner, std::wstring_view text, std::wstring_view caption, uint32_t flags) override;

  // The SDL window of a top-level window (null for none): for tests and
  // for the few callers that need the native window.
  SDL_Window* NativeWindow(WindowHandle window) const;

 private:
  struct Surface {
    SdlBackend* backend = nullptr;
    WindowHandle handle = nullptr;
    SDL_Window* window = nullptr;
    uint32_t id = 0;  // SDL's window id, as events name it
    WindowHandle owner = nullptr;
    bool layered = false;
    bool enabled = true;
    bool reportedActive = false;
    // The window surface that the last Present filled; a new one (after a
    // resize) has lost the pixels, so the next Present fills all of it.
    SDL_Surface* filled = nullptr;
  };

  explicit SdlBackend(uint32_t wakeEventType);

  Surface* Find(WindowHandle window) const;
  Surface* FindById(uint32_t id) const;

  // Events (sdl_events.cpp).
  void Dispatch(const SDL_Event& event);
  void DispatchWindowEvent(const SDL_WindowEvent& event);
  void Activate(Surface& surface, bool active);
  void RepushSurface(Surface& surface);
  static SDL_HitTestResult SDLCALL HitTestCallback(SDL_Window* window, const SDL_Point* area, void* data);

  IHostEvents* events_ = nullptr;
  const uint32_t wakeEventType_;
  const std::thread::id uiThread_;
  std::unordered_map<WindowHandle, std::unique_ptr<Surface>> surfaces_;
  std::unordered_map<uint32_t, WindowHandle> byId_;
  std::map<int, SDL_Cursor*> cursors_;
  int cursor_ = -1;
  uint16_t lastKeyModifiers_ = 0;

  // Wake(): the flag is what a WaitForEvents checks before it blocks; the
  // pushed SDL event is what ends a block already in progress.
  std::mutex wakeMutex_;
  std::condition_variable wakeCondition_;
  bool wakeRequested_ = false;
  std::atomic<bool> wakeEventQueued_{false};
};

}  // namespace zui::sdl
