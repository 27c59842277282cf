// The thread's message queue, timers, mouse capture and tracking, the
// cursor and the key state: each a user32 call.

#include "ui/host/win32/win32_host_state.h"

namespace zui {

bool Win32Host::PostMessage(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  return PostMessageW(ToHwnd(window), message, wParam, lParam) != FALSE;
}

void Win32Host::PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

LRESULT_T Win32Host::SendMessage(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  return SendMessageW(ToHwnd(window), message, wParam, lParam);
}

bool Win32Host::GetMessage(HostMessage& msg) {
  MSG m{};
  const BOOL got = GetMessageW(&m, nullptr, 0, 0);
  if (got == -1) {
    // Only a bad window filter fails, and there is none; a loop that went on
    // would spin, so the failure ends it like a quit.
    msg = HostMessage{};
    msg.message = WM_QUIT;
    return false;
  }
  msg = FromMSG(m);
  return got != 0;
}

bool Win32Host::PeekMessage(HostMessage& msg, bool remove) {
  MSG m{};
  if (PeekMessageW(&m, nullptr, 0, 0, remove ? PM_REMOVE : PM_NOREMOVE) == FALSE) return false;
  msg = FromMSG(m);
  return true;
}

void Win32Host::TranslateMessage(const HostMessage& msg) {
  const MSG m = ToMSG(msg);
  ::TranslateMessage(&m);
}

LRESULT_T Win32Host::DispatchMessage(const HostMessage& msg) {
  const MSG m = ToMSG(msg);
  return DispatchMessageW(&m);
}

bool Win32Host::SetTimer(WindowHandle window, uintptr_t id, uint32_t elapseMs) {
  return ::SetTimer(ToHwnd(window), id, elapseMs, nullptr) != 0;
}

bool Win32Host::KillTimer(WindowHandle window, uintptr_t id) { return ::KillTimer(ToHwnd(window), id) != FALSE; }

WindowHandle Win32Host::SetCapture(WindowHandle window) { return FromHwnd(::SetCapture(ToHwnd(window))); }

bool Win32Host::ReleaseCapture() { return ::ReleaseCapture() != FALSE; }

WindowHandle Win32Host::GetCapture() const { return FromHwnd(::GetCapture()); }

bool Win32Host::TrackMouseEvent(WindowHandle window, uint32_t hoverMs) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_HOVER | TME_LEAVE;
  track.hwndTrack = ToHwnd(window);
  track.dwHoverTime = hoverMs;
  return ::TrackMouseEvent(&track) != FALSE;
}

void Win32Host::SetCursor(int systemCursor) {
  ::SetCursor(systemCursor == kCursorNone ? nullptr : LoadCursorW(nullptr, MAKEINTRESOURCEW(systemCursor)));
}

Point Win32Host::GetCursorPos() const {
  POINT p{};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}

Point Win32Host::ScreenToClient(WindowHandle window, Point screen) const {
  POINT p{screen.x, screen.y};
  ::ScreenToClient(ToHwnd(window), &p);
  return {p.x, p.y};
}

Point Win32Host::ClientToScreen(WindowHandle window, Point client) const {
  POINT p{client.x, client.y};
  ::ClientToScreen(ToHwnd(window), &p);
  return {p.x, p.y};
}

int16_t Win32Host::GetKeyState(int virtualKey) const { return ::GetKeyState(virtualKey); }

}  // namespace zui
