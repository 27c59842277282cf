#include "ui/host/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "sys/text_encoding.h"
#include "ui/host/icon_resources.h"
#include "ui/host/sdl/sdl_display_dpi.h"
#include "ui/host/sdl/sdl_message_box.h"
#include "ui/host/sdl/sdl_pixels.h"
#include "ui/host/sdl/sdl_shape.h"

namespace zui::sdl {
namespace {

bool IsPopup(const SurfaceDesc& desc) { return (desc.style & WS_POPUP) != 0 && (desc.exStyle & WS_EX_TOOLWINDOW) != 0; }

Uint32 WindowFlagsOf(const SurfaceDesc& desc) {
  Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
  if (IsPopup(desc)) {
    // Tooltips and the like: no focus, no taskbar entry, no window manager.
    flags |= SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR;
  } else if ((desc.exStyle & WS_EX_TOOLWINDOW) != 0) {
    flags |= SDL_WINDOW_SKIP_TASKBAR;
  }
  if ((desc.style & WS_THICKFRAME) != 0) flags |= SDL_WINDOW_RESIZABLE;
  if ((desc.exStyle & WS_EX_TOPMOST) != 0) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  return flags;
}

SDL_SystemCursor SystemCursorOf(int cursor) {
  switch (cursor) {
    case kCursorIBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case kCursorWait: return SDL_SYSTEM_CURSOR_WAIT;
    case kCursorCross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case kCursorSizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case kCursorSizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case kCursorSizeWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case kCursorSizeNS: return SDL_SYSTEM_CURSOR_SIZENS;
    case kCursorSize:
    case kCursorSizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case kCursorNo: return SDL_SYSTEM_CURSOR_NO;
    case kCursorHand: return SDL_SYSTEM_CURSOR_HAND;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

Rect RectOf(const SDL_Rect& r) { return {r.x, r.y, SaturatedAdd(r.x, r.w), SaturatedAdd(r.y, r.h)}; }

int64_t OverlapArea(const Rect& a, const Rect& b) {
  const Rect both = a.Intersect(b);
  return static_cast<int64_t>(both.Width()) * both.Height();
}

}  // namespace

std::unique_ptr<SdlBackend> SdlBackend::Open(std::string& error) {
  // Asked for no driver and given no display: say so before SDL probes its
  // drivers (which prints complaints of its libraries on the way).
  auto unset = [](const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr || *value == '\0';
  };
  if (unset("SDL_VIDEODRIVER") && unset("DISPLAY") && unset("WAYLAND_DISPLAY")) {
    error = "no display: set DISPLAY or WAYLAND_DISPLAY";
    return nullptr;
  }
  // Software frames only: loading GL costs start-up time and ~80 MiB.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Ctrl+C and SIGTERM keep their usual meaning; SDL would turn them into
  // an SDL_QUIT event that a window program never asked for.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // A repair tool has no business keeping the screen saver away.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // Let a compositing desktop keep compositing our windows (no flicker).
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");

  // Before SDL's video starts: SDL keeps the handler it finds, calls it from
  // its own, and puts it back when it closes its display connections, which
  // is when errors of its last requests arrive.
  TolerateVanishedWindows();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = std::string("no display: ") + SDL_GetError();
    return nullptr;
  }
  // Without a display SDL still starts, with a driver that shows nothing.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    error = "no display: set DISPLAY or WAYLAND_DISPLAY";
    return nullptr;
  }
  const Uint32 wakeType = SDL_RegisterEvents(1);
  if (wakeType == static_cast<Uint32>(-1)) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    error = "no display: SDL has no user event left";
    return nullptr;
  }
  SDL_StartTextInput();
  return std::unique_ptr<SdlBackend>(new SdlBackend(wakeType));
}

SdlBackend::SdlBackend(uint32_t wakeEventType) : wakeEventType_(wakeEventType), uiThread_(std::this_thread::get_id()) {}

