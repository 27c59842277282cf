// Windows of the emulation: classes, creation and destruction, placement,
// activation and focus. Top-level windows have a surface of the backend,
// which follows their placement, visibility and looks.

#include "ui/host/emulated/emulated_host.h"

#include <algorithm>

#include "ui/host/emulated/emulated_window.h"

namespace zui {
namespace {

// Where user32 parks a minimised window.
constexpr int kMinimizedPosition = -32000;

Rect Normalized(const Rect& r) { return {r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom)}; }

// What WM_GETMINMAXINFO offers before the window has its say.
MinMaxInfo DefaultMinMax(const MonitorArea& area) {
  MinMaxInfo info;
  info.maxSize = {area.work.Width(), area.work.Height()};
  info.maxPosition = {area.work.left - area.monitor.left, area.work.top - area.monitor.top};
  info.maxTrackSize = {area.monitor.Width(), area.monitor.Height()};
  return info;
}

Rect MaximizedRect(uint32_t style, const MonitorArea& area, const MinMaxInfo& info) {
  Size size{info.maxSize.x, info.maxSize.y};
  // Like user32, sizable and overlapped windows keep to their track limits.
  if ((style & WS_THICKFRAME) != 0 || (style & (WS_POPUP | WS_CHILD)) == 0) {
    size.cx = std::max(std::min(size.cx, info.maxTrackSize.x), info.minTrackSize.x);
    size.cy = std::max(std::min(size.cy, info.maxTrackSize.y), info.minTrackSize.y);
  }
  int left = area.monitor.left + info.maxPosition.x;
  int top = area.monitor.top + info.maxPosition.y;
  return Normalized({left, top, left + size.cx, top + size.cy});
}

}  // namespace

EmulatedHost::EmulatedHost(std::unique_ptr<IHostBackend> backend) : backend_(std::move(backend)) {
  backend_->Attach(this);
}

EmulatedHost::~EmulatedHost() {
  // Nothing is sent on the way out: the procs' objects may be gone already.
  std::lock_guard<std::mutex> lock(mutex_);
  windows_.clear();
}

// --- Classes and windows ---

bool EmulatedHost::RegisterWindowClass(const WindowClassDesc& desc) {
  if (desc.name.empty() || desc.proc == nullptr) return false;
  classes_.emplace(desc.name, ClassRecord{desc.style, desc.proc});  // an existing class stays
  return true;
}

EmulatedHost::WindowRecord* EmulatedHost::Find(WindowHandle window) const {
  if (window == nullptr) return nullptr;
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
}

bool EmulatedHost::IsHostWindow(WindowHandle window) const { return Find(window) != nullptr; }

size_t EmulatedHost::WindowCount() const { return windows_.size(); }

std::vector<WindowHandle> EmulatedHost::Windows() const {
  std::vector<WindowHandle> out;
  for (auto& [handle, rec] : windows_) out.push_back(handle);
  return out;
}

WindowHandle EmulatedHost::FindHostWindow(std::wstring_view className) const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if (it->second->className == className && !it->second->destroying) return it->first;
  }
  return nullptr;
}

std::wstring EmulatedHost::ClassName(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? std::wstring() : rec->className;
}

WindowHandle EmulatedHost::RootOf(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  while (rec != nullptr && rec->Child() && Find(rec->parent) != nullptr) rec = Find(rec->parent);
  return rec == nullptr ? nullptr : rec->handle;
}

bool EmulatedHost::IsWithin(WindowHandle window, WindowHandle ancestor) const {
  if (ancestor == nullptr) return false;
  for (WindowRecord* rec = Find(window); rec != nullptr; rec = rec->Child() ? Find(rec->parent) : nullptr) {
    if (rec->handle == ancestor) return true;
  }
  return false;
}

