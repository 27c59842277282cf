#pragma once
// The Windows host: every call goes straight to user32 and gdi32, so the
// toolkit's windows are real native windows and their messages are the
// system's own. A WindowHandle is an HWND, a WindowProc is a WNDPROC.
//
// This header stays free of <windows.h>, so the program's entry point can
// make the host without pulling the system headers into portable code.

#include <memory>

#include "ui/host/host.h"

namespace zui {

class Win32Host : public IUiHost {
 public:
  // `module` (an HINSTANCE) owns the window classes and the icon resources;
  // null means the executable itself. A program that hands the toolkit its
  // instance passes the same one here.
  explicit Win32Host(void* module = nullptr);
  ~Win32Host() override;
  Win32Host(const Win32Host&) = delete;
  Win32Host& operator=(const Win32Host&) = delete;

  // Windows and classes (win32_host_windows.cpp).
  bool RegisterWindowClass(const WindowClassDesc& desc) override;
  WindowHandle CreateHostWindow(const HostWindowDesc& desc, void* createParam) override;
  bool DestroyHostWindow(WindowHandle window) override;
  bool IsHostWindow(WindowHandle window) const override;
  LRESULT_T DefaultProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) override;
  void* GetUserData(WindowHandle window) const override;
  void SetUserData(WindowHandle window, void* data) override;
  bool SetProp(WindowHandle window, std::wstring_view name, void* value) override;
  void* GetProp(WindowHandle window, std::wstring_view name) const override;
  void* RemoveProp(WindowHandle window, std::wstring_view name) override;
  WindowProc SetWindowProc(WindowHandle window, WindowProc proc) override;
  LRESULT_T CallWindowProc(WindowProc proc, WindowHandle window, uint32_t message, WPARAM_T wParam,
                           LPARAM_T lParam) override;
  bool GetClassInfo(std::wstring_view className, WindowClassDesc& out) const override;

  // Placement, state and styles (win32_host_placement.cpp).
  bool ShowHostWindow(WindowHandle window, int showCommand) override;
  bool IsVisible(WindowHandle window) const override;
  bool IsMaximized(WindowHandle window) const override;
  bool IsMinimized(WindowHandle window) const override;
  bool MoveHostWindow(WindowHandle window, const Rect& rect, bool repaint) override;
  Rect GetWindowRect(WindowHandle window) const override;
  Rect GetClientRect(WindowHandle window) const override;
  void SetRoundRegion(WindowHandle window, const Rect* rect, Size ellipse) override;
  bool EnableHostWindow(WindowHandle window, bool enable) override;
  bool IsEnabled(WindowHandle window) const override;
  WindowHandle GetOwner(WindowHandle window) const override;
  WindowHandle GetParent(WindowHandle window) const override;
  uint32_t GetStyle(WindowHandle window, bool extended) const override;
  void SetStyle(WindowHandle window, bool extended, uint32_t style) override;
  void SetOpacity(WindowHandle window, uint8_t alpha) override;
  void PlaceBehind(WindowHandle window, WindowHandle above) override;
  bool SetIcon(WindowHandle window, int resourceId) override;
  WindowHandle SetFocus(WindowHandle window) override;
  WindowHandle GetFocus() const override;
  WindowHandle GetActiveWindow() const override;

  // Queue, timers and input state (win32_host_queue.cpp).
  bool PostMessage(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) override;
  void PostQuitMessage(int exitCode) override;
  LRESULT_T SendMessage(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) override;
  bool GetMessage(HostMessage& msg) override;
  bool PeekMessage(HostMessage& msg, bool remove) override;
  void TranslateMessage(const HostMessage& msg) override;
  LRESULT_T DispatchMessage(const HostMessage& msg) override;
  bool SetTimer(WindowHandle window, uintptr_t id, uint32_t elapseMs) override;
  bool KillTimer(WindowHandle window, uintptr_t id) override;
  WindowHandle SetCapture(WindowHandle window) override;
  bool ReleaseCapture() override;
  WindowHandle GetCapture() const override;
  bool TrackMouseEvent(WindowHandle window, uint32_t hoverMs) override;
  void SetCursor(int systemCursor) override;
  Point GetCursorPos() const override;
  Point ScreenToClient(WindowHandle window, Point screen) const override;
  Point ClientToScreen(WindowHandle window, Point client) const override;
  int16_t GetKeyState(int virtualKey) const override;

  // Painting and pixels (win32_host_paint.cpp).
  void InvalidateRect(WindowHandle window, const Rect* rect) override;
  Rect BeginPaint(WindowHandle window) override;
  void EndPaint(WindowHandle window) override;
  void Present(WindowHandle window, const Bitmap& frame, const Rect& area) override;
  void UpdateLayered(WindowHandle window, const Bitmap& pixels, Point screenTopLeft) override;

  // System services (win32_host_system.cpp).
  uint32_t GetTickCount() const override;
  MonitorArea GetMonitorArea(WindowHandle window) const override;
  int GetDisplayDpi(WindowHandle window) const override;
  int MessageBox(WindowHandle owner, std::wstring_view text, std::wstring_view caption, uint32_t flags) override;
  // Tooltips are drawn by the toolkit itself; the host has nothing to do.

  struct State;

 private:
  // Ends an open paint of `window` and frees what the host holds for it.
  void ForgetWindow(WindowHandle window);

  std::unique_ptr<State> state_;
};

// The host a Windows program installs with SetHost; `module` as above.
std::unique_ptr<IUiHost> CreateWin32Host(void* module = nullptr);

}  // namespace zui
