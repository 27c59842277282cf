#pragma once
// What the Windows host keeps besides the system's own state, and the
// conversions between the seam's records and their Win32 twins. Private to
// the host's sources; the system headers come first so that the toolkit's
// message header keeps their definitions.

#include <windows.h>

#include <map>
#include <utility>

#include "ui/host/win32/win32_dib_surface.h"
#include "ui/host/win32/win32_host.h"

namespace zui {

// A WindowProc is called as a WNDPROC and the other way round: the two
// agree only where the calling convention is the single x64 one.
#if !defined(_WIN64)
#error "the Windows host passes window procedures through unchanged, which needs x64"
#endif
static_assert(sizeof(LRESULT) == sizeof(LRESULT_T) && sizeof(WPARAM) == sizeof(WPARAM_T) &&
              sizeof(LPARAM) == sizeof(LPARAM_T) && sizeof(UINT) == sizeof(uint32_t));

struct Win32Host::State {
  HINSTANCE module = nullptr;
  // The paint a window has begun and not yet ended: Present draws into its DC.
  std::map<HWND, PAINTSTRUCT> paints;
  // The icons SetIcon loaded for a window (big, small), freed when they are
  // replaced or the window goes.
  std::map<HWND, std::pair<HICON, HICON>> icons;
  // Reused for every copy to the screen: one window's frame area at a time.
  DibSurface scratch;
};

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle FromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }

inline WNDPROC ToWndProc(WindowProc proc) { return reinterpret_cast<WNDPROC>(proc); }
inline WindowProc FromWndProc(WNDPROC proc) { return reinterpret_cast<WindowProc>(proc); }

inline RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

inline MSG ToMSG(const HostMessage& m) {
  MSG out{};
  out.hwnd = ToHwnd(m.window);
  out.message = m.message;
  out.wParam = m.wParam;
  out.lParam = m.lParam;
  out.time = m.time;
  out.pt = {m.point.x, m.point.y};
  return out;
}

inline HostMessage FromMSG(const MSG& m) {
  HostMessage out;
  out.window = FromHwnd(m.hwnd);
  out.message = m.message;
  out.wParam = m.wParam;
  out.lParam = m.lParam;
  out.time = m.time;
  out.point = {m.pt.x, m.pt.y};
  return out;
}

}  // namespace zui
