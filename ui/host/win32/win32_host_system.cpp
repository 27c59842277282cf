// Time, monitors and message boxes.

#include "ui/host/win32/win32_host_state.h"

#include <string>

namespace zui {

uint32_t Win32Host::GetTickCount() const { return ::GetTickCount(); }

MonitorArea Win32Host::GetMonitorArea(WindowHandle window) const {
  HMONITOR monitor = window != nullptr ? MonitorFromWindow(ToHwnd(window), MONITOR_DEFAULTTONEAREST)
                                       : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (monitor != nullptr && GetMonitorInfoW(monitor, &info) != FALSE) {
    return {FromRECT(info.rcMonitor), FromRECT(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
  }
  // No monitor to ask: the primary screen, whole, is the best guess.
  const Rect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return {screen, screen, true};
}

// The window's own DPI where the system has per-monitor DPI (Windows 10
// 1607 and later), else the desktop's logical DPI.
int Win32Host::GetDisplayDpi(WindowHandle window) const {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (window != nullptr && getDpiForWindow != nullptr) {
    const UINT dpi = getDpiForWindow(ToHwnd(window));
    if (dpi > 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int Win32Host::MessageBox(WindowHandle owner, std::wstring_view text, std::wstring_view caption, uint32_t flags) {
  return MessageBoxW(ToHwnd(owner), std::wstring(text).c_str(), std::wstring(caption).c_str(), flags);
}

}  // namespace zui
