#pragma once
// The platform under the user32 emulation: what the emulation cannot do by
// itself. It keeps every window, the queue, timers, activation, capture and
// default processing; a backend only gives each top-level window a native
// surface, shows pixels, tells time, waits for the platform's events and
// hands them in through IHostEvents, and offers a few system services.
//
// Threads: Wake() may be called from any thread. Everything else runs on the
// UI thread, and a backend calls IHostEvents only from inside WaitForEvents
// or HitTest-style callbacks that the platform makes during it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/base/bitmap.h"
#include "ui/base/geometry.h"
#include "ui/base/messages.h"
#include "ui/host/host.h"

namespace zui {

// A top-level window as the platform sees it.
struct SurfaceDesc {
  std::wstring title;
  Rect rect;             // screen rectangle
  uint32_t style = 0;    // WS_*; WS_POPUP with WS_EX_TOOLWINDOW marks a popup such as a tooltip
  uint32_t exStyle = 0;  // WS_EX_*
  WindowHandle owner = nullptr;
};

// The emulation, as its backend sees it. Points are client coordinates of
// `window`; a null window means the mouse is over none of ours.
class IHostEvents {
 public:
  virtual ~IHostEvents() = default;

  // Mouse and keyboard: queued as raw input, cooked into messages when they
  // are retrieved (capture, hit-testing, activation by click).
  virtual void OnMouseMove(WindowHandle window, Point client) = 0;
  // `button`: VK_LBUTTON, VK_RBUTTON or VK_MBUTTON.
  virtual void OnMouseButton(WindowHandle window, Point client, int button, bool down, bool doubleClick) = 0;
  // WHEEL_DELTA (120) per notch away from the user.
  virtual void OnMouseWheel(WindowHandle window, Point client, int delta) = 0;
  virtual void OnKey(int virtualKey, bool down) = 0;
  // Typed text (keyboard or input method): one WM_CHAR per UTF-16 unit.
  virtual void OnText(std::wstring_view text) = 0;

  // Asked synchronously by platforms that decide moves and resizes
  // themselves: the WM_NCHITTEST answer at a client point (HTCLIENT when the
  // window is gone).
  virtual int HitTest(WindowHandle window, Point client) = 0;

  // The platform moved, sized, activated or exposed a surface, or the user
  // asked it to close (the window manager's close, e.g. Alt+F4).
  virtual void OnSurfaceMoved(WindowHandle window, Point topLeft) = 0;
  virtual void OnSurfaceResized(WindowHandle window, Size size) = 0;
  virtual void OnSurfaceActivated(WindowHandle window, bool active) = 0;
  virtual void OnSurfaceExposed(WindowHandle window) = 0;
  virtual void OnSurfaceCloseRequested(WindowHandle window) = 0;
};

class IHostBackend {
 public:
  virtual ~IHostBackend() = default;

  // The emulation introduces itself once, before anything else.
  virtual void Attach(IHostEvents* events) = 0;

  // --- Surfaces: one per top-level window; child windows have none ---
  virtual bool CreateSurface(WindowHandle window, const SurfaceDesc& desc) = 0;
  virtual void DestroySurface(WindowHandle window) = 0;
  virtual void MoveSurface(WindowHandle window, const Rect& rect) = 0;
  virtual void ShowSurface(WindowHandle window, bool show, bool activate) = 0;
  virtual void SetSurfaceTitle(WindowHandle window, std::wstring_view title) = 0;
  // A rounded-rectangle shape; null removes it.
  virtual void SetSurfaceRegion(WindowHandle window, const Rect* rect, Size ellipse) = 0;
  virtual void SetSurfaceOpacity(WindowHandle window, uint8_t alpha) = 0;
  // Input goes nowhere while the emulation keeps a window disabled; this
  // lets the platform show it too (e.g. a modal window's owner).
  virtual void SetSurfaceEnabled(WindowHandle window, bool enabled) = 0;
  virtual bool SetSurfaceIcon(WindowHandle window, int resourceId) = 0;
  virtual void PlaceSurfaceBehind(WindowHandle window, WindowHandle above) = 0;
  // Copies `area` (client coordinates) of `frame` onto the surface.
  virtual void Present(WindowHandle window, const Bitmap& frame, const Rect& area) = 0;
  // Whole per-pixel-alpha content of a layered surface at `screenTopLeft`.
  virtual void PresentLayered(WindowHandle window, const Bitmap& pixels, Point screenTopLeft) = 0;
  // DefWindowProc's move or size loop (`hitCode` HTCAPTION or HTLEFT …
  // HTBOTTOMRIGHT). Platforms whose window manager moves windows on its own
  // (through HitTest) do nothing here.
  virtual void BeginMoveSize(WindowHandle window, int hitCode) = 0;

  // --- Time and events ---
  // Milliseconds, wrapping like GetTickCount.
  virtual uint32_t Now() const = 0;
  // Blocks until the platform has events (handed in through IHostEvents
  // before it returns), Wake() is called, or `timeoutMs` passes (nullopt:
  // no limit; 0: only take what is there now, never block). Returning early
  // is allowed.
  virtual void WaitForEvents(std::optional<uint32_t> timeoutMs) = 0;
  // Makes a WaitForEvents on the UI thread return; any thread.
  virtual void Wake() = 0;
  // True when typed characters arrive through OnText, so TranslateMessage
  // makes characters only for the control keys (Return, Escape, Backspace,
  // Tab).
  virtual bool TextComesSeparately() const { return false; }

  // --- System services ---
  virtual void SetCursor(int systemCursor) = 0;
  // The monitor that holds most of `rect` (the primary one for none).
  virtual MonitorArea MonitorFor(const Rect& rect) const = 0;
  // The desktop's dots per inch for the display that holds most of `rect`;
  // 96 is 100 %.
  virtual int DisplayDpiFor(const Rect&) const { return 96; }
  virtual int MessageBox(WindowHandle owner, std::wstring_view text, std::wstring_view caption, uint32_t flags) = 0;
};

}  // namespace zui