WindowHandle EmulatedHost::CreateHostWindow(const HostWindowDesc& desc, void* createParam) {
  auto cls = classes_.find(desc.className);
  if (cls == classes_.end()) return nullptr;
  bool child = (desc.style & WS_CHILD) != 0;
  if (desc.parent != nullptr && Find(desc.parent) == nullptr) return nullptr;
  if (child && desc.parent == nullptr) return nullptr;

  auto rec = std::make_unique<WindowRecord>();
  rec->className = desc.className;
  rec->cls = cls->second;
  rec->proc = cls->second.proc;
  rec->title = desc.title;
  rec->style = desc.style & ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
  rec->exStyle = desc.exStyle;
  rec->rect = Normalized(desc.rect);
  rec->restoreRect = rec->rect;
  if (child) {
    rec->parent = desc.parent;
  } else {
    rec->owner = RootOf(desc.parent);
  }
  SurfaceDesc surface{rec->title, rec->rect, rec->style, rec->exStyle, rec->owner};
  WindowHandle handle;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    handle = reinterpret_cast<WindowHandle>(nextHandle_);
    nextHandle_ += 0x10;
    rec->handle = handle;
    windows_.emplace(handle, std::move(rec));
  }
  if (!child && !backend_->CreateSurface(handle, surface)) {
    std::lock_guard<std::mutex> lock(mutex_);
    windows_.erase(handle);
    return nullptr;
  }
  if (!SendCreation(handle, desc, createParam)) return nullptr;
  if ((desc.style & WS_VISIBLE) != 0) ShowHostWindow(handle, SW_SHOW);
  return Find(handle) != nullptr ? handle : nullptr;
}

bool EmulatedHost::SendCreation(WindowHandle handle, const HostWindowDesc& desc, void* createParam) {
  WindowRecord* rec = Find(handle);
  HostCreateStruct cs;
  cs.createParam = createParam;
  cs.parent = desc.parent;
  cs.x = rec->rect.left;
  cs.y = rec->rect.top;
  cs.cx = rec->rect.Width();
  cs.cy = rec->rect.Height();
  cs.style = static_cast<int32_t>(desc.style);
  // The caller's strings, not the record's: a procedure that destroys the
  // window during creation may still read them.
  cs.name = desc.title.c_str();
  cs.className = desc.className.c_str();
  cs.exStyle = desc.exStyle;

  LRESULT_T answer = 0;
  rec = SendAndFind(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM_T>(&cs), &answer);
  if (answer == 0) {
    // Refused before it existed for its proc: only WM_NCDESTROY follows.
    if (rec != nullptr) {
      rec->destroying = true;
      SendNcDestroy(handle);
    }
    return false;
  }
  if (rec == nullptr) return false;
  rec = SendAndFind(handle, WM_CREATE, 0, reinterpret_cast<LPARAM_T>(&cs), &answer);
  if (answer == -1) {
    DestroyHostWindow(handle);
    return false;
  }
  if (rec == nullptr) return false;
  Rect r = rec->rect;
  if (SendAndFind(handle, WM_SIZE, SIZE_RESTORED, MakeLParam(r.Width(), r.Height())) == nullptr) return false;
  return SendAndFind(handle, WM_MOVE, 0, MakeLParam(r.left, r.top)) != nullptr;
}

bool EmulatedHost::DestroyHostWindow(WindowHandle window) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return false;
  if (rec->destroying) return true;
  // Owned windows go first, as a whole.
  std::vector<WindowHandle> owned;
  for (auto& [handle, other] : windows_) {
    if (other->owner == window) owned.push_back(handle);
  }
  for (WindowHandle o : owned) DestroyHostWindow(o);
  rec = Find(window);
  if (rec == nullptr || rec->destroying) return true;
  DestroyTree(window);
  return true;
}

void EmulatedHost::DestroyTree(WindowHandle window) {
  std::vector<WindowHandle> tree{window};
  for (size_t i = 0; i < tree.size(); ++i) {
    for (auto& [handle, other] : windows_) {
      if (other->Child() && other->parent == tree[i]) tree.push_back(handle);
    }
  }
  for (WindowHandle h : tree) Find(h)->destroying = true;
  // user32 hides it first, which hands activation and focus elsewhere.
  Find(window)->style &= ~static_cast<uint32_t>(WS_VISIBLE);
  if (active_ == window) ActivateOtherThan(window);
  if (IsWithin(focus_, window)) ChangeFocus(nullptr);
  if (IsWithin(capture_, window)) ReleaseCapture();
  SendDestroy(window);
  SendNcDestroy(window);
}

