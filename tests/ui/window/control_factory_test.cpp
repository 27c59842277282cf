#include "ui/window/control_factory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/catalog/builtin_controls.h"
#include "ui/controls/control.h"
#include "ui/window/skin_builder.h"
#include "ui/layout/container.h"

namespace {

using zui::CControlFactory;

TEST(ControlFactoryTest, ElementNamesFindTheirClassIgnoringCase) {
  EXPECT_EQ(CControlFactory::KeyForElement(L"VerticalLayout"), L"cverticallayoutui");
  CControlFactory& factory = CControlFactory::Instance();
  std::unique_ptr<zui::CControlUI> control(factory.CreateControl(L"Control"));
  std::unique_ptr<zui::CControlUI> container(factory.CreateControl(L"CONTAINER"));
  ASSERT_NE(control, nullptr);
  ASSERT_NE(container, nullptr);
  EXPECT_EQ(control->GetClass(), L"ControlUI");
  EXPECT_EQ(container->GetClass(), L"ContainerUI");
  EXPECT_EQ(factory.CreateControl(L"NoSuchThing"), nullptr);
  EXPECT_EQ(factory.CreateControl(L""), nullptr);
}

// Every built-in class is made from its element name in a skin, answers its
// own class name and the interface name of its element.
TEST(ControlFactoryTest, EveryBuiltinClassIsBuiltFromItsElement) {
  const std::vector<std::wstring> expected = {L"Control",          L"Label",           L"Text",
                                              L"Button",           L"Progress",        L"Ring",
                                              L"Container",        L"VerticalLayout",  L"HorizontalLayout",
                                              L"TabLayout",        L"ScrollBar",       L"List",
                                              L"ListHeader",       L"ListHeaderItem",  L"ListElement",
                                              L"ListLabelElement", L"ListTextElement", L"ListContainerElement"};
  std::vector<std::wstring> listed;
  for (const zui::BuiltinControl& builtin : zui::BuiltinControls()) {
    const std::wstring_view className = builtin.className;
    ASSERT_GT(className.size(), 3u);
    const std::wstring element(className.substr(1, className.size() - 3));  // CButtonUI -> Button
    listed.push_back(element);
    zui::CSkinBuilder builder;
    std::unique_ptr<zui::CControlUI> control(builder.Create(L"<Window><" + element + L"/></Window>", {}));
    ASSERT_NE(control, nullptr) << "no control for <" << std::string(element.begin(), element.end()) << ">";
    EXPECT_EQ(control->GetClass(), className.substr(1)) << std::string(element.begin(), element.end());
    EXPECT_TRUE(control->HasInterface(element)) << std::string(element.begin(), element.end());
  }
  EXPECT_EQ(listed, expected);
}

zui::CControlUI* MakeTagged() {
  auto* control = new zui::CControlUI;
  control->SetTag(42);
  return control;
}

TEST(ControlFactoryTest, LaterRegistrationReplacesAndNullRemoves) {
  CControlFactory& factory = CControlFactory::Instance();
  factory.RegisterControl(L"CGadgetUI", [] { return static_cast<zui::CControlUI*>(new zui::CContainerUI); });
  factory.RegisterControl(L"cgadgetui", MakeTagged);
  EXPECT_TRUE(factory.IsRegistered(L"CGADGETUI"));
  std::unique_ptr<zui::CControlUI> gadget(factory.CreateControl(L"gadget"));
  ASSERT_NE(gadget, nullptr);
  EXPECT_EQ(gadget->GetTag(), 42u);

  factory.RegisterControl(L"CGadgetUI", nullptr);
  EXPECT_FALSE(factory.IsRegistered(L"CGadgetUI"));
  EXPECT_EQ(factory.CreateControl(L"Gadget"), nullptr);
}

}  // namespace
