// The shadow window's life: made when the tree is attached, following its
// window through the window's own procedure, gone with the window.

#include "ui/window/shadow_ui.h"

#include <map>

#include "ui/host/host.h"
#include "ui/window/paint_manager.h"

namespace zui {
namespace {

// A window whose procedure a shadow has taken over: the shadow (none once
// it is destroyed before its window) and the procedure the window had.
struct ParentEntry {
  CShadowUI* shadow = nullptr;
  WindowProc previous = nullptr;
};

std::map<WindowHandle, ParentEntry>& ParentTable() {
  static std::map<WindowHandle, ParentEntry> table;
  return table;
}

LRESULT_T ShadowWindowProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  return Host().DefaultProc(window, message, wParam, lParam);
}

}  // namespace

CShadowUI::~CShadowUI() {
  auto& table = ParentTable();
  auto it = table.find(parent_);
  // The window keeps the shadow's procedure, which now only passes its
  // messages on.
  if (it != table.end() && it->second.shadow == this) it->second.shadow = nullptr;
  if (window_ != nullptr) DestroyShadowWindow();
}

void CShadowUI::Create(CPaintManagerUI* manager) {
  if (!settings_.enabled || manager == nullptr || (status_ & kCreated) != 0) return;
  const WindowHandle parent = manager->GetPaintWindow();
  if (!Host().IsHostWindow(parent)) return;

  WindowClassDesc cls;
  cls.name = kClassName;
  cls.style = CS_HREDRAW | CS_VREDRAW;
  cls.proc = &ShadowWindowProc;
  // Registering an existing class succeeds, so this holds for every host
  // a process installs.
  if (!Host().RegisterWindowClass(cls)) return;

  const Rect parentRect = Host().GetWindowRect(parent);
  HostWindowDesc desc;
  desc.className = kClassName;
  desc.style = WS_POPUP | WS_BORDER | WS_SYSMENU | (Host().GetStyle(parent, false) & WS_DLGFRAME);
  desc.exStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT;
  desc.rect = {parentRect.left, parentRect.top, parentRect.left, parentRect.top};
  desc.parent = parent;
  const WindowHandle window = Host().CreateHostWindow(desc, nullptr);
  if (window == nullptr) return;

  manager_ = manager;
  parent_ = parent;
  window_ = window;
  hasContent_ = false;
  ParentEntry& entry = ParentTable()[parent];
  entry.shadow = this;
  status_ = kCreated;
  if (Host().IsVisible(parent)) {
    status_ |= kParentVisible;
    if (!Host().IsMaximized(parent) && !Host().IsMinimized(parent)) Show();
  }
  const WindowProc previous = Host().SetWindowProc(parent, &ParentProc);
  // A window followed already keeps the procedure it had before.
  if (previous != &ParentProc) entry.previous = previous;
}

void CShadowUI::Update() {
  constexpr uint8_t kLive = kCreated | kShown;
  if ((status_ & kLive) != kLive || !Host().IsHostWindow(window_) || !Host().IsHostWindow(parent_)) return;
  const Rect place = Host().GetWindowRect(parent_);
  const Size size{place.Width(), place.Height()};
  if (!hasContent_ || !(contentFor_ == size)) {
    hasContent_ = Render(size, content_, contentOffset_);
    contentFor_ = size;
  }
  if (!hasContent_) return;
  const Point topLeft{SaturatedAdd(place.left, contentOffset_.x), SaturatedAdd(place.top, contentOffset_.y)};
  Host().UpdateLayered(window_, content_, topLeft);
}

void CShadowUI::Show() {
  if (window_ == nullptr) return;
  Host().ShowHostWindow(window_, SW_SHOWNOACTIVATE);
  status_ |= kShown;
  Update();
}

void CShadowUI::Hide() {
  if (window_ != nullptr) Host().ShowHostWindow(window_, SW_HIDE);
  status_ &= static_cast<uint8_t>(~kShown);
}

void CShadowUI::DestroyShadowWindow() {
  const WindowHandle window = window_;
  window_ = nullptr;
  status_ = 0;
  hasContent_ = false;
  if (Host().IsHostWindow(window)) Host().DestroyHostWindow(window);
}

void CShadowUI::OnParentMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  switch (message) {
    case WM_MOVE:
    case WM_EXITSIZEMOVE:
      if (status_ & kShown) Update();
      break;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED) {
        Hide();
      } else if (status_ & kParentVisible) {
        if (status_ & kShown) Update();
        else Show();
      }
      break;
    case WM_SHOWWINDOW:
      if (wParam != 0) {
        status_ |= kParentVisible;
        if (!(status_ & kShown) && !Host().IsMaximized(parent_) && !Host().IsMinimized(parent_)) Show();
      } else {
        Hide();
        status_ &= static_cast<uint8_t>(~kParentVisible);
      }
      break;
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
      if (window_ != nullptr) Host().PlaceBehind(window_, parent_);
      break;
    case WM_PAINT:
      if (status_ & kShown) Update();
      break;
    case WM_DESTROY: DestroyShadowWindow(); break;
    default: break;
  }
}

LRESULT_T CShadowUI::ParentProc(WindowHandle parent, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  auto& table = ParentTable();
  auto it = table.find(parent);
  if (it == table.end()) return Host().DefaultProc(parent, message, wParam, lParam);
  // Copied out: the shadow's handling may change the table.
  const WindowProc previous = it->second.previous;
  CShadowUI* shadow = it->second.shadow;
  if (message == WM_NCDESTROY) {
    table.erase(it);
    if (shadow != nullptr) shadow->parent_ = nullptr;
  } else if (shadow != nullptr) {
    shadow->OnParentMessage(message, wParam, lParam);
  }
  if (previous == nullptr) return Host().DefaultProc(parent, message, wParam, lParam);
  return Host().CallWindowProc(previous, parent, message, wParam, lParam);
}

}  // namespace zui
