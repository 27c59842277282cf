// The window object wrapper: class registration, creation, the two window
// procedures that find the object of a window, subclassing, and the small
// services (show, modal loop, close, centre, icon, messages).

#include "ui/window/window_wnd.h"

#include <cstdint>

#include "ui/window/paint_manager.h"

namespace zui {
namespace {

LRESULT_T DefaultWindowProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  return Host().DefaultProc(window, message, wParam, lParam);
}

// Start of the span of `length` centred on [low, high), then kept inside
// [minimum, maximum) where it fits; computed wide so that no coordinate
// sum can overflow.
int CentredStart(int low, int high, int length, int minimum, int maximum) {
  int64_t start = (int64_t{low} + high) / 2 - length / 2;
  if (start < minimum) start = minimum;
  else if (start + length > maximum) start = int64_t{maximum} - length;
  return SaturateToInt(start);
}

}  // namespace

CWindowWnd::CWindowWnd() : previousProc_(&DefaultWindowProc) {}

CWindowWnd::~CWindowWnd() { ReleaseWindow(); }

void CWindowWnd::ReleaseWindow() {
  if (window_ == nullptr) return;
  if (Host().IsHostWindow(window_)) {
    if (subclassed_) Unsubclass();
    if (Host().GetProp(window_, kObjectProperty) == this) Host().RemoveProp(window_, kObjectProperty);
    if (Host().GetUserData(window_) == this) Host().SetUserData(window_, nullptr);
  }
  subclassed_ = false;
  window_ = nullptr;
}

bool CWindowWnd::RegisterWindowClass() {
  WindowClassDesc desc;
  desc.name = std::wstring(GetWindowClassName());
  desc.style = GetClassStyle();
  desc.proc = &UserDataProc;
  return Host().RegisterWindowClass(desc);
}

bool CWindowWnd::RegisterSuperclass() {
  WindowClassDesc super;
  if (!Host().GetClassInfo(GetSuperClassName(), super) || super.proc == nullptr) return false;
  previousProc_ = super.proc;
  WindowClassDesc desc;
  desc.name = std::wstring(GetWindowClassName());
  desc.style = super.style;
  desc.proc = &PropertyProc;
  return Host().RegisterWindowClass(desc);
}

WindowHandle CWindowWnd::Create(WindowHandle parent, std::wstring_view title, uint32_t style, uint32_t exStyle,
                                const Rect& rect) {
  return Create(parent, title, style, exStyle, rect.left, rect.top, rect.Width(), rect.Height());
}

WindowHandle CWindowWnd::Create(WindowHandle parent, std::wstring_view title, uint32_t style, uint32_t exStyle, int x,
                                int y, int width, int height) {
  const bool registered = GetSuperClassName().empty() ? RegisterWindowClass() : RegisterSuperclass();
  if (!registered) return nullptr;
  if (x == kUseDefault || y == kUseDefault) {
    const Rect work = Host().GetMonitorArea(parent).work;
    x = work.left;
    y = work.top;
  }
  if (width == kUseDefault || width < 0) width = 0;
  if (height == kUseDefault || height < 0) height = 0;
  HostWindowDesc desc;
  desc.className = std::wstring(GetWindowClassName());
  desc.title = std::wstring(title);
  desc.style = style;
  desc.exStyle = exStyle;
  desc.rect = {x, y, SaturatedAdd(x, width), SaturatedAdd(y, height)};
  desc.parent = parent;
  window_ = Host().CreateHostWindow(desc, this);
  return window_;
}

WindowHandle CWindowWnd::Subclass(WindowHandle window) {
  if (subclassed_ || !Host().IsHostWindow(window)) return nullptr;
  WindowProc previous = Host().SetWindowProc(window, &PropertyProc);
  if (previous == nullptr) return nullptr;
  previousProc_ = previous;
  subclassed_ = true;
  window_ = window;
  Host().SetProp(window, kObjectProperty, this);
  return window_;
}