void EmulatedHost::SendDestroy(WindowHandle window) {
  if (Find(window) == nullptr) return;
  SendMessage(window, WM_DESTROY, 0, 0);
  std::vector<WindowHandle> children;
  for (auto& [handle, other] : windows_) {
    if (other->Child() && other->parent == window) children.push_back(handle);
  }
  for (WindowHandle c : children) SendDestroy(c);
}

void EmulatedHost::SendNcDestroy(WindowHandle window) {
  if (Find(window) == nullptr) return;
  std::vector<WindowHandle> children;
  for (auto& [handle, other] : windows_) {
    if (other->Child() && other->parent == window) children.push_back(handle);
  }
  for (WindowHandle c : children) SendNcDestroy(c);
  if (Find(window) == nullptr) return;
  SendMessage(window, WM_NCDESTROY, 0, 0);
  Forget(window);
}

void EmulatedHost::Forget(WindowHandle window) {
  std::erase_if(timers_, [window](const TimerRecord& t) { return t.window == window; });
  if (tracking_.window == window) tracking_ = Tracking{};
  if (cursorWindow_ == window) cursorWindow_ = nullptr;
  if (focus_ == window) focus_ = nullptr;
  if (active_ == window) active_ = nullptr;
  if (capture_ == window) capture_ = nullptr;
  DropQueued(window);
  if (HasSurface(window)) backend_->DestroySurface(window);
  std::unique_ptr<WindowRecord> gone;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = windows_.find(window);
    if (it == windows_.end()) return;
    gone = std::move(it->second);
    windows_.erase(it);
  }
}

// --- Attributes ---

bool EmulatedHost::SetProp(WindowHandle window, std::wstring_view name, void* value) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr || name.empty()) return false;
  rec->props.insert_or_assign(std::wstring(name), value);
  return true;
}

void* EmulatedHost::GetProp(WindowHandle window, std::wstring_view name) const {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return nullptr;
  auto it = rec->props.find(name);
  return it == rec->props.end() ? nullptr : it->second;
}

void* EmulatedHost::RemoveProp(WindowHandle window, std::wstring_view name) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return nullptr;
  auto it = rec->props.find(name);
  if (it == rec->props.end()) return nullptr;
  void* value = it->second;
  rec->props.erase(it);
  return value;
}

WindowProc EmulatedHost::SetWindowProc(WindowHandle window, WindowProc proc) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr || proc == nullptr) return nullptr;
  WindowProc previous = rec->proc;
  rec->proc = proc;
  return previous;
}

LRESULT_T EmulatedHost::CallWindowProc(WindowProc proc, WindowHandle window, uint32_t message, WPARAM_T wParam,
                                       LPARAM_T lParam) {
  return proc == nullptr ? 0 : proc(window, message, wParam, lParam);
}

bool EmulatedHost::GetClassInfo(std::wstring_view className, WindowClassDesc& out) const {
  auto it = classes_.find(className);
  if (it == classes_.end()) return false;
  out = WindowClassDesc{std::wstring(className), it->second.style, it->second.proc};
  return true;
}

void EmulatedHost::UpdateLayered(WindowHandle window, const Bitmap& pixels, Point screenTopLeft) {
  Rect target{screenTopLeft.x, screenTopLeft.y, screenTopLeft.x + pixels.width(), screenTopLeft.y + pixels.height()};
  MoveHostWindow(window, target, false);
  if (HasSurface(window)) backend_->PresentLayered(window, pixels, screenTopLeft);
}

void EmulatedHost::PlaceBehind(WindowHandle window, WindowHandle above) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return;
  rec->placedBehind = above;
  if (!rec->Child() && HasSurface(above)) backend_->PlaceSurfaceBehind(window, above);
}

bool EmulatedHost::SetIcon(WindowHandle window, int resourceId) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr || rec->Child() || resourceId <= 0) return false;
  if (!backend_->SetSurfaceIcon(window, resourceId)) return false;
  rec->iconId = resourceId;
  return true;
}

