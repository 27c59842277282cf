// SDL's events as the emulation's raw input and surface changes. Runs on
// the UI thread inside WaitForEvents (and SDL's hit-test callback, which
// SDL calls while it reads a button press).

#include "ui/host/sdl/sdl_events.h"

#include <SDL.h>

#include "ui/base/messages.h"
#include "ui/host/sdl/sdl_backend.h"
#include "ui/host/sdl/sdl_keys.h"

namespace zui::sdl {

SDL_HitTestResult HitTestResultOf(int hitCode) {
  switch (hitCode) {
    case HTCAPTION: return SDL_HITTEST_DRAGGABLE;
    case HTLEFT: return SDL_HITTEST_RESIZE_LEFT;
    case HTRIGHT: return SDL_HITTEST_RESIZE_RIGHT;
    case HTTOP: return SDL_HITTEST_RESIZE_TOP;
    case HTTOPLEFT: return SDL_HITTEST_RESIZE_TOPLEFT;
    case HTTOPRIGHT: return SDL_HITTEST_RESIZE_TOPRIGHT;
    case HTBOTTOM: return SDL_HITTEST_RESIZE_BOTTOM;
    case HTBOTTOMLEFT: return SDL_HITTEST_RESIZE_BOTTOMLEFT;
    case HTBOTTOMRIGHT: return SDL_HITTEST_RESIZE_BOTTOMRIGHT;
    default: return SDL_HITTEST_NORMAL;
  }
}

int VirtualButtonOf(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return VK_LBUTTON;
    case SDL_BUTTON_RIGHT: return VK_RBUTTON;
    case SDL_BUTTON_MIDDLE: return VK_MBUTTON;
    default: return 0;
  }
}

bool IsDoubleClick(uint8_t clicks) { return clicks >= 2 && clicks % 2 == 0; }

int WheelDeltaOf(int32_t notchesY, bool flipped) {
  const int64_t delta = static_cast<int64_t>(flipped ? -notchesY : notchesY) * WHEEL_DELTA;
  return SaturateToInt(delta);
}

SDL_HitTestResult SDLCALL SdlBackend::HitTestCallback(SDL_Window*, const SDL_Point* area, void* data) {
  auto* surface = static_cast<Surface*>(data);
  SdlBackend* self = surface->backend;
  // A disabled window takes no input, so the window manager must not move
  // it either.
  if (self->events_ == nullptr || !surface->enabled || area == nullptr) return SDL_HITTEST_NORMAL;
  return HitTestResultOf(self->events_->HitTest(surface->handle, Point{area->x, area->y}));
}

void SdlBackend::Dispatch(const SDL_Event& event) {
  if (event.type == wakeEventType_) {
    wakeEventQueued_.store(false);
    return;
  }
  if (events_ == nullptr) return;
  switch (event.type) {
    case SDL_MOUSEMOTION:
      if (Surface* s = FindById(event.motion.windowID))
        events_->OnMouseMove(s->handle, {event.motion.x, event.motion.y});
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      Surface* s = FindById(event.button.windowID);
      const int button = VirtualButtonOf(event.button.button);
      if (s == nullptr || button == 0) break;
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      events_->OnMouseButton(s->handle, {event.button.x, event.button.y}, button, down,
                             down && IsDoubleClick(event.button.clicks));
      break;
    }
    case SDL_MOUSEWHEEL: {
      Surface* s = FindById(event.wheel.windowID);
      const int delta = WheelDeltaOf(event.wheel.y, event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED);
      if (s != nullptr && delta != 0) events_->OnMouseWheel(s->handle, {event.wheel.mouseX, event.wheel.mouseY}, delta);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      lastKeyModifiers_ = event.key.keysym.mod;
      const int vk = VirtualKeyOf(event.key.keysym.sym, event.key.keysym.scancode);
      if (vk != 0) events_->OnKey(vk, event.type == SDL_KEYDOWN);
      break;
    }
    case SDL_TEXTINPUT:
      // The text of a key event follows it at once, so the modifiers of the
      // last key are the ones it was typed with.
      if (ModifiersAllowText(lastKeyModifiers_)) events_->OnText(Utf16UnitsOf(event.text.text));
      break;
    case SDL_WINDOWEVENT: DispatchWindowEvent(event.window); break;
    default: break;
  }
}

void SdlBackend::DispatchWindowEvent(const SDL_WindowEvent& event) {
  Surface* s = FindById(event.windowID);
  if (s == nullptr) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_MOVED: events_->OnSurfaceMoved(s->handle, {event.data1, event.data2}); break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      s->filled = nullptr;
      events_->OnSurfaceResized(s->handle, {event.data1, event.data2});
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      RepushSurface(*s);
      events_->OnSurfaceExposed(s->handle);
      break;
    case SDL_WINDOWEVENT_LEAVE: {
      int x = 0;
      int y = 0;
      SDL_GetGlobalMouseState(&x, &y);
      events_->OnMouseMove(nullptr, {x, y});
      break;
    }
    case SDL_WINDOWEVENT_FOCUS_GAINED: Activate(*s, true); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: Activate(*s, false); break;
    case SDL_WINDOWEVENT_CLOSE: events_->OnSurfaceCloseRequested(s->handle); break;
    default: break;
  }
}

void SdlBackend::Activate(Surface& surface, bool active) {
  if (!active) {
    if (surface.reportedActive) {
      surface.reportedActive = false;
      events_->OnSurfaceActivated(surface.handle, false);
    }
    return;
  }
  if (!surface.enabled) {
    // The window manager focused a window that waits for its modal owned
    // one (a click on it): as on Windows, the owned window comes forward.
    for (auto& [handle, owned] : surfaces_) {
      if (owned->owner == surface.handle && owned->enabled && !owned->layered &&
          (SDL_GetWindowFlags(owned->window) & SDL_WINDOW_SHOWN) != 0) {
        SDL_RaiseWindow(owned->window);
        break;
      }
    }
    return;
  }
  surface.reportedActive = true;
  events_->OnSurfaceActivated(surface.handle, true);
}

void SdlBackend::RepushSurface(Surface& surface) {
  // The window surface still holds the last frame; X keeps no copy of an
  // obscured window, so give it the pixels again at once.
  if (surface.filled != nullptr && surface.filled == SDL_GetWindowSurface(surface.window)) {
    SDL_UpdateWindowSurface(surface.window);
  }
}

}  // namespace zui::sdl
