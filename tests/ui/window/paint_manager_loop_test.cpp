// The message loop and its pre-translation, for top-level windows and for
// native child windows inside a skinned one.

#include <algorithm>

#include "manager_test_support.h"

namespace zui::test {
namespace {

struct Accelerator : ITranslateAccelerator {
  LRESULT_T TranslateAccelerator(HostMessage& msg) override {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_F4) return 1;
    ++taken;
    return 0;
  }
  int taken = 0;
};

class LoopTest : public ManagerTest {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      RecordingControl* c =
          AddChild(*root_, std::wstring(1, static_cast<wchar_t>(L'a' + i)), {i * 40, 0, i * 40 + 30, 30});
      c->flags = kControlFlagTabStop;
      mainControls_.push_back(c);
    }
    ShowWindow();
  }
  std::vector<RecordingControl*> mainControls_;
};

TEST_F(LoopTest, MessageLoopPreTranslatesDispatchesAndEndsAtQuit) {
  ASSERT_EQ(manager().GetFocus(), mainControls_[0]);
  Accelerator accelerator;
  manager().AddTranslateAccelerator(&accelerator);
  host_.PressKey(VK_TAB);
  host_.PressKey(VK_F4);
  host_.PostMessage(handle(), WM_USER + 5, 0, 0);
  host_.PostQuitMessage(3);
  CPaintManagerUI::MessageLoop();

  EXPECT_EQ(manager().GetFocus(), mainControls_[1]);
  EXPECT_EQ(accelerator.taken, 1);
  EXPECT_EQ(mainControls_[1]->Count(kEventKeyDown), 0) << "Tab and F4 were both consumed";
  EXPECT_NE(std::find(window_->received.begin(), window_->received.end(), WM_USER + 5), window_->received.end());
}

TEST_F(LoopTest, KeysOfANativeChildWindowReachEveryManagerAboveItOnce) {
  TestWindow middle({10, 40, 300, 250}, WS_CHILD | WS_VISIBLE, handle());
  TestWindow inner({10, 10, 200, 150}, WS_CHILD | WS_VISIBLE, middle.handle());
  auto* innerRoot = new CContainerUI();
  std::vector<RecordingControl*> innerControls;
  for (int i = 0; i < 3; ++i) {
    RecordingControl* c =
        AddChild(*innerRoot, std::wstring(1, static_cast<wchar_t>(L'x' + i)), {i * 40, 0, i * 40 + 30, 30});
    c->flags = kControlFlagTabStop;
    innerControls.push_back(c);
  }
  inner.manager().AttachDialog(innerRoot);
  Pump();
  ASSERT_EQ(inner.manager().GetFocus(), innerControls[0]);
  host_.SetFocus(inner.handle());

  host_.PressKey(VK_TAB);
  Pump();
  EXPECT_EQ(inner.manager().GetFocus(), innerControls[1]) << "one step, however deep the child sits";
  EXPECT_EQ(manager().GetFocus(), mainControls_[1]);
  EXPECT_EQ(innerControls[1]->Count(kEventKeyDown), 1) << "a child window's keys go on to it";
}

}  // namespace
}  // namespace zui::test