WindowHandle EmulatedHost::PlacedBehind(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? nullptr : rec->placedBehind;
}

int EmulatedHost::IconId(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? 0 : rec->iconId;
}

void* EmulatedHost::GetUserData(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? nullptr : rec->userData;
}

void EmulatedHost::SetUserData(WindowHandle window, void* data) {
  if (WindowRecord* rec = Find(window)) rec->userData = data;
}

bool EmulatedHost::IsVisible(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return false;
  for (; rec != nullptr; rec = rec->Child() ? Find(rec->parent) : nullptr) {
    if (!rec->Visible()) return false;
  }
  return true;
}

bool EmulatedHost::IsMaximized(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec != nullptr && rec->Maximized();
}

bool EmulatedHost::IsMinimized(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec != nullptr && rec->Minimized();
}

Rect EmulatedHost::GetWindowRect(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? Rect{} : rec->rect;
}

Rect EmulatedHost::GetClientRect(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? Rect{} : rec->Client();
}

void EmulatedHost::SetRoundRegion(WindowHandle window, const Rect* rect, Size ellipse) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return;
  rec->region = rect == nullptr ? RoundRegion{} : RoundRegion{true, *rect, ellipse};
  if (!rec->Child()) backend_->SetSurfaceRegion(window, rect, ellipse);
}

bool EmulatedHost::EnableHostWindow(WindowHandle window, bool enable) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return false;
  bool wasDisabled = !rec->Enabled();
  if (enable != wasDisabled) return wasDisabled;
  if (enable) {
    rec->style &= ~static_cast<uint32_t>(WS_DISABLED);
  } else {
    rec->style |= WS_DISABLED;
    if (IsWithin(focus_, window)) ChangeFocus(nullptr);
    if (IsWithin(capture_, window)) ReleaseCapture();
  }
  if (HasSurface(window)) backend_->SetSurfaceEnabled(window, enable);
  SendMessage(window, WM_ENABLE, enable ? 1 : 0, 0);
  return wasDisabled;
}

bool EmulatedHost::IsEnabled(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec != nullptr && rec->Enabled();
}

WindowHandle EmulatedHost::GetOwner(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? nullptr : rec->owner;
}

WindowHandle EmulatedHost::GetParent(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return nullptr;
  if (rec->Child()) return rec->parent;
  return (rec->style & WS_POPUP) != 0 ? rec->owner : nullptr;
}

uint32_t EmulatedHost::GetStyle(WindowHandle window, bool extended) const {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return 0;
  return extended ? rec->exStyle : rec->style;
}

void EmulatedHost::SetStyle(WindowHandle window, bool extended, uint32_t style) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return;
  (extended ? rec->exStyle : rec->style) = style;
}

void EmulatedHost::SetOpacity(WindowHandle window, uint8_t alpha) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return;
  rec->opacity = alpha;
  if (!rec->Child()) backend_->SetSurfaceOpacity(window, alpha);
}

EmulatedHost::RoundRegion EmulatedHost::Region(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? RoundRegion{} : rec->region;
}

uint8_t EmulatedHost::Opacity(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? 0 : rec->opacity;
}

std::wstring EmulatedHost::Title(WindowHandle window) const {
  WindowRecord* rec = Find(window);
  return rec == nullptr ? std::wstring() : rec->title;
}

// --- Placement ---