SdlBackend::~SdlBackend() {
  for (auto& [handle, surface] : surfaces_) SDL_DestroyWindow(surface->window);
  surfaces_.clear();
  byId_.clear();
  for (auto& [id, cursor] : cursors_) SDL_FreeCursor(cursor);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

SdlBackend::Surface* SdlBackend::Find(WindowHandle window) const {
  auto it = surfaces_.find(window);
  return it == surfaces_.end() ? nullptr : it->second.get();
}

SdlBackend::Surface* SdlBackend::FindById(uint32_t id) const {
  auto it = byId_.find(id);
  return it == byId_.end() ? nullptr : Find(it->second);
}

SDL_Window* SdlBackend::NativeWindow(WindowHandle window) const {
  Surface* s = Find(window);
  return s == nullptr ? nullptr : s->window;
}

// --- Surfaces ---

bool SdlBackend::CreateSurface(WindowHandle window, const SurfaceDesc& desc) {
  if (window == nullptr || Find(window) != nullptr) return false;
  const std::string title = zsys::WideToUtf8(desc.title);
  SDL_Window* native = SDL_CreateWindow(title.c_str(), desc.rect.left, desc.rect.top, std::max(1, desc.rect.Width()),
                                        std::max(1, desc.rect.Height()), WindowFlagsOf(desc));
  if (native == nullptr) return false;

  auto surface = std::make_unique<Surface>();
  surface->backend = this;
  surface->handle = window;
  surface->window = native;
  surface->id = SDL_GetWindowID(native);
  surface->owner = desc.owner;
  surface->layered = (desc.exStyle & WS_EX_LAYERED) != 0;
  if (!IsPopup(desc)) {
    SDL_SetWindowHitTest(native, &SdlBackend::HitTestCallback, surface.get());
    // An owned window stays above its owner and shares its taskbar entry
    // (WM_TRANSIENT_FOR on X11).
    if (Surface* owner = Find(desc.owner)) SDL_SetWindowModalFor(native, owner->window);
  }
  byId_[surface->id] = window;
  surfaces_[window] = std::move(surface);
  return true;
}

void SdlBackend::DestroySurface(WindowHandle window) {
  auto it = surfaces_.find(window);
  if (it == surfaces_.end()) return;
  byId_.erase(it->second->id);
  SDL_DestroyWindow(it->second->window);
  surfaces_.erase(it);
}

void SdlBackend::MoveSurface(WindowHandle window, const Rect& rect) {
  Surface* s = Find(window);
  if (s == nullptr) return;
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(s->window, &x, &y);
  SDL_GetWindowSize(s->window, &w, &h);
  const int width = std::max(1, rect.Width());
  const int height = std::max(1, rect.Height());
  if (width != w || height != h) {
    s->filled = nullptr;
    SDL_SetWindowSize(s->window, width, height);
  }
  if (rect.left != x || rect.top != y) SDL_SetWindowPosition(s->window, rect.left, rect.top);
}

void SdlBackend::ShowSurface(WindowHandle window, bool show, bool activate) {
  Surface* s = Find(window);
  if (s == nullptr) return;
  if (!show) {
    SDL_HideWindow(s->window);
    return;
  }
  if (s->layered) return;  // see the header: SDL2 cannot show per-pixel alpha
  SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, activate ? "0" : "1");
  SDL_ShowWindow(s->window);
  if (activate && (SDL_GetWindowFlags(s->window) & SDL_WINDOW_TOOLTIP) == 0) SDL_RaiseWindow(s->window);
}

void SdlBackend::SetSurfaceTitle(WindowHandle window, std::wstring_view title) {
  if (Surface* s = Find(window)) SDL_SetWindowTitle(s->window, zsys::WideToUtf8(title).c_str());
}

