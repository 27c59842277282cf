#pragma once
// The UI host: everything the toolkit asks of the platform's windowing, shaped
// after the user32 calls it replaces. The Win32 host forwards to user32; the
// SDL host emulates the same behaviour over SDL2; the headless host keeps
// windows in memory for tests. All calls run on the UI thread except
// PostMessage, which any thread may call.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/base/geometry.h"
#include "ui/base/messages.h"
#include "ui/base/bitmap.h"

// <windows.h> maps these names to its ...W functions; the seam keeps its own
// method names. (A file that includes <windows.h> must call the Win32
// functions by their W names.)
#ifdef PostMessage
#undef PostMessage
#endif
#ifdef SendMessage
#undef SendMessage
#endif
#ifdef GetMessage
#undef GetMessage
#endif
#ifdef PeekMessage
#undef PeekMessage
#endif
#ifdef DispatchMessage
#undef DispatchMessage
#endif
#ifdef MessageBox
#undef MessageBox
#endif
#ifdef SetProp
#undef SetProp
#endif
#ifdef GetProp
#undef GetProp
#endif
#ifdef RemoveProp
#undef RemoveProp
#endif
#ifdef CallWindowProc
#undef CallWindowProc
#endif
#ifdef GetClassInfo
#undef GetClassInfo
#endif

namespace zui {

using WindowProc = LRESULT_T (*)(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam);

// One queued message, like MSG.
struct HostMessage {
  WindowHandle window = nullptr;
  uint32_t message = 0;
  WPARAM_T wParam = 0;
  LPARAM_T lParam = 0;
  uint32_t time = 0;
  Point point;  // cursor position in screen coordinates when it was queued
};

// Like WNDCLASSW, reduced to what the toolkit fills in.
struct WindowClassDesc {
  std::wstring name;
  uint32_t style = 0;  // CS_*
  WindowProc proc = nullptr;
};

// Like the arguments of CreateWindowExW.
struct HostWindowDesc {
  std::wstring className;
  std::wstring title;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  Rect rect;                      // screen rectangle (left, top, right, bottom)
  WindowHandle parent = nullptr;  // parent of a child window, owner of a popup
};

// Like MONITORINFO.
struct MonitorArea {
  Rect monitor;
  Rect work;
  bool primary = true;
};

class IUiHost {
 public:
  virtual ~IUiHost() = default;

  // Window classes and windows. Registering a class that exists succeeds.
  virtual bool RegisterWindowClass(const WindowClassDesc& desc) = 0;
  // Sends WM_NCCREATE and WM_CREATE (lParam: HostCreateStruct with
  // `createParam`) before it returns; null when the class is unknown or a
  // creation message refuses.
  virtual WindowHandle CreateHostWindow(const HostWindowDesc& desc, void* createParam) = 0;
  // Sends WM_DESTROY and WM_NCDESTROY, then forgets the window.
  virtual bool DestroyHostWindow(WindowHandle window) = 0;
  virtual bool IsHostWindow(WindowHandle window) const = 0;
  // DefWindowProcW.
  virtual LRESULT_T DefaultProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) = 0;
  // GWLP_USERDATA.
  virtual void* GetUserData(WindowHandle window) const = 0;
  virtual void SetUserData(WindowHandle window, void* data) = 0;
  // Window properties (SetPropW / GetPropW / RemovePropW); RemoveProp answers
  // the value it removed.
  virtual bool SetProp(WindowHandle window, std::wstring_view name, void* value) = 0;
  virtual void* GetProp(WindowHandle window, std::wstring_view name) const = 0;
  virtual void* RemoveProp(WindowHandle window, std::wstring_view name) = 0;
  // GWLP_WNDPROC: installs `proc` and answers the procedure it replaces (null
  // for no such window). Call a replaced procedure through CallWindowProc.
  virtual WindowProc SetWindowProc(WindowHandle window, WindowProc proc) = 0;
  virtual LRESULT_T CallWindowProc(WindowProc proc, WindowHandle window, uint32_t message, WPARAM_T wParam,
                                   LPARAM_T lParam) = 0;
  // GetClassInfoExW: false when no such class is registered.
  virtual bool GetClassInfo(std::wstring_view className, WindowClassDesc& out) const = 0;

