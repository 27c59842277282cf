// The container's child list and settings: adding, removing and destroying
// children, passing the manager and visibility down, container attributes.

#include "ui/layout/container.h"

#include <algorithm>

#include "ui/base/wide_text.h"
#include "ui/controls/attribute_table.h"
#include "ui/controls/control_manager.h"
#include "ui/layout/scroll_bar.h"
#include "ui/render/value_format.h"

namespace zui {
CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
  verticalScrollBar_.reset();
  horizontalScrollBar_.reset();
  // The container goes now, so its children cannot wait for a later drain.
  std::vector<ControlPtr> children;
  children.swap(items_);
  for (ControlPtr& child : children) {
    child->SetManager(child->GetManager(), nullptr, false);
    Dispose(std::move(child), true);
  }
}

std::wstring_view CContainerUI::GetClass() const { return L"ContainerUI"; }

bool CContainerUI::HasInterface(std::wstring_view name) const {
  return EqualsIgnoreAsciiCase(name, L"Container") || name == L"IContainer" || CControlUI::HasInterface(name);
}

// ---- child list -------------------------------------------------------------

// The child-list operations count the container's own children, not
// GetCount(): a container may answer for another's children (the list
// answers for its body's rows) and still keep its own apart.

CControlUI* CContainerUI::GetItemAt(int index) const {
  if (index < 0 || index >= static_cast<int>(items_.size())) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
  const auto it =
      std::find_if(items_.begin(), items_.end(), [control](const ControlPtr& c) { return c.get() == control; });
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index) {
  const int from = CContainerUI::GetItemIndex(control);
  if (from < 0 || index < 0 || index >= static_cast<int>(items_.size())) return false;
  if (from == index) return true;
  ControlPtr moved = std::move(items_[static_cast<size_t>(from)]);
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + index, std::move(moved));
  NeedUpdate();
  return true;
}

bool CContainerUI::Add(ControlPtr&& control) { return AddAt(std::move(control), static_cast<int>(items_.size())); }

bool CContainerUI::AddAt(ControlPtr&& control, int index) {
  if (control == nullptr || index < 0 || index > static_cast<int>(items_.size())) return false;
  // A control listed twice would be painted twice and destroyed twice; a
  // control holding its own ancestor would make a loop of the tree. Both
  // can only come through the plain-pointer adapter.
  if (CContainerUI::GetItemIndex(control.get()) >= 0) return false;
  for (const CControlUI* p = this; p != nullptr; p = p->GetParent())
    if (p == control.get()) return false;

  CControlUI* child = control.get();
  if (manager_ != nullptr) manager_->InitControls(child, this);
  else child->SetManager(child->GetManager(), this, false);
  if (IsVisible()) {
    // A control taken from a hidden container would otherwise stay hidden.
    if (!child->IsInternVisible()) child->SetInternVisible(true);
    NeedUpdate();
  } else {
    child->SetInternVisible(false);
  }
  items_.insert(items_.begin() + index, std::move(control));
  return true;
}

bool CContainerUI::Remove(CControlUI* control) {
  const int index = GetItemIndex(control);
  return index >= 0 && RemoveAt(index);
}

bool CContainerUI::RemoveAt(int index) {
  ControlPtr child = DetachAt(index);
  if (child == nullptr) return false;
  Dispose(std::move(child));
  return true;
}

void CContainerUI::RemoveAll() {
  std::vector<ControlPtr> children;
  children.swap(items_);
  for (ControlPtr& child : children) {
    child->SetManager(child->GetManager(), nullptr, false);
    Dispose(std::move(child));
  }
  NeedUpdate();
}

ControlPtr CContainerUI::Detach(CControlUI* control) { return DetachAt(GetItemIndex(control)); }

ControlPtr CContainerUI::DetachAt(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return nullptr;
  NeedUpdate();
  // Out of the list before anything else, so nothing it does on the way
  // (or dying) sees it among our children.
  ControlPtr child = std::move(items_[static_cast<size_t>(index)]);
  items_.erase(items_.begin() + index);
  LetGo(*child);
  return child;
}

// A child leaving alive leaves the window too: nothing there may outlive it
// pointing at it, nor it at a window that may go first.
void CContainerUI::LetGo(CControlUI& child) {
  if (manager_ != nullptr && child.GetManager() == manager_) manager_->ReleaseTree(&child);
  else child.SetManager(child.GetManager(), nullptr, false);
}

void CContainerUI::Dispose(ControlPtr child, bool now) {
  if (!autoDestroy_) {
    LetGo(*child);
    static_cast<void>(child.release());  // borrowed: its owner deletes it
    return;
  }
  if (!now && delayedDestroy_ && manager_ != nullptr) manager_->DestroyLater(std::move(child));
}

// ---- settings ---------------------------------------------------------------

