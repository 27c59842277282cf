// The control pass: one level of elements becomes controls, children first,
// then attached to the parent, then given their defaults and attributes.

#include "ui/controls/control.h"
#include "ui/window/control_factory.h"
#include "ui/window/paint_manager.h"
#include "ui/window/skin_builder.h"
#include "ui/base/wide_text.h"
#include "ui/layout/container.h"

namespace zui {
namespace {

// Declarations the resource pass has already taken.
bool IsResourceElement(std::wstring_view name) {
  return EqualsIgnoreCase(name, L"Image") || EqualsIgnoreCase(name, L"Font") || EqualsIgnoreCase(name, L"Default") ||
         EqualsIgnoreCase(name, L"Style") || EqualsIgnoreCase(name, L"style2") || EqualsIgnoreCase(name, L"Import");
}

void ApplyOwnAttributes(CSkinMarkupNode& node, CControlUI* control) {
  const int count = node.GetAttributeCount();
  for (int i = 0; i < count; ++i) control->SetAttribute(node.GetAttributeName(i), node.GetAttributeValue(i));
}

}  // namespace

CControlUI* CSkinBuilder::CreateByName(std::wstring_view elementName, CPaintManagerUI* manager) {
  (void)manager;  // the plug-in list is the process's, whichever window asks
  if (CControlUI* control = CControlFactory::Instance().CreateControl(elementName)) return control;
  for (PluginCreator create : CPaintManagerUI::GetPlugins()) {
    if (create == nullptr) continue;
    if (CControlUI* control = create(elementName)) return control;
  }
  return callback_ != nullptr ? callback_->CreateControl(elementName) : nullptr;
}

CControlUI* CSkinBuilder::Parse(CSkinMarkupNode parentNode, CControlUI* parent, CPaintManagerUI* manager, int depth) {
  CControlUI* first = nullptr;
  IContainerUI* container = nullptr;
  bool containerAsked = false;
  if (depth >= kMaxControlDepth) return nullptr;

  for (CSkinMarkupNode node = parentNode.GetChild(); node.IsValid(); node = node.GetSibling()) {
    const std::wstring_view name = node.GetName();
    if (IsResourceElement(name)) continue;
    if (EqualsIgnoreCase(name, L"Include")) {
      Include(node, parent, manager, depth);
      continue;
    }
    // Without a parent only the first top-level control reaches the caller;
    // a second one would belong to nobody, so it is not made.
    if (parent == nullptr && first != nullptr) continue;

    // Factories and plug-ins hand over what they make; until a container
    // takes it, the control dies with this iteration.
    ControlPtr control(CreateByName(name, manager));
    if (control == nullptr) continue;
    CControlUI* made = control.get();
    if (node.HasChildren()) Parse(node, made, manager, depth + 1);

    if (parent != nullptr) {
      if (!containerAsked) {
        container = dynamic_cast<IContainerUI*>(parent);
        containerAsked = true;
      }
      if (container == nullptr) return nullptr;
      if (!container->Add(std::move(control))) continue;
    }

    if (manager != nullptr) {
      made->SetManager(manager, nullptr, false);
      if (const std::wstring* defaults = manager->GetDefaultAttributeList(name)) made->ApplyAttributeList(*defaults);
    }
    ApplyOwnAttributes(node, made);
    if (manager != nullptr) made->SetManager(nullptr, nullptr, false);

    // Without a parent the one top-level control goes to the caller.
    if (first == nullptr) first = parent == nullptr ? control.release() : made;
  }
  return first;
}

}  // namespace zui