void SdlBackend::SetSurfaceRegion(WindowHandle window, const Rect* rect, Size ellipse) {
  Surface* s = Find(window);
  if (s == nullptr) return;
  if (rect == nullptr) {
    ApplyWindowShape(s->window, nullptr);
    return;
  }
  const std::vector<Rect> bands = RoundRegionBands(*rect, ellipse);
  ApplyWindowShape(s->window, &bands);
}

void SdlBackend::SetSurfaceOpacity(WindowHandle window, uint8_t alpha) {
  if (Surface* s = Find(window)) SDL_SetWindowOpacity(s->window, alpha / 255.0f);
}

void SdlBackend::SetSurfaceEnabled(WindowHandle window, bool enabled) {
  if (Surface* s = Find(window)) s->enabled = enabled;
}

bool SdlBackend::SetSurfaceIcon(WindowHandle window, int resourceId) {
  Surface* s = Find(window);
  if (s == nullptr) return false;
  std::optional<Bitmap> picture = FindIconResource(resourceId);
  if (!picture) return false;
  std::vector<uint32_t> pixels = StraightAlphaPixels(*picture);
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), picture->width(), picture->height(), 32,
                                                         picture->width() * 4, SDL_PIXELFORMAT_ARGB8888);
  if (icon == nullptr) return false;
  SDL_SetWindowIcon(s->window, icon);  // copies the pixels
  SDL_FreeSurface(icon);
  return true;
}

void SdlBackend::PlaceSurfaceBehind(WindowHandle, WindowHandle) {
  // SDL2 can raise a window but not put it under another one.
}

void SdlBackend::Present(WindowHandle window, const Bitmap& frame, const Rect& area) {
  Surface* s = Find(window);
  if (s == nullptr || frame.empty()) return;
  SDL_Surface* target = SDL_GetWindowSurface(s->window);
  if (target == nullptr) return;
  const Size frameSize{frame.width(), frame.height()};
  const Size targetSize{target->w, target->h};
  // A surface that has never held this window's pixels takes all of them,
  // so the parts outside `area` are not left blank.
  const Rect want = s->filled == target ? area : Rect{0, 0, frameSize.cx, frameSize.cy};
  const Rect r = UploadArea(want, frameSize, targetSize);
  if (r.IsEmpty()) return;

  if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
  const int bytesPerPixel = target->format->BytesPerPixel;
  const auto* source = reinterpret_cast<const uint8_t*>(frame.row(r.top) + r.left);
  auto* destination = static_cast<uint8_t*>(target->pixels) + static_cast<size_t>(r.top) * target->pitch +
                      static_cast<size_t>(r.left) * bytesPerPixel;
  // The window is opaque: premultiplied pixels shown without their alpha
  // are exactly the frame drawn over black.
  const int converted = SDL_ConvertPixels(r.Width(), r.Height(), SDL_PIXELFORMAT_ARGB8888, source, frame.width() * 4,
                                          target->format->format, destination, target->pitch);
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
  if (converted != 0) return;
  s->filled = target;
  const SDL_Rect update{r.left, r.top, r.Width(), r.Height()};
  SDL_UpdateWindowSurfaceRects(s->window, &update, 1);
}

void SdlBackend::PresentLayered(WindowHandle, const Bitmap&, Point) {
  // SDL2 windows have no per-pixel alpha; layered surfaces stay unmapped.
}

void SdlBackend::BeginMoveSize(WindowHandle, int) {
  // The window manager moves and sizes through the hit-test callback.
}

// --- Time and events ---

uint32_t SdlBackend::Now() const { return SDL_GetTicks(); }

void SdlBackend::Wake() {
  {
    std::lock_guard<std::mutex> lock(wakeMutex_);
    wakeRequested_ = true;
  }
  wakeCondition_.notify_all();
  // The UI thread checks the flag before it blocks; other threads must also
  // end a block in progress, with one queued event at a time.
  if (std::this_thread::get_id() != uiThread_ && !wakeEventQueued_.exchange(true)) {
    SDL_Event event{};
    event.type = wakeEventType_;
    if (SDL_PushEvent(&event) != 1) wakeEventQueued_.store(false);
  }
}