bool EmulatedHost::ShowHostWindow(WindowHandle window, int showCommand) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return false;
  bool wasVisible = rec->Visible();
  bool show = showCommand != SW_HIDE;
  if (show != wasVisible) {
    rec = SendAndFind(window, WM_SHOWWINDOW, show ? 1 : 0, 0);
    if (rec == nullptr) return wasVisible;
  }
  if (!show) {
    rec->style &= ~static_cast<uint32_t>(WS_VISIBLE);
    if (!rec->Child()) backend_->ShowSurface(window, false, false);
    if (active_ == window) ActivateOtherThan(window);
    if (IsWithin(focus_, window)) ChangeFocus(nullptr);
    return wasVisible;
  }
  rec->style |= WS_VISIBLE;
  if (!wasVisible) InvalidateRect(window, nullptr);
  bool alive = true;
  switch (showCommand) {
    case SW_SHOWMAXIMIZED: alive = Maximize(window); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: alive = Minimize(window); break;
    case SW_SHOWNORMAL:
    case SW_SHOWNOACTIVATE:
    case SW_RESTORE: alive = Restore(window); break;
    default: break;
  }
  if (!alive) return wasVisible;
  if (HasSurface(window)) {
    // A minimised window leaves the screen; the platform has no icon bar of ours.
    backend_->ShowSurface(window, !IsMinimized(window), ActivatesOnShow(window, showCommand));
  }
  if (showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINNOACTIVE) {
    if (active_ == window) ActivateOtherThan(window);
    if (IsWithin(focus_, window)) ChangeFocus(nullptr);
  } else if (ActivatesOnShow(window, showCommand)) {
    Activate(window, WA_ACTIVE);
  }
  return wasVisible;
}

bool EmulatedHost::ActivatesOnShow(WindowHandle window, int showCommand) const {
  WindowRecord* rec = Find(window);
  if (rec == nullptr || rec->Child() || (rec->exStyle & WS_EX_NOACTIVATE) != 0) return false;
  switch (showCommand) {
    case SW_SHOWNORMAL:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMAXIMIZED:
    case SW_SHOW:
    case SW_RESTORE: return true;
    default: return false;
  }
}

bool EmulatedHost::Maximize(WindowHandle window) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return false;
  if (rec->Maximized() && !rec->Minimized()) return true;
  if (!rec->Minimized()) rec->restoreRect = rec->rect;
  MonitorArea area = GetMonitorArea(window);
  MinMaxInfo info = DefaultMinMax(area);
  rec = SendAndFind(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM_T>(&info));
  if (rec == nullptr) return false;
  Rect target = MaximizedRect(rec->style, area, info);
  rec->style = (rec->style | WS_MAXIMIZE) & ~static_cast<uint32_t>(WS_MINIMIZE);
  rec->maximizedBeforeMinimize = false;
  return ApplyPlacement(window, target, SIZE_MAXIMIZED, true, true);
}

bool EmulatedHost::Minimize(WindowHandle window) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return false;
  if (rec->Minimized()) return true;
  rec->maximizedBeforeMinimize = rec->Maximized();
  if (!rec->Maximized()) rec->restoreRect = rec->rect;
  rec->style = (rec->style | WS_MINIMIZE) & ~static_cast<uint32_t>(WS_MAXIMIZE);
  Rect parked{kMinimizedPosition, kMinimizedPosition, kMinimizedPosition, kMinimizedPosition};
  return ApplyPlacement(window, parked, SIZE_MINIMIZED, true, false);
}

bool EmulatedHost::Restore(WindowHandle window) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return false;
  if (rec->Minimized() && rec->maximizedBeforeMinimize) return Maximize(window);
  if (!rec->Minimized() && !rec->Maximized()) return true;
  rec->style &= ~static_cast<uint32_t>(WS_MINIMIZE | WS_MAXIMIZE);
  return ApplyPlacement(window, rec->restoreRect, SIZE_RESTORED, true, true);
}

bool EmulatedHost::MoveHostWindow(WindowHandle window, const Rect& rect, bool repaint) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return false;
  if (rec->Minimized()) {
    rec->restoreRect = Normalized(rect);
    return true;
  }
  ApplyPlacement(window, Normalized(rect), rec->Maximized() ? SIZE_MAXIMIZED : SIZE_RESTORED, false, repaint);
  return true;
}

