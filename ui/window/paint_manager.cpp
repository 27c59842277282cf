// Binding a manager to its window, the control tree it owns, the name table
// and the forgetting of controls that go away.

#include "ui/window/paint_manager.h"

#include <algorithm>

#include "ui/controls/control.h"
#include "ui/host/host.h"
#include "ui/text/text_engine.h"
#include "ui/window/tooltip_window.h"

namespace zui {

namespace {

NativeModule& ProcessInstance() {
  static NativeModule instance = nullptr;
  return instance;
}

std::vector<CPaintManagerUI*>& ManagerList() {
  static std::vector<CPaintManagerUI*> managers;
  return managers;
}

// Visits every control: the visitor never accepts, so the walk goes on.
template <typename Fn>
void ForEachControl(CControlUI* root, uint32_t flags, Fn&& fn) {
  if (root == nullptr) return;
  root->FindControl(
      [&fn](CControlUI* control) -> CControlUI* {
        fn(control);
        return nullptr;
      },
      flags);
}

}  // namespace

CPaintManagerUI::CPaintManagerUI()
    : scalePercent_(DefaultDisplayScale()), resources_(std::make_unique<CResourceTables>(PlatformTextEngine())) {
  resources_->SetScalePercent(scalePercent_);
}

CPaintManagerUI::~CPaintManagerUI() {
  // Controls tell the manager they are going while they are destroyed, so
  // the tree goes first, while every table is still there.
  root_.reset();
  doomed_.clear();
  asyncNotify_.clear();
  RemoveAllTimers();
  auto& managers = ManagerList();
  managers.erase(std::remove(managers.begin(), managers.end(), this), managers.end());
}

void CPaintManagerUI::SetInstance(NativeModule module) { ProcessInstance() = module; }

NativeModule CPaintManagerUI::GetInstance() { return ProcessInstance(); }

const std::vector<CPaintManagerUI*>& CPaintManagerUI::GetPaintManagers() { return ManagerList(); }

std::vector<PluginCreator>& CPaintManagerUI::GetPlugins() {
  static std::vector<PluginCreator> plugins;
  return plugins;
}

void CPaintManagerUI::Init(WindowHandle window, std::wstring_view name) {
  const bool rebinding = window_ != nullptr;
  ResetWindowTables();
  if (rebinding) {
    resources_ = std::make_unique<CResourceTables>(PlatformTextEngine());
    resources_->SetScalePercent(scalePercent_);
    descriptorCache_.Clear();
  }
  name_ = name;
  window_ = window;
  auto& managers = ManagerList();
  if (std::find(managers.begin(), managers.end(), this) == managers.end()) managers.push_back(this);
}

void CPaintManagerUI::ResetWindowTables() {
  names_.clear();
  names_.reserve(83);
  RemoveAllTimers();
}

Rect CPaintManagerUI::GetClientRect() const { return window_ ? Host().GetClientRect(window_) : Rect{}; }

Size CPaintManagerUI::GetClientSize() const {
  const Rect r = GetClientRect();
  return {r.Width(), r.Height()};
}

bool CPaintManagerUI::AttachDialog(CControlUI* root) {
  if (root != nullptr && root == root_.get()) return AttachDialog(std::move(root_));
  return AttachDialog(ControlPtr(root));
}

bool CPaintManagerUI::AttachDialog(ControlPtr root) {
  if (root == nullptr) return false;
  shadow_.Create(this);
  SetFocus(nullptr);
  key_ = nullptr;
  hot_ = nullptr;
  click_ = nullptr;
  // The old tree may be in the middle of handling the event that replaced
  // it, so it is destroyed from the queue's wake-up, not here.
  if (root_ != nullptr) {
    postPaintControls_.clear();
    DestroyLater(std::move(root_));
  }
  root_ = std::move(root);
  firstLayout_ = true;
  updateNeeded_ = true;
  focusNeeded_ = true;
  const bool ok = InitControls(root_.get(), nullptr);
  if (window_) Invalidate();
  return ok;
}

bool CPaintManagerUI::InitControls(CControlUI* control, CControlUI* parent) {
  if (control == nullptr) return false;
  control->SetManager(this, parent ? parent : control->GetParent(), true);
  EnterNames(control);
  return true;
}

void CPaintManagerUI::EnterNames(CControlUI* control) {
  // Document order, a container before its children, so the last control of
  // a name is the one kept.
  ForEachControl(control, kFindAll | kFindMeFirst, [this](CControlUI* c) { RegisterName(c); });
}

void CPaintManagerUI::RegisterName(CControlUI* control) {
  if (control == nullptr || control->GetName().empty()) return;
  if (control->GetRegisteredName() != control->GetName()) UnregisterName(control);
  names_[control->GetName()] = control;
  control->SetRegisteredName(control->GetName());
}

void CPaintManagerUI::UnregisterName(CControlUI* control) {
  if (control == nullptr || control->GetRegisteredName().empty()) return;
  // A later control of the same name may have taken the entry; it stays.
  const auto it = names_.find(control->GetRegisteredName());
  if (it != names_.end() && it->second == control) names_.erase(it);
  control->SetRegisteredName({});
}

void CPaintManagerUI::ReapObjects(CControlUI* control) {
  if (control == nullptr) return;
  KillTimer(control);
  UnregisterName(control);
  if (!postPaintControls_.empty()) RemovePostPaint(control);
}

std::array<ControlRef*, 5> CPaintManagerUI::TrackedSlots() { return {&focus_, &hot_, &click_, &key_, &focusTarget_}; }

void CPaintManagerUI::ReleaseTree(CControlUI* control) {
  if (control == nullptr) return;
  // Once out of the window its controls no longer tell this manager when
  // they die, so nothing here may keep pointing into it.
  for (ControlRef* slot : TrackedSlots()) {
    for (CControlUI* c = *slot; c != nullptr; c = c->GetParent()) {
      if (c != control) continue;
      *slot = nullptr;
      break;
    }
  }
  ForEachControl(control, kFindAll, [this](CControlUI* c) { ReapObjects(c); });
  control->SetManager(nullptr, nullptr, false);
}

void CPaintManagerUI::DestroyLater(ControlPtr control) {
  if (control == nullptr) return;
  if (control->GetManager() == this) ReleaseTree(control.get());
  doomed_.push_back(std::move(control));
  PostDrainMessage();
}

CControlUI* CPaintManagerUI::FindControl(Point point) const { return FindSubControlByPoint(root_.get(), point); }

CControlUI* CPaintManagerUI::FindControl(std::wstring_view name) const {
  auto it = names_.find(std::wstring(name));
  return it == names_.end() ? nullptr : it->second;
}

CControlUI* CPaintManagerUI::FindSubControlByPoint(CControlUI* parent, Point point) const {
  if (parent == nullptr) return nullptr;
  auto atPoint = [point](CControlUI* control) { return control->GetPos().Contains(point) ? control : nullptr; };
  return parent->FindControl(atPoint, kFindVisible | kFindHitTest | kFindTopFirst, point);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* parent, std::wstring_view name) const {
  if (parent == nullptr) return nullptr;
  auto byName = [name](CControlUI* control) { return control->GetName() == name ? control : nullptr; };
  return parent->FindControl(byName, kFindAll);
}

}  // namespace zui