void SdlBackend::WaitForEvents(std::optional<uint32_t> timeoutMs) {
  bool woken = false;
  {
    std::unique_lock<std::mutex> lock(wakeMutex_);
    woken = wakeRequested_;
    wakeRequested_ = false;
    if (!woken && surfaces_.empty() && timeoutMs != 0u) {
      // Without a window SDL can only poll for events; nothing but Wake()
      // can come then, so wait for that alone.
      auto woke = [this] { return wakeRequested_; };
      if (timeoutMs) {
        wakeCondition_.wait_for(lock, std::chrono::milliseconds(*timeoutMs), woke);
      } else {
        wakeCondition_.wait(lock, woke);
      }
      wakeRequested_ = false;
      woken = true;
    }
  }
  SDL_Event event;
  if (!woken && timeoutMs != 0u) {
    const int limit = timeoutMs ? static_cast<int>(std::min<uint32_t>(*timeoutMs, INT_MAX)) : -1;
    if (SDL_WaitEventTimeout(&event, limit) == 1) Dispatch(event);
  }
  while (SDL_PollEvent(&event) == 1) Dispatch(event);
  std::lock_guard<std::mutex> lock(wakeMutex_);
  wakeRequested_ = false;
}

// --- System services ---

void SdlBackend::SetCursor(int systemCursor) {
  if (systemCursor == cursor_) return;
  cursor_ = systemCursor;
  if (systemCursor == kCursorNone) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  const SDL_SystemCursor id = SystemCursorOf(systemCursor);
  SDL_Cursor*& cursor = cursors_[id];
  if (cursor == nullptr) cursor = SDL_CreateSystemCursor(id);
  if (cursor != nullptr) SDL_SetCursor(cursor);
  SDL_ShowCursor(SDL_ENABLE);
}

namespace {

// The display that holds most of `rect`; the primary one (0) for none.
int DisplayHolding(const Rect& rect) {
  const int count = SDL_GetNumVideoDisplays();
  int best = 0;
  int64_t bestArea = 0;
  for (int i = 0; i < count; ++i) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(i, &bounds) != 0) continue;
    const int64_t area = OverlapArea(rect, RectOf(bounds));
    if (area > bestArea) {
      bestArea = area;
      best = i;
    }
  }
  return best;
}

}  // namespace

MonitorArea SdlBackend::MonitorFor(const Rect& rect) const {
  const int count = SDL_GetNumVideoDisplays();
  const int best = DisplayHolding(rect);
  SDL_Rect bounds;
  if (count <= 0 || SDL_GetDisplayBounds(best, &bounds) != 0) return MonitorArea{rect, rect, true};
  SDL_Rect usable = bounds;
  if (SDL_GetDisplayUsableBounds(best, &usable) != 0) usable = bounds;
  // SDL lists the primary display first.
  return MonitorArea{RectOf(bounds), RectOf(usable), best == 0};
}

// X has one setting for all its screens; elsewhere (Wayland) SDL's answer
// for the display.
int SdlBackend::DisplayDpiFor(const Rect& rect) const {
  if (const int dpi = X11DesktopDpi(); dpi > 0) return dpi;
  float horizontal = 0;
  if (SDL_GetDisplayDPI(DisplayHolding(rect), nullptr, &horizontal, nullptr) != 0 || horizontal <= 0) return 96;
  return static_cast<int>(horizontal + 0.5f);
}

int SdlBackend::MessageBox(WindowHandle owner, std::wstring_view text, std::wstring_view caption, uint32_t flags) {
  Surface* s = Find(owner);
  return ShowMessageBox(s == nullptr ? nullptr : s->window, text, caption, flags);
}

}  // namespace zui::sdl