void CWindowWnd::Unsubclass() {
  if (!subclassed_) return;
  if (Host().IsHostWindow(window_)) {
    Host().SetWindowProc(window_, previousProc_);
    Host().RemoveProp(window_, kObjectProperty);
  }
  previousProc_ = &DefaultWindowProc;
  subclassed_ = false;
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
  if (!Host().IsHostWindow(window_)) return;
  Host().ShowHostWindow(window_, !show ? SW_HIDE : takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
}

int CWindowWnd::ShowModal() {
  // Only locals from here on: the object may be deleted when its window
  // goes (a window whose final message deletes it).
  const WindowHandle self = window_;
  if (!Host().IsHostWindow(self)) return 0;
  const WindowHandle owner = Host().GetOwner(self);
  Host().ShowHostWindow(self, SW_SHOWNORMAL);
  if (owner != nullptr) Host().EnableHostWindow(owner, false);
  auto giveBackOwner = [owner] {
    if (owner == nullptr || !Host().IsHostWindow(owner)) return;
    Host().EnableHostWindow(owner, true);
    Host().SetFocus(owner);
  };

  int result = 0;
  bool quit = false;
  int quitCode = 0;
  HostMessage msg;
  while (Host().IsHostWindow(self)) {
    if (!Host().GetMessage(msg)) {
      quit = true;
      quitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (msg.message == WM_CLOSE && msg.window == self) {
      result = static_cast<int>(msg.wParam);
      // The owner is enabled before the window goes, so that activation
      // passes back to it rather than to some other program's window.
      giveBackOwner();
    }
    if (!CPaintManagerUI::TranslateMessage(msg)) {
      Host().TranslateMessage(msg);
      Host().DispatchMessage(msg);
    }
  }
  giveBackOwner();
  // The outer loop must see the quit too.
  if (quit) Host().PostQuitMessage(quitCode);
  return result;
}

void CWindowWnd::Close(int result) {
  if (!Host().IsHostWindow(window_)) return;
  Host().PostMessage(window_, WM_CLOSE, static_cast<WPARAM_T>(static_cast<intptr_t>(result)), 0);
}

void CWindowWnd::CenterWindow() {
  if (!Host().IsHostWindow(window_)) return;
  const Rect own = Host().GetWindowRect(window_);
  const WindowHandle owner = Host().GetOwner(window_);
  const Rect work = Host().GetMonitorArea(owner != nullptr ? owner : window_).work;
  const Rect reference = owner != nullptr ? Host().GetWindowRect(owner) : work;
  const int width = own.Width();
  const int height = own.Height();
  const int x = CentredStart(reference.left, reference.right, width, work.left, work.right);
  const int y = CentredStart(reference.top, reference.bottom, height, work.top, work.bottom);
  Host().MoveHostWindow(window_, {x, y, SaturatedAdd(x, width), SaturatedAdd(y, height)}, true);
}

bool CWindowWnd::SetIcon(int resourceId) {
  if (!Host().IsHostWindow(window_)) return false;
  return Host().SetIcon(window_, resourceId);
}

LRESULT_T CWindowWnd::SendMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  return Host().SendMessage(window_, message, wParam, lParam);
}

bool CWindowWnd::PostMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  return Host().PostMessage(window_, message, wParam, lParam);
}

LRESULT_T CWindowWnd::HandleMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  return CallPreviousProc(message, wParam, lParam);
}

LRESULT_T CWindowWnd::CallPreviousProc(uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  return Host().CallWindowProc(previousProc_, window_, message, wParam, lParam);
}

// --- Window procedures ---

LRESULT_T CWindowWnd::UserDataProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  CWindowWnd* self = nullptr;
  if (message == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const HostCreateStruct*>(lParam);
    self = cs != nullptr ? static_cast<CWindowWnd*>(cs->createParam) : nullptr;
    if (self != nullptr) {
      self->window_ = window;
      Host().SetUserData(window, self);
    }
  } else {
    self = static_cast<CWindowWnd*>(Host().GetUserData(window));
  }
  return Route(self, window, message, wParam, lParam, false);
}

LRESULT_T CWindowWnd::PropertyProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  CWindowWnd* self = nullptr;
  if (message == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const HostCreateStruct*>(lParam);
    self = cs != nullptr ? static_cast<CWindowWnd*>(cs->createParam) : nullptr;
    if (self != nullptr) {
      self->window_ = window;
      Host().SetProp(window, kObjectProperty, self);
    }
  } else {
    self = static_cast<CWindowWnd*>(Host().GetProp(window, kObjectProperty));
  }
  return Route(self, window, message, wParam, lParam, true);
}

LRESULT_T CWindowWnd::Route(CWindowWnd* self, WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam,
                            bool byProperty) {
  if (self == nullptr) return Host().DefaultProc(window, message, wParam, lParam);
  if (message != WM_NCDESTROY) return self->HandleMessage(message, wParam, lParam);
  const LRESULT_T result = Host().CallWindowProc(self->previousProc_, window, message, wParam, lParam);
  if (byProperty) Host().RemoveProp(window, kObjectProperty);
  else Host().SetUserData(window, nullptr);
  if (self->subclassed_) self->Unsubclass();
  self->window_ = nullptr;
  self->OnFinalMessage(window);
  return result;
}

}  // namespace zui
