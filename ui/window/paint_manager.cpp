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

CPaintManagerUI::ControlWatch::ControlWatch(CPaintManagerUI& manager, CControlUI* control)
    : manager_(manager), control_(control) {
  manager_.watches_.push_back(this);
}

CPaintManagerUI::ControlWatch::~ControlWatch() {
  auto& w = manager_.watches_;
  w.erase(std::remove(w.begin(), w.end(), this), w.end());
}

CPaintManagerUI::CPaintManagerUI() : resources_(std::make_unique<CResourceTables>(PlatformTextEngine())) {}

CPaintManagerUI::~CPaintManagerUI() {
  // Controls tell the manager they are going while they are destroyed, so
  // the tree goes first, while every table is still there.
  CControlUI* root = root_;
  root_ = nullptr;
  delete root;
  for (CControlUI* control : delayedCleanup_) delete control;
  delayedCleanup_.clear();
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
  if (root == nullptr) return false;
  shadow_.Create(this);
  SetFocus(nullptr);
  key_ = nullptr;
  hot_ = nullptr;
  click_ = nullptr;
  // The old tree may be in the middle of handling the event that replaced
  // it, so it is deleted from the queue's wake-up, not here.
  if (root_ != nullptr && root_ != root) {
    postPaintControls_.clear();
    AddDelayedCleanup(root_);
  }
  root_ = root;
  firstLayout_ = true;
  updateNeeded_ = true;
  focusNeeded_ = true;
  const bool ok = InitControls(root, nullptr);
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
  ForEachControl(control, kFindAll | kFindMeFirst, [this](CControlUI* c) {
    if (!c->GetName().empty()) names_[c->GetName()] = c;
  });
}

void CPaintManagerUI::RegisterName(CControlUI* control) {
  if (control != nullptr && !control->GetName().empty()) names_[control->GetName()] = control;
}

void CPaintManagerUI::UnregisterName(CControlUI* control) {
  for (auto it = names_.begin(); it != names_.end();) {
    if (it->second == control)
      it = names_.erase(it);
    else
      ++it;
  }
}

void CPaintManagerUI::ReapObjects(CControlUI* control) {
  if (control == nullptr) return;
  if (control == focus_) focus_ = nullptr;
  if (control == hot_) hot_ = nullptr;
  if (control == click_) click_ = nullptr;
  if (control == key_) key_ = nullptr;
  if (control == focusTarget_) focusTarget_ = nullptr;
  KillTimer(control);
  UnregisterName(control);
  for (auto& record : asyncNotify_)
    if (record->sender == control) record->sender = nullptr;
  postPaintControls_.erase(std::remove(postPaintControls_.begin(), postPaintControls_.end(), control),
                           postPaintControls_.end());
  for (ControlWatch* watch : watches_)
    if (watch->control_ == control) watch->control_ = nullptr;
}

void CPaintManagerUI::ReapTree(CControlUI* control) {
  std::vector<CControlUI*> all;
  ForEachControl(control, kFindAll, [&all](CControlUI* c) { all.push_back(c); });
  for (CControlUI* c : all) ReapObjects(c);
}

void CPaintManagerUI::AddDelayedCleanup(CControlUI* control) {
  if (control == nullptr) return;
  // Nothing may point into a detached tree: once detached its controls no
  // longer tell this manager when they are deleted.
  ReapTree(control);
  control->SetManager(nullptr, nullptr, false);
  delayedCleanup_.push_back(control);
  PostDrainMessage();
}

CControlUI* CPaintManagerUI::FindControl(Point point) const { return FindSubControlByPoint(root_, point); }

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
