// Window classes, creation and destruction, per-window data and the window
// procedure chain.

#include "ui/host/win32/win32_host_state.h"

#include <cstddef>
#include <string>

namespace zui {
namespace {

// Code reads the creation record and the size limits through the toolkit's
// own records: they must sit where the system puts its members.
static_assert(sizeof(HostCreateStruct) == sizeof(CREATESTRUCTW));
static_assert(offsetof(HostCreateStruct, createParam) == offsetof(CREATESTRUCTW, lpCreateParams));
static_assert(offsetof(HostCreateStruct, cy) == offsetof(CREATESTRUCTW, cy));
static_assert(offsetof(HostCreateStruct, style) == offsetof(CREATESTRUCTW, style));
static_assert(offsetof(HostCreateStruct, exStyle) == offsetof(CREATESTRUCTW, dwExStyle));
static_assert(sizeof(MinMaxInfo) == sizeof(MINMAXINFO));
static_assert(offsetof(MinMaxInfo, maxTrackSize) == offsetof(MINMAXINFO, ptMaxTrackSize));

}  // namespace

Win32Host::Win32Host(void* module) : state_(std::make_unique<State>()) {
  state_->module = module != nullptr ? static_cast<HINSTANCE>(module) : GetModuleHandleW(nullptr);
}

Win32Host::~Win32Host() {
  for (auto& [window, icons] : state_->icons) {
    DestroyIcon(icons.first);
    DestroyIcon(icons.second);
  }
}

std::unique_ptr<IUiHost> CreateWin32Host(void* module) { return std::make_unique<Win32Host>(module); }

bool Win32Host::RegisterWindowClass(const WindowClassDesc& desc) {
  if (desc.name.empty() || desc.proc == nullptr) return false;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = desc.style;
  wc.lpfnWndProc = ToWndProc(desc.proc);
  wc.hInstance = state_->module;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = desc.name.c_str();
  if (RegisterClassExW(&wc) != 0) return true;
  return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

WindowHandle Win32Host::CreateHostWindow(const HostWindowDesc& desc, void* createParam) {
  HWND parent = ToHwnd(desc.parent);
  // The seam speaks screen coordinates; a child is placed in its parent's.
  POINT origin{desc.rect.left, desc.rect.top};
  if ((desc.style & WS_CHILD) != 0 && parent != nullptr) ::ScreenToClient(parent, &origin);
  HWND window =
      CreateWindowExW(desc.exStyle, desc.className.c_str(), desc.title.c_str(), desc.style, origin.x, origin.y,
                      desc.rect.Width(), desc.rect.Height(), parent, nullptr, state_->module, createParam);
  return FromHwnd(window);
}

bool Win32Host::DestroyHostWindow(WindowHandle window) {
  const bool destroyed = DestroyWindow(ToHwnd(window)) != FALSE;
  ForgetWindow(window);
  return destroyed;
}

void Win32Host::ForgetWindow(WindowHandle window) {
  HWND hwnd = ToHwnd(window);
  auto paint = state_->paints.find(hwnd);
  if (paint != state_->paints.end()) {
    if (IsWindow(hwnd)) ::EndPaint(hwnd, &paint->second);
    state_->paints.erase(paint);
  }
  auto icons = state_->icons.find(hwnd);
  if (icons != state_->icons.end() && !IsWindow(hwnd)) {
    DestroyIcon(icons->second.first);
    DestroyIcon(icons->second.second);
    state_->icons.erase(icons);
  }
}

bool Win32Host::IsHostWindow(WindowHandle window) const { return window != nullptr && IsWindow(ToHwnd(window)); }

LRESULT_T Win32Host::DefaultProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  return DefWindowProcW(ToHwnd(window), message, wParam, lParam);
}

void* Win32Host::GetUserData(WindowHandle window) const {
  return reinterpret_cast<void*>(GetWindowLongPtrW(ToHwnd(window), GWLP_USERDATA));
}

void Win32Host::SetUserData(WindowHandle window, void* data) {
  SetWindowLongPtrW(ToHwnd(window), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
}

bool Win32Host::SetProp(WindowHandle window, std::wstring_view name, void* value) {
  if (name.empty()) return false;
  return SetPropW(ToHwnd(window), std::wstring(name).c_str(), static_cast<HANDLE>(value)) != FALSE;
}

void* Win32Host::GetProp(WindowHandle window, std::wstring_view name) const {
  if (name.empty()) return nullptr;
  return GetPropW(ToHwnd(window), std::wstring(name).c_str());
}

void* Win32Host::RemoveProp(WindowHandle window, std::wstring_view name) {
  if (name.empty()) return nullptr;
  return RemovePropW(ToHwnd(window), std::wstring(name).c_str());
}

WindowProc Win32Host::SetWindowProc(WindowHandle window, WindowProc proc) {
  if (proc == nullptr) return nullptr;
  return reinterpret_cast<WindowProc>(
      SetWindowLongPtrW(ToHwnd(window), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToWndProc(proc))));
}

LRESULT_T Win32Host::CallWindowProc(WindowProc proc, WindowHandle window, uint32_t message, WPARAM_T wParam,
                                    LPARAM_T lParam) {
  // What SetWindowProc handed back may be a system thunk rather than a
  // function: only CallWindowProcW knows how to call both.
  if (proc == nullptr) return 0;
  return CallWindowProcW(ToWndProc(proc), ToHwnd(window), message, wParam, lParam);
}

bool Win32Host::GetClassInfo(std::wstring_view className, WindowClassDesc& out) const {
  if (className.empty()) return false;
  const std::wstring name(className);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  // The program's own classes first, then the system's (a superclass base).
  if (GetClassInfoExW(state_->module, name.c_str(), &wc) == FALSE &&
      GetClassInfoExW(nullptr, name.c_str(), &wc) == FALSE) {
    return false;
  }
  out = WindowClassDesc{name, wc.style, FromWndProc(wc.lpfnWndProc)};
  return true;
}

}  // namespace zui
