// Showing, moving and shaping windows, their styles, z-order, icons and the
// keyboard focus.

#include "ui/host/win32/win32_host_state.h"

namespace zui {
namespace {

// Icons come in sizes of whole 16-pixel steps; the system size may not be one.
int IconSide(int systemMetric) {
  const int side = GetSystemMetrics(systemMetric);
  return side <= 0 ? 32 : (side + 15) / 16 * 16;
}

}  // namespace

bool Win32Host::ShowHostWindow(WindowHandle window, int showCommand) {
  return ShowWindow(ToHwnd(window), showCommand) != FALSE;
}

bool Win32Host::IsVisible(WindowHandle window) const { return IsWindowVisible(ToHwnd(window)) != FALSE; }

bool Win32Host::IsMaximized(WindowHandle window) const { return IsZoomed(ToHwnd(window)) != FALSE; }

bool Win32Host::IsMinimized(WindowHandle window) const { return IsIconic(ToHwnd(window)) != FALSE; }

bool Win32Host::MoveHostWindow(WindowHandle window, const Rect& rect, bool repaint) {
  HWND hwnd = ToHwnd(window);
  POINT origin{rect.left, rect.top};
  HWND parent = ::GetParent(hwnd);
  if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) != 0 && parent != nullptr) ::ScreenToClient(parent, &origin);
  return MoveWindow(hwnd, origin.x, origin.y, rect.Width(), rect.Height(), repaint ? TRUE : FALSE) != FALSE;
}

Rect Win32Host::GetWindowRect(WindowHandle window) const {
  RECT r{};
  if (::GetWindowRect(ToHwnd(window), &r) == FALSE) return {};
  return FromRECT(r);
}

Rect Win32Host::GetClientRect(WindowHandle window) const {
  RECT r{};
  if (::GetClientRect(ToHwnd(window), &r) == FALSE) return {};
  return FromRECT(r);
}

void Win32Host::SetRoundRegion(WindowHandle window, const Rect* rect, Size ellipse) {
  HWND hwnd = ToHwnd(window);
  if (rect == nullptr) {
    SetWindowRgn(hwnd, nullptr, TRUE);
    return;
  }
  HRGN region = CreateRoundRectRgn(rect->left, rect->top, rect->right, rect->bottom, ellipse.cx, ellipse.cy);
  if (region == nullptr) return;
  // On success the window owns the region; otherwise it is still ours.
  if (SetWindowRgn(hwnd, region, TRUE) == 0) DeleteObject(region);
}

bool Win32Host::EnableHostWindow(WindowHandle window, bool enable) {
  return EnableWindow(ToHwnd(window), enable ? TRUE : FALSE) != FALSE;
}

bool Win32Host::IsEnabled(WindowHandle window) const { return IsWindowEnabled(ToHwnd(window)) != FALSE; }

WindowHandle Win32Host::GetOwner(WindowHandle window) const { return FromHwnd(GetWindow(ToHwnd(window), GW_OWNER)); }

WindowHandle Win32Host::GetParent(WindowHandle window) const { return FromHwnd(::GetParent(ToHwnd(window))); }

uint32_t Win32Host::GetStyle(WindowHandle window, bool extended) const {
  return static_cast<uint32_t>(GetWindowLongW(ToHwnd(window), extended ? GWL_EXSTYLE : GWL_STYLE));
}

void Win32Host::SetStyle(WindowHandle window, bool extended, uint32_t style) {
  SetWindowLongW(ToHwnd(window), extended ? GWL_EXSTYLE : GWL_STYLE, static_cast<LONG>(style));
}

void Win32Host::SetOpacity(WindowHandle window, uint8_t alpha) {
  HWND hwnd = ToHwnd(window);
  // Whole-window opacity exists only for layered windows.
  const LONG exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
  if ((exStyle & WS_EX_LAYERED) == 0) {
    if (alpha == 255) return;  // already opaque; a layered window costs more to draw
    SetWindowLongW(hwnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  }
  SetLayeredWindowAttributes(hwnd, 0, alpha, LWA_ALPHA);
}

void Win32Host::PlaceBehind(WindowHandle window, WindowHandle above) {
  SetWindowPos(ToHwnd(window), ToHwnd(above), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Win32Host::SetIcon(WindowHandle window, int resourceId) {
  HWND hwnd = ToHwnd(window);
  if (resourceId <= 0 || resourceId > 0xFFFF || !IsWindow(hwnd)) return false;
  const int cx = IconSide(SM_CXICON);
  const int cy = IconSide(SM_CYICON);
  auto load = [&] {
    return static_cast<HICON>(
        LoadImageW(state_->module, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
  };
  HICON big = load();
  HICON small = big != nullptr ? load() : nullptr;
  if (small == nullptr) {
    if (big != nullptr) DestroyIcon(big);
    return false;
  }
  SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  auto [it, fresh] = state_->icons.try_emplace(hwnd, big, small);
  if (!fresh) {
    DestroyIcon(it->second.first);
    DestroyIcon(it->second.second);
    it->second = {big, small};
  }
  return true;
}

WindowHandle Win32Host::SetFocus(WindowHandle window) { return FromHwnd(::SetFocus(ToHwnd(window))); }

WindowHandle Win32Host::GetFocus() const { return FromHwnd(::GetFocus()); }

WindowHandle Win32Host::GetActiveWindow() const { return FromHwnd(::GetActiveWindow()); }

}  // namespace zui