Rect CContainerUI::GetInset() const { return Scale(inset_); }

void CContainerUI::SetInset(const Rect& inset) {
  if (inset_ == inset) return;
  inset_ = inset;
  NeedUpdate();
}

int CContainerUI::GetChildPadding() const { return Scale(childPadding_); }

void CContainerUI::SetChildPadding(int padding) {
  if (childPadding_ == padding) return;
  childPadding_ = padding;
  NeedUpdate();
}

void CContainerUI::SetChildAlign(uint32_t align) {
  if (childAlign_ == align) return;
  childAlign_ = align;
  NeedUpdate();
}

void CContainerUI::SetChildVAlign(uint32_t align) {
  if (childVAlign_ == align) return;
  childVAlign_ = align;
  NeedUpdate();
}

int CContainerUI::GetScrollStepSize() const { return Scale(scrollStepSize_); }

void CContainerUI::SetScrollStepSize(int size) {
  if (size > 0) scrollStepSize_ = size;
}

// ---- passed down to the children --------------------------------------------

void CContainerUI::SetManager(IControlManagerUI* manager, CControlUI* parent, bool init) {
  for (const ControlPtr& child : items_) child->SetManager(manager, this, init);
  if (verticalScrollBar_ != nullptr) verticalScrollBar_->SetManager(manager, this, init);
  if (horizontalScrollBar_ != nullptr) horizontalScrollBar_->SetManager(manager, this, init);
  CControlUI::SetManager(manager, parent, init);
}

void CContainerUI::SetVisible(bool visible) {
  if (IsOwnVisible() == visible) return;
  CControlUI::SetVisible(visible);
  for (const ControlPtr& child : items_) child->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible) {
  CControlUI::SetInternVisible(visible);
  for (const ControlPtr& child : items_) child->SetInternVisible(IsVisible());
}

void CContainerUI::SetMouseEnabled(bool enabled) { CControlUI::SetMouseEnabled(enabled); }

// ---- attributes -------------------------------------------------------------

namespace {

void ApplyChildAlign(CContainerUI& c, std::wstring_view v) {
  // Matched exactly: "Center" is no word of ours and changes nothing.
  if (v == L"left") c.SetChildAlign(kAlignLeft);
  else if (v == L"center") c.SetChildAlign(kAlignCenter);
  else if (v == L"right") c.SetChildAlign(kAlignRight);
}

void ApplyChildVAlign(CContainerUI& c, std::wstring_view v) {
  if (v == L"top") c.SetChildVAlign(kAlignTop);
  else if (v == L"vcenter") c.SetChildVAlign(kAlignVCenter);
  else if (v == L"bottom") c.SetChildVAlign(kAlignBottom);
}

const AttributeEntry<CContainerUI> kContainerAttributes[] = {
    {L"inset", [](CContainerUI& c, std::wstring_view v) { c.SetInset(ParseRectValue(v)); }},
    {L"mousechild", [](CContainerUI& c, std::wstring_view v) { c.SetMouseChildEnabled(ParseBoolValue(v)); }},
    {L"vscrollbar",
     [](CContainerUI& c, std::wstring_view v) {
       c.EnableScrollBar(ParseBoolValue(v), c.GetHorizontalScrollBar() != nullptr);
     }},
    {L"hscrollbar",
     [](CContainerUI& c, std::wstring_view v) {
       c.EnableScrollBar(c.GetVerticalScrollBar() != nullptr, ParseBoolValue(v));
     }},
    {L"vscrollbarstyle", [](CContainerUI& c, std::wstring_view v) { c.SetScrollBarStyle(false, v); }},
    {L"hscrollbarstyle", [](CContainerUI& c, std::wstring_view v) { c.SetScrollBarStyle(true, v); }},
    {L"childpadding", [](CContainerUI& c, std::wstring_view v) { c.SetChildPadding(ParseIntValue(v)); }},
    {L"childalign", &ApplyChildAlign, true},
    {L"childvalign", &ApplyChildVAlign, true},
    {L"scrollstepsize", [](CContainerUI& c, std::wstring_view v) { c.SetScrollStepSize(ParseIntValue(v)); }},
};

}  // namespace

void CContainerUI::SetScrollBarStyle(bool horizontal, std::wstring_view style) {
  (horizontal ? horizontalScrollBarStyle_ : verticalScrollBarStyle_) = style;
  // A style names a skin style when there is one, else it is itself a list.
  CScrollBarUI* bar = horizontal ? horizontalScrollBar_.get() : verticalScrollBar_.get();
  if (bar != nullptr) bar->ApplyAttributeList(style);
}

void CContainerUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (!ApplyAttributeEntry<CContainerUI>(kContainerAttributes, *this, name, value))
    CControlUI::SetAttribute(name, value);
}

}  // namespace zui
