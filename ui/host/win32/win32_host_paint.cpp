// Invalid areas, the paint cycle, and putting the toolkit's pixels on the
// screen: an opaque window gets its frame by BitBlt, a layered one its
// per-pixel-alpha content through UpdateLayeredWindow.

#include "ui/host/win32/win32_host_state.h"

namespace zui {

void Win32Host::InvalidateRect(WindowHandle window, const Rect* rect) {
  // No erasing: every paint covers its whole update rectangle.
  if (rect == nullptr) {
    ::InvalidateRect(ToHwnd(window), nullptr, FALSE);
    return;
  }
  const RECT r = ToRECT(*rect);
  ::InvalidateRect(ToHwnd(window), &r, FALSE);
}

Rect Win32Host::BeginPaint(WindowHandle window) {
  HWND hwnd = ToHwnd(window);
  // A paint begun twice without an end would hold a DC for good.
  EndPaint(window);
  PAINTSTRUCT paint{};
  if (::BeginPaint(hwnd, &paint) == nullptr) return {};
  state_->paints[hwnd] = paint;
  return FromRECT(paint.rcPaint);
}

void Win32Host::EndPaint(WindowHandle window) {
  HWND hwnd = ToHwnd(window);
  auto it = state_->paints.find(hwnd);
  if (it == state_->paints.end()) return;
  ::EndPaint(hwnd, &it->second);
  state_->paints.erase(it);
}

void Win32Host::Present(WindowHandle window, const Bitmap& frame, const Rect& area) {
  HWND hwnd = ToHwnd(window);
  const Rect clip = area.Intersect({0, 0, frame.width(), frame.height()});
  if (clip.IsEmpty() || !state_->scratch.Reserve(clip.Width(), clip.Height())) return;
  const Size copied = state_->scratch.CopyFrom(frame, clip);
  // Inside a paint the paint's DC is the one clipped to the update region.
  auto paint = state_->paints.find(hwnd);
  HDC dc = paint != state_->paints.end() ? paint->second.hdc : GetDC(hwnd);
  if (dc == nullptr) return;
  BitBlt(dc, clip.left, clip.top, copied.cx, copied.cy, state_->scratch.dc(), 0, 0, SRCCOPY);
  if (paint == state_->paints.end()) ReleaseDC(hwnd, dc);
}

void Win32Host::UpdateLayered(WindowHandle window, const Bitmap& pixels, Point screenTopLeft) {
  if (pixels.empty() || !state_->scratch.Reserve(pixels.width(), pixels.height())) return;
  const Size copied = state_->scratch.CopyFrom(pixels, {0, 0, pixels.width(), pixels.height()});
  POINT destination{screenTopLeft.x, screenTopLeft.y};
  SIZE size{copied.cx, copied.cy};
  POINT source{0, 0};
  // The pixels are premultiplied already, which is what per-pixel alpha takes.
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(ToHwnd(window), nullptr, &destination, &size, state_->scratch.dc(), &source, 0, &blend,
                      ULW_ALPHA);
}

}  // namespace zui