// `rect` is a copy: callers pass fields of the record, which the messages
// sent here may free.
bool EmulatedHost::ApplyPlacement(WindowHandle window, Rect rect, int sizeType, bool stateChanged, bool repaint) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return false;
  Rect old = rec->rect;
  rec->rect = rect;
  bool moved = old.left != rect.left || old.top != rect.top;
  bool sized = old.Width() != rect.Width() || old.Height() != rect.Height();
  if (moved) MoveDescendants(window, rect.left - old.left, rect.top - old.top);
  if ((moved || sized) && !rec->Minimized() && !rec->Child() && !applyingSurfaceReport_) {
    backend_->MoveSurface(window, rect);
  }
  if (sized) {
    rec->update = rec->update.Intersect(rec->Client());
    if (repaint) {
      bool whole = (rec->cls.style & (CS_HREDRAW | CS_VREDRAW)) != 0;
      Rect exposed = rec->Client();
      if (!whole) {
        Rect right{std::min(old.Width(), rect.Width()), 0, rect.Width(), rect.Height()};
        Rect bottom{0, std::min(old.Height(), rect.Height()), rect.Width(), rect.Height()};
        exposed = right.Intersect(exposed).Union(bottom.Intersect(exposed));
      }
      InvalidateRect(window, &exposed);
    }
  }
  if (moved && SendAndFind(window, WM_MOVE, 0, MakeLParam(rect.left, rect.top)) == nullptr) return false;
  if (!sized && !stateChanged) return true;
  return SendAndFind(window, WM_SIZE, static_cast<WPARAM_T>(sizeType), MakeLParam(rect.Width(), rect.Height())) !=
         nullptr;
}

// Children keep their place in the parent, so they travel with it, silently.
void EmulatedHost::MoveDescendants(WindowHandle window, int dx, int dy) {
  for (auto& [handle, rec] : windows_) {
    if (rec->Child() && rec->parent == window) {
      rec->rect = rec->rect.Offset(dx, dy);
      rec->restoreRect = rec->restoreRect.Offset(dx, dy);
      MoveDescendants(handle, dx, dy);
    }
  }
}

// --- Activation and focus ---

void EmulatedHost::Activate(WindowHandle window, int how) {
  if (active_ == window) return;
  WindowHandle old = active_;
  active_ = window;
  if (WindowRecord* rec = SendAndFind(old, WM_NCACTIVATE, 0, 0)) {
    SendMessage(old, WM_ACTIVATE, MakeWParam(WA_INACTIVE, rec->Minimized() ? 1 : 0),
                reinterpret_cast<LPARAM_T>(window));
  }
  if (active_ != window) return;
  if (WindowRecord* rec = SendAndFind(window, WM_NCACTIVATE, 1, 0)) {
    SendMessage(window, WM_ACTIVATE, MakeWParam(how, rec->Minimized() ? 1 : 0), reinterpret_cast<LPARAM_T>(old));
  }
  if (active_ != window) return;
  if (Find(window) == nullptr) {
    ChangeFocus(nullptr);
  } else if (!IsWithin(focus_, window)) {
    ChangeFocus(IsMinimized(window) ? nullptr : window);
  }
}

void EmulatedHost::ActivateOtherThan(WindowHandle leaving) {
  WindowHandle next = GetOwner(leaving);
  WindowRecord* rec = Find(next);
  if (rec == nullptr || rec->destroying || !rec->Visible() || !rec->Enabled()) next = nullptr;
  Activate(next, WA_ACTIVE);
}

void EmulatedHost::ChangeFocus(WindowHandle window) {
  WindowHandle old = focus_;
  if (old == window) return;
  focus_ = window;
  SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM_T>(window), 0);
  if (focus_ == window) SendMessage(window, WM_SETFOCUS, reinterpret_cast<WPARAM_T>(old), 0);
}

WindowHandle EmulatedHost::SetFocus(WindowHandle window) {
  WindowHandle old = focus_;
  if (window != nullptr) {
    if (Find(window) == nullptr) return nullptr;
    // user32 refuses focus inside a disabled or minimised window.
    for (WindowRecord* rec = Find(window); rec != nullptr; rec = rec->Child() ? Find(rec->parent) : nullptr) {
      if (!rec->Enabled() || rec->Minimized()) return nullptr;
    }
    WindowHandle root = RootOf(window);
    if (root != active_) Activate(root, WA_ACTIVE);
    if (Find(window) == nullptr) return old;
  }
  ChangeFocus(window);
  return old;
}

WindowHandle EmulatedHost::GetFocus() const { return focus_; }

WindowHandle EmulatedHost::GetActiveWindow() const { return active_; }

}  // namespace zui
