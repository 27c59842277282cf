// What the backend reports: platform input becomes raw input in the queue,
// exactly like the synthesis helpers' (so one cooking path serves both), and
// the platform's own moves, sizes, activation and close requests become the
// messages user32 would send for them.

#include "ui/host/emulated/emulated_host.h"
#include "ui/host/emulated/emulated_window.h"

namespace zui {

bool EmulatedHost::HasSurface(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec != nullptr && !rec->Child();
}

void EmulatedHost::OnMouseMove(WindowHandle window, Point client) { MoveMouse(window, client); }

void EmulatedHost::OnMouseButton(WindowHandle window, Point client, int button, bool down, bool doubleClick) {
  if (button != VK_LBUTTON && button != VK_RBUTTON && button != VK_MBUTTON) return;
  if (down) {
    Press(window, client, button, doubleClick);
  } else {
    QueueMouse(window, client, MouseAction::kUp, button);
  }
}

void EmulatedHost::OnMouseWheel(WindowHandle window, Point client, int delta) { Wheel(window, client, delta); }

void EmulatedHost::OnKey(int virtualKey, bool down) { QueueKey(virtualKey, down); }

void EmulatedHost::OnText(std::wstring_view text) { TypeText(text); }

int EmulatedHost::HitTest(WindowHandle window, Point client) {
  if (Find(window) == nullptr || !IsEnabled(window)) return HTCLIENT;
  Point screen = ClientToScreen(window, client);
  return static_cast<int>(SendMessage(window, WM_NCHITTEST, 0, MakeLParam(screen.x, screen.y)));
}

void EmulatedHost::OnSurfaceMoved(WindowHandle window, Point topLeft) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr || rec->Minimized() || (rec->rect.left == topLeft.x && rec->rect.top == topLeft.y)) return;
  Rect moved = rec->rect.Offset(topLeft.x - rec->rect.left, topLeft.y - rec->rect.top);
  applyingSurfaceReport_ = true;
  MoveHostWindow(window, moved, false);
  applyingSurfaceReport_ = false;
}

void EmulatedHost::OnSurfaceResized(WindowHandle window, Size size) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr || rec->Minimized() || (rec->rect.Width() == size.cx && rec->rect.Height() == size.cy)) return;
  Rect sized{rec->rect.left, rec->rect.top, rec->rect.left + size.cx, rec->rect.top + size.cy};
  applyingSurfaceReport_ = true;
  MoveHostWindow(window, sized, true);
  applyingSurfaceReport_ = false;
}

void EmulatedHost::OnSurfaceActivated(WindowHandle window, bool active) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr || rec->destroying) return;
  if (active) {
    // A disabled window (the owner of a modal one) hands activation on.
    if (!rec->Enabled() || !rec->Visible()) return;
    Activate(window, WA_ACTIVE);
  } else if (active_ == window) {
    Activate(nullptr, WA_INACTIVE);
  }
}

void EmulatedHost::OnSurfaceExposed(WindowHandle window) {
  if (HasSurface(window)) InvalidateRect(window, nullptr);
}

void EmulatedHost::OnSurfaceCloseRequested(WindowHandle window) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr || rec->destroying || !rec->Enabled()) return;
  PostMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace zui
