// The window's messages after its own handlers: mouse and keys become input
// events for single controls; the rest keeps the window's state in step.

#include "ui/controls/control.h"
#include "ui/window/paint_manager.h"
#include "ui/host/host.h"
#include "ui/window/tooltip_window.h"

namespace zui {

namespace {

Point PointOf(LPARAM_T lParam) { return {LParamX(lParam), LParamY(lParam)}; }

bool IsMouseMessage(uint32_t message) {
  return (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) || message == WM_MOUSEHOVER ||
         message == WM_CONTEXTMENU || message == WM_MOUSEWHEEL;
}

}  // namespace

bool CPaintManagerUI::MessageHandler(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result) {
  if (window_ == nullptr) return false;
  if (AskMessageFilters(message, wParam, lParam, result)) return true;
  if (HandleWindowMessage(message, wParam, lParam, result)) return true;
  if (HandleMouseMessage(message, wParam, lParam, result)) return true;
  if (HandleKeyMessage(message, wParam, lParam)) return true;
  return HandleReflectedMessage(message, wParam, lParam, result);
}

bool CPaintManagerUI::AskMessageFilters(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result) {
  const std::vector<IMessageFilterUI*> filters = messageFilters_;
  for (IMessageFilterUI* filter : filters) {
    bool handled = false;
    const LRESULT_T answer = filter->MessageHandler(message, wParam, lParam, handled);
    if (!handled) continue;
    result = answer;
    if (IsMouseMessage(message)) {
      Point p = PointOf(lParam);
      if (message == WM_CONTEXTMENU || message == WM_MOUSEWHEEL) p = Host().ScreenToClient(window_, p);
      lastMousePos_ = p;
    }
    return true;
  }
  return false;
}

bool CPaintManagerUI::HandleWindowMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result) {
  if (layered_) {
    // A layered window draws no native frame at all.
    if (message == WM_NCCALCSIZE || message == WM_NCPAINT) {
      result = 0;
      return true;
    }
    if (message == WM_NCACTIVATE && !Host().IsMinimized(window_)) {
      result = wParam == 0 ? 1 : 0;
      return true;
    }
  }
  switch (message) {
    case WM_SIZE:
      if (focus_ != nullptr) SendEvent(focus_, kEventWindowSize, wParam, lParam);
      if (root_ != nullptr) root_->NeedUpdate();
      updateNeeded_ = true;
      result = 0;
      return true;
    case WM_SETFOCUS:
      if (focus_ != nullptr) SendEvent(focus_, kEventSetFocus, wParam, lParam);
      return false;
    case WM_KILLFOCUS:
      if (captured_) ReleaseCapture();
      return false;
    case WM_PAINT:
      Paint();
      result = 0;
      return true;
    case WM_PRINTCLIENT:
      // wParam: the bitmap to print into, made client sized when empty.
      if (root_ != nullptr && wParam != 0) {
        Bitmap& target = *reinterpret_cast<Bitmap*>(wParam);
        const Rect client = GetClientRect();
        if (target.empty()) target.Resize(client.Width(), client.Height());
        PaintInto(target, client);
      }
      return false;
    case WM_CLOSE: OnClose(); return false;
    case WM_ERASEBKGND: result = 1; return true;
    case WM_SETCURSOR:
      if (OnSetCursor(wParam, lParam)) {
        result = 1;
        return true;
      }
      return false;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MinMaxInfo*>(lParam);
      if (info == nullptr) return false;
      if (minInfo_.cx > 0) info->minTrackSize.x = minInfo_.cx;
      if (minInfo_.cy > 0) info->minTrackSize.y = minInfo_.cy;
      if (maxInfo_.cx > 0) info->maxTrackSize.x = info->maxSize.x = maxInfo_.cx;
      if (maxInfo_.cy > 0) info->maxTrackSize.y = info->maxSize.y = maxInfo_.cy;
      return false;
    }
    case WM_TIMER: return HandleTimer(wParam, lParam);
    case kMsgDrainQueue:
      DrainQueue();
      result = 0;
      return true;
    default: return false;
  }
}

void CPaintManagerUI::OnClose() {
  // Every control that saw a press or the mouse coming in also sees the end
  // of it before the window goes.
  if (hot_ != nullptr) {
    CControlUI* hot = hot_;
    hot_ = nullptr;
    SendEvent(hot, kEventMouseLeave);
  }
  if (click_ != nullptr) {
    CControlUI* click = click_;
    click_ = nullptr;
    ReleaseCapture();
    SendEvent(click, kEventButtonUp);
  }
  SetFocus(nullptr);
  if (Host().GetActiveWindow() == window_) {
    WindowHandle owner = Host().GetOwner(window_);
    if (owner != nullptr) Host().SetFocus(owner);
  }
  tooltip_.reset();
}

