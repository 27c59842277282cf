// The control pass with the toolkit's real controls: styles against own
// attributes, defaults reaching into included documents, and the level rules.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "resource_test_support.h"
#include "ui/controls/control.h"
#include "ui/window/paint_manager.h"
#include "ui/window/skin_builder.h"
#include "ui/layout/container.h"

namespace {

using zui::CContainerUI;
using zui::CSkinBuilder;

class SkinBuilderStylesTest : public ztest::ResourceTest {
 protected:
  CContainerUI* Build(const std::wstring& xml) {
    CSkinBuilder builder;
    root_.reset(builder.Create(xml, {}, nullptr, &manager_));
    return dynamic_cast<CContainerUI*>(root_.get());
  }

  // Before the tree is attached no name table knows the controls.
  zui::CControlUI* Child(int index) {
    auto* box = dynamic_cast<CContainerUI*>(root_.get());
    return box != nullptr ? box->GetItemAt(index) : nullptr;
  }

  zui::CPaintManagerUI manager_;
  std::unique_ptr<zui::CControlUI> root_;
};

TEST_F(SkinBuilderStylesTest, StyleOverridesWhatComesBeforeItAndYieldsToWhatComesAfter) {
  ASSERT_NE(Build(L"<Window><Style name=\"green\" value=\"bkcolor=&quot;#FF00FF00&quot; bordersize=&quot;2&quot;\"/>"
                  L"<Container>"
                  L"<Control style=\"green\" bkcolor=\"#FF000000\"/>"
                  L"<Control bkcolor=\"#FF000000\" style=\"green\"/>"
                  L"<Control style=\"absent\"/>"
                  L"</Container></Window>"),
            nullptr);
  ASSERT_NE(Child(2), nullptr);
  EXPECT_EQ(Child(0)->GetBkColor(), 0xFF000000u);
  EXPECT_EQ(Child(1)->GetBkColor(), 0xFF00FF00u);
  EXPECT_EQ(Child(0)->GetBorderSize(), 2);
  EXPECT_EQ(Child(2)->GetBkColor(), 0u);
}

TEST_F(SkinBuilderStylesTest, DefaultsComeFirstAndReachIncludedDocuments) {
  ASSERT_NE(
      Build(L"<Window><Default name=\"Control\" value=\"bkcolor=&quot;#FF112233&quot; width=&quot;7&quot;\"/>"
            L"<Container>"
            L"<Include source=\"&lt;Window&gt;&lt;Control name=&quot;inc&quot;/&gt;&lt;/Window&gt;\" count=\"3\"/>"
            L"<Control name=\"own\" bkcolor=\"#FF445566\"/>"
            L"<Container name=\"box\"/>"
            L"</Container></Window>"),
      nullptr);
  ASSERT_EQ(static_cast<CContainerUI*>(root_.get())->GetCount(), 5);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Child(i)->GetName(), L"inc");
    EXPECT_EQ(Child(i)->GetBkColor(), 0xFF112233u);
    EXPECT_EQ(Child(i)->GetFixedWidth(), 7);
  }
  EXPECT_EQ(Child(3)->GetBkColor(), 0xFF445566u);
  EXPECT_EQ(Child(3)->GetFixedWidth(), 7);
  // Names are matched exactly: "Container" has no default list.
  EXPECT_EQ(Child(4)->GetBkColor(), 0u);
}

TEST_F(SkinBuilderStylesTest, UnknownElementsAndNonContainersWithRealControls) {
  ASSERT_NE(Build(L"<Window><Container>"
                  L"<Foo><Control name=\"lost\"/></Foo>"
                  L"<Control name=\"label\"><Control name=\"under-label\"/></Control>"
                  L"<Control name=\"last\"/>"
                  L"</Container></Window>"),
            nullptr);
  auto* box = static_cast<CContainerUI*>(root_.get());
  ASSERT_EQ(box->GetCount(), 2);
  EXPECT_EQ(Child(0)->GetName(), L"label");
  EXPECT_EQ(Child(1)->GetName(), L"last");
  EXPECT_EQ(dynamic_cast<zui::IContainerUI*>(Child(0)), nullptr);
}

}  // namespace
