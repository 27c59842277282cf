#include "ui/window/control_factory.h"

#include "ui/base/wide_text.h"
#include "ui/catalog/builtin_controls.h"

namespace zui {
CControlFactory& CControlFactory::Instance() {
  static CControlFactory factory;
  return factory;
}

CControlFactory::CControlFactory() {
  for (const BuiltinControl& control : BuiltinControls()) RegisterControl(control.className, control.create);
}

CControlUI* CControlFactory::CreateControl(std::wstring_view elementName) const {
  const auto it = creators_.find(KeyForElement(elementName));
  if (it == creators_.end()) return nullptr;
  return it->second();
}

void CControlFactory::RegisterControl(std::wstring_view className, ControlCreator creator) {
  if (creator == nullptr) {
    creators_.erase(FoldCaseCopy(className));
    return;
  }
  creators_[FoldCaseCopy(className)] = creator;
}

bool CControlFactory::IsRegistered(std::wstring_view className) const {
  return creators_.count(FoldCaseCopy(className)) != 0;
}

std::wstring CControlFactory::KeyForElement(std::wstring_view elementName) {
  std::wstring key;
  key.reserve(elementName.size() + 3);
  key += L'c';
  key += FoldCaseCopy(elementName);
  key += L"ui";
  return key;
}

}  // namespace zui