void CPaintManagerUI::HideTooltip() {
  if (tooltip_ != nullptr) tooltip_->Hide();
}

bool CPaintManagerUI::OnSetCursor(WPARAM_T wParam, LPARAM_T lParam) {
  if (LowWord(static_cast<uintptr_t>(lParam)) != HTCLIENT) return false;
  if (captured_) return true;
  const Point p = Host().ScreenToClient(window_, Host().GetCursorPos());
  CControlUI* control = FindControl(p);
  if (control == nullptr || (control->GetControlFlags() & kControlFlagSetCursor) == 0) return false;
  SendEvent(control, kEventSetCursor, wParam, lParam);
  return true;
}

bool CPaintManagerUI::HandleMouseMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result) {
  switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(PointOf(lParam), wParam, lParam); return false;
    case WM_LBUTTONDOWN:
      Host().SetFocus(window_);
      OnButtonDown(kEventButtonDown, PointOf(lParam), wParam, lParam, true);
      return false;
    case WM_RBUTTONDOWN:
      Host().SetFocus(window_);
      OnButtonDown(kEventRButtonDown, PointOf(lParam), wParam, lParam, true);
      return false;
    case WM_MBUTTONDOWN:
      Host().SetFocus(window_);
      OnButtonDown(kEventMButtonDown, PointOf(lParam), wParam, lParam, true);
      return false;
    case WM_LBUTTONDBLCLK:
      Host().SetFocus(window_);
      OnButtonDown(kEventDoubleClick, PointOf(lParam), wParam, lParam, false);
      return false;
    case WM_LBUTTONUP: OnButtonUp(kEventButtonUp, PointOf(lParam), wParam, lParam); return false;
    case WM_RBUTTONUP: OnButtonUp(kEventRButtonUp, PointOf(lParam), wParam, lParam); return false;
    case WM_MBUTTONUP: OnButtonUp(kEventMButtonUp, PointOf(lParam), wParam, lParam); return false;
    case WM_MOUSEWHEEL: OnMouseWheel(wParam, lParam); return false;
    case WM_MOUSEHOVER: OnMouseHover(PointOf(lParam), wParam, lParam); return false;
    case WM_MOUSELEAVE: OnMouseLeave(); return false;
    case WM_CONTEXTMENU: {
      if (captured_) ReleaseCapture();
      if (lParam != -1) lastMousePos_ = Host().ScreenToClient(window_, PointOf(lParam));
      CControlUI* click = click_;
      click_ = nullptr;
      SendEvent(click, kEventContextMenu, wParam, lParam);
      return false;
    }
    default: return false;
  }
}

void CPaintManagerUI::OnMouseMove(Point point, WPARAM_T wParam, LPARAM_T lParam) {
  if (!mouseTracking_) {
    Host().TrackMouseEvent(window_, hoverTime_);
    mouseTracking_ = true;
  }
  lastMousePos_ = point;
  const uint16_t buttons = static_cast<uint16_t>(wParam);
  // While a pressed control holds the capture the hot control stays as it
  // was; the pressed control follows the mouse alone.
  if (captured_ && click_ != nullptr) {
    SendEvent(click_, kEventMouseMove, wParam, lParam, 0, buttons);
    return;
  }
  const ControlRef found = FindControl(point);
  if (found.get() != nullptr && found.get()->GetManager() != this) return;
  if (found.get() != hot_) {
    if (hot_ != nullptr) {
      CControlUI* old = hot_;
      hot_ = nullptr;
      SendEvent(old, kEventMouseLeave, wParam, lParam, 0, buttons);
      HideTooltip();
    }
    if (found.get() != nullptr) {
      hot_ = found.get();
      SendEvent(hot_, kEventMouseEnter, wParam, lParam, 0, buttons);
    }
  }
  if (click_ != nullptr) SendEvent(click_, kEventMouseMove, wParam, lParam, 0, buttons);
  else if (found.get() != nullptr) SendEvent(found.get(), kEventMouseMove, wParam, lParam, 0, buttons);
}

void CPaintManagerUI::OnButtonDown(int eventType, Point point, WPARAM_T wParam, LPARAM_T lParam, bool takeFocus) {
  lastMousePos_ = point;
  CControlUI* control = FindControl(point);
  if (control == nullptr || control->GetManager() != this) return;
  SetCapture();
  click_ = control;
  if (takeFocus) control->SetFocus();
  // A control removed (or destroyed) before or while it handles the press
  // holds nothing: the slot was cleared, so the capture goes too.
  if (click_ != nullptr) SendEvent(click_, eventType, wParam, lParam, 0, static_cast<uint16_t>(wParam));
  if (click_ == nullptr) ReleaseCapture();
}