  // Like ShowWindow: answers whether the window was visible before.
  virtual bool ShowHostWindow(WindowHandle window, int showCommand) = 0;
  virtual bool IsVisible(WindowHandle window) const = 0;
  virtual bool IsMaximized(WindowHandle window) const = 0;
  virtual bool IsMinimized(WindowHandle window) const = 0;
  // Moves and sizes the window (screen coordinates of its outer rectangle).
  virtual bool MoveHostWindow(WindowHandle window, const Rect& rect, bool repaint) = 0;
  virtual Rect GetWindowRect(WindowHandle window) const = 0;
  // Origin (0, 0), the window's size without a frame.
  virtual Rect GetClientRect(WindowHandle window) const = 0;
  // A rounded-rectangle region (SetWindowRgn of CreateRoundRectRgn); a null
  // rectangle removes the region.
  virtual void SetRoundRegion(WindowHandle window, const Rect* rect, Size ellipse) = 0;
  // Like EnableWindow: answers whether the window was disabled before.
  virtual bool EnableHostWindow(WindowHandle window, bool enable) = 0;
  virtual bool IsEnabled(WindowHandle window) const = 0;
  virtual WindowHandle GetOwner(WindowHandle window) const = 0;
  // Like GetParent: the parent of a child, the owner of a WS_POPUP window.
  virtual WindowHandle GetParent(WindowHandle window) const = 0;
  // GWL_STYLE (extended = false) or GWL_EXSTYLE.
  virtual uint32_t GetStyle(WindowHandle window, bool extended) const = 0;
  virtual void SetStyle(WindowHandle window, bool extended, uint32_t style) = 0;
  // Whole-window opacity (SetLayeredWindowAttributes with LWA_ALPHA).
  virtual void SetOpacity(WindowHandle window, uint8_t alpha) = 0;
  // Per-pixel-alpha content of a layered window (UpdateLayeredWindow with
  // ULW_ALPHA): the window takes the bitmap's size and `screenTopLeft`.
  virtual void UpdateLayered(WindowHandle window, const Bitmap& pixels, Point screenTopLeft) = 0;
  // Z-order: puts `window` directly behind `above` without activating it.
  virtual void PlaceBehind(WindowHandle window, WindowHandle above) = 0;
  // The window's big and small icons from the program's icon resource `id`
  // (WM_SETICON); false when there is no such icon.
  virtual bool SetIcon(WindowHandle window, int resourceId) = 0;
  // Keyboard focus; both answer the window that had it.
  virtual WindowHandle SetFocus(WindowHandle window) = 0;
  virtual WindowHandle GetFocus() const = 0;
  virtual WindowHandle GetActiveWindow() const = 0;

  // The message queue of the calling UI thread.
  virtual bool PostMessage(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) = 0;
  virtual void PostQuitMessage(int exitCode) = 0;
  virtual LRESULT_T SendMessage(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) = 0;
  // Waits for the next message; false for WM_QUIT (its wParam in `msg`).
  virtual bool GetMessage(HostMessage& msg) = 0;
  virtual bool PeekMessage(HostMessage& msg, bool remove) = 0;
  // Queues WM_CHAR / WM_SYSCHAR for key-down messages that make a character.
  virtual void TranslateMessage(const HostMessage& msg) = 0;
  virtual LRESULT_T DispatchMessage(const HostMessage& msg) = 0;

  // Timers post WM_TIMER with the id in wParam; setting an existing id
  // restarts it.
  virtual bool SetTimer(WindowHandle window, uintptr_t id, uint32_t elapseMs) = 0;
  virtual bool KillTimer(WindowHandle window, uintptr_t id) = 0;

  // Mouse.
  virtual WindowHandle SetCapture(WindowHandle window) = 0;
  virtual bool ReleaseCapture() = 0;
  virtual WindowHandle GetCapture() const = 0;
  // Arms one WM_MOUSEHOVER after `hoverMs` without movement and one
  // WM_MOUSELEAVE when the mouse leaves the client area.
  virtual bool TrackMouseEvent(WindowHandle window, uint32_t hoverMs) = 0;
  virtual void SetCursor(int systemCursor) = 0;
  virtual Point GetCursorPos() const = 0;
  virtual Point ScreenToClient(WindowHandle window, Point screen) const = 0;
  virtual Point ClientToScreen(WindowHandle window, Point client) const = 0;
  // GetKeyState: the high bit (0x8000) is set while the key is down.
  virtual int16_t GetKeyState(int virtualKey) const = 0;

  // Painting. Invalid areas gather into one update rectangle per window and
  // become WM_PAINT when the queue is otherwise empty.
  virtual void InvalidateRect(WindowHandle window, const Rect* rect) = 0;
  // BeginPaint: the update rectangle, which is then validated.
  virtual Rect BeginPaint(WindowHandle window) = 0;
  virtual void EndPaint(WindowHandle window) = 0;
  // Copies `area` of `frame` (client coordinates) onto the window.
  virtual void Present(WindowHandle window, const Bitmap& frame, const Rect& area) = 0;

  virtual uint32_t GetTickCount() const = 0;
  // The monitor nearest to the window (the primary one for none).
  virtual MonitorArea GetMonitorArea(WindowHandle window) const = 0;
  // The desktop's dots per inch where the window is (the primary display for
  // none); 96 is 100 %.
  virtual int GetDisplayDpi(WindowHandle window) const = 0;
  virtual int MessageBox(WindowHandle owner, std::wstring_view text, std::wstring_view caption, uint32_t flags) = 0;
};

// The process's host. A program installs its platform host before it makes
// a window; asking for the host before that is a fault of the program, so
// Host() then prints one line to standard error and aborts.
IUiHost& Host();
// Installs `host` (not owned; null uninstalls) and answers the one it
// replaces (null for none).
IUiHost* SetHost(IUiHost* host);

// Installs a host for one scope, e.g. a test.
class ScopedHost {
 public:
  explicit ScopedHost(IUiHost& host) : previous_(SetHost(&host)) {}
  ~ScopedHost() { SetHost(previous_); }
  ScopedHost(const ScopedHost&) = delete;
  ScopedHost& operator=(const ScopedHost&) = delete;

 private:
  IUiHost* previous_;
};

}  // namespace zui
