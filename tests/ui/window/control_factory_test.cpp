#include "ui/window/control_factory.h"

#include <gtest/gtest.h>

#include <memory>

#include "ui/controls/control.h"
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