void CPaintManagerUI::OnButtonUp(int eventType, Point point, WPARAM_T wParam, LPARAM_T lParam) {
  lastMousePos_ = point;
  if (eventType == kEventButtonUp) {
    // The pressed control may have left the window while the button was
    // down; the capture taken for it must not outlive the press.
    if (click_ == nullptr) {
      if (captured_) ReleaseCapture();
      return;
    }
    CControlUI* click = click_;
    click_ = nullptr;
    ReleaseCapture();
    SendEvent(click, kEventButtonUp, wParam, lParam, 0, static_cast<uint16_t>(wParam));
    return;
  }
  if (captured_) ReleaseCapture();
  click_ = FindControl(point);
  if (click_ == nullptr || click_->GetManager() != this) {
    click_ = nullptr;
    return;
  }
  SendEvent(click_, eventType, wParam, lParam, 0, static_cast<uint16_t>(wParam));
}

void CPaintManagerUI::OnMouseWheel(WPARAM_T wParam, LPARAM_T lParam) {
  const Point point = Host().ScreenToClient(window_, PointOf(lParam));
  lastMousePos_ = point;
  CControlUI* control = FindControl(point);
  if (control != nullptr && control->GetManager() == this) {
    const int delta = static_cast<int16_t>(HighWord(wParam));
    const int direction = delta < 0 ? 1 : 0;
    SendEvent(control, kEventScrollWheel, MakeWParam(direction, delta), lParam, static_cast<wchar_t>(direction));
  }
  // What lies under the mouse may have scrolled away.
  Host().SendMessage(window_, WM_MOUSEMOVE, 0, MakeLParam(lastMousePos_.x, lastMousePos_.y));
}

void CPaintManagerUI::OnMouseHover(Point point, WPARAM_T wParam, LPARAM_T lParam) {
  mouseTracking_ = false;
  if (hot_ != nullptr) SendEvent(hot_, kEventMouseHover, wParam, lParam);
  CControlUI* control = FindControl(point);
  if (control == nullptr) return;
  const std::wstring tip = control->GetToolTip();
  if (tip.empty()) return;
  if (tooltip_ == nullptr) tooltip_ = std::make_unique<CTooltipWindow>();
  tooltip_->Show(window_, tip, control->GetToolTipWidth(), Host().ClientToScreen(window_, point));
}

void CPaintManagerUI::OnMouseLeave() {
  HideTooltip();
  if (mouseTracking_) {
    Point p{-1, -1};
    const Point cursor = Host().ScreenToClient(window_, Host().GetCursorPos());
    if (Host().GetActiveWindow() == window_ && !Host().IsMinimized(window_) && GetClientRect().Contains(cursor))
      p = cursor;
    Host().SendMessage(window_, WM_MOUSEMOVE, 0, MakeLParam(p.x, p.y));
  }
  mouseTracking_ = false;
}

bool CPaintManagerUI::HandleKeyMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (focus_ == nullptr) return false;
      key_ = focus_;
      SendEvent(focus_, kEventKeyDown, wParam, lParam, static_cast<wchar_t>(wParam));
      return false;
    case WM_KEYUP: {
      if (key_ == nullptr) return false;
      CControlUI* key = key_;
      key_ = nullptr;
      SendEvent(key, kEventKeyUp, wParam, lParam, static_cast<wchar_t>(wParam));
      return false;
    }
    case WM_CHAR:
      if (focus_ == nullptr) return false;
      SendEvent(focus_, kEventChar, wParam, lParam, static_cast<wchar_t>(wParam));
      return false;
    default: return false;
  }
}

bool CPaintManagerUI::HandleReflectedMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result) {
  // Native child windows get their own notifications back, as the common
  // controls expect.
  constexpr uint32_t kReflectBase = 0x2000;
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      if (lParam == 0) return false;
      const LRESULT_T answer =
          Host().SendMessage(reinterpret_cast<WindowHandle>(lParam), message + kReflectBase, wParam, lParam);
      if (answer == 0) return false;
      result = answer;
      return true;
    }
    case WM_NOTIFY: {
      // Like NMHDR.
      struct NotifyHeader {
        WindowHandle from;
        uintptr_t id;
        uint32_t code;
      };
      const auto* header = reinterpret_cast<const NotifyHeader*>(lParam);
      if (header == nullptr || header->from == nullptr) return false;
      result = Host().SendMessage(header->from, message + kReflectBase, wParam, lParam);
      return true;
    }
    default: return false;
  }
}

}  // namespace zui
