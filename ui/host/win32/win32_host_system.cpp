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

int Win32Host::MessageBox(WindowHandle owner, std::wstring_view text, std::wstring_view caption, uint32_t flags) {
  return MessageBoxW(ToHwnd(owner), std::wstring(text).c_str(), std::wstring(caption).c_str(), flags);
}

void Win32Host::ShowTooltip(WindowHandle, std::wstring_view, const Rect&, int) {}

void Win32Host::HideTooltip(WindowHandle) {}

}  // namespace zui
