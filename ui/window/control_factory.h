#pragma once
// The process's control factory: element name -> new control. The key of an
// element is "C<name>UI" in lower case, so <VerticalLayout> and
// <verticallayout> both find CVerticalLayoutUI.

#include <string>
#include <string_view>
#include <unordered_map>

namespace zui {

class CControlUI;

using ControlCreator = CControlUI* (*)();

class CControlFactory {
 public:
  // Made on first use with every control class the toolkit has.
  static CControlFactory& Instance();

  // A new control for the element name; null when the class is unknown.
  CControlUI* CreateControl(std::wstring_view elementName) const;
  // `className` as written in code, e.g. L"CButtonUI"; a later registration
  // of the same class replaces the earlier one, and a null creator removes it.
  void RegisterControl(std::wstring_view className, ControlCreator creator);
  bool IsRegistered(std::wstring_view className) const;

  // "Button" -> "cbuttonui".
  static std::wstring KeyForElement(std::wstring_view elementName);

 private:
  CControlFactory();

  std::unordered_map<std::wstring, ControlCreator> creators_;
};

}  // namespace zui
