// Keyboard focus by Tab and by Alt shortcuts, as the message loop's
// pre-translation gives it.

#include "manager_test_support.h"

namespace zui::test {
namespace {

class TabTest : public ManagerTest {
 protected:
  RecordingControl* Add(std::wstring_view name, int x, bool tabStop) {
    RecordingControl* c = AddChild(*root_, name, {x, 10, x + 30, 40});
    if (tabStop) c->flags = kControlFlagTabStop;
    return c;
  }
};

TEST_F(TabTest, FirstPaintFocusesTheFirstTabStopAndTabCyclesOverEligibleOnes) {
  Add(L"label", 0, false);
  RecordingControl* first = Add(L"first", 40, true);
  Add(L"disabled", 80, true)->SetEnabled(false);
  RecordingControl* second = Add(L"second", 120, true);
  Add(L"hidden", 160, true)->SetVisible(false);
  Add(L"nokeys", 200, true)->SetKeyboardEnabled(false);
  RecordingControl* third = Add(L"third", 240, true);
  ShowWindow();
  EXPECT_EQ(manager().GetFocus(), first);

  std::vector<std::wstring> order;
  for (int i = 0; i < 4; ++i) {
    host_.PressKey(VK_TAB);
    Pump();
    order.push_back(manager().GetFocus() ? manager().GetFocus()->GetName() : L"-");
  }
  EXPECT_EQ(order, (std::vector<std::wstring>{L"second", L"third", L"first", L"second"}));
  EXPECT_EQ(second->Count(kEventKeyDown), 0) << "Tab is consumed before dispatch";

  host_.PressKeys({VK_SHIFT, VK_TAB});
  Pump();
  EXPECT_EQ(manager().GetFocus(), first);
  host_.PressKeys({VK_SHIFT, VK_TAB});
  Pump();
  EXPECT_EQ(manager().GetFocus(), third) << "backwards wraps to the last";
}

TEST_F(TabTest, TabStartsFromAFocusThatIsNoTabStop) {
  RecordingControl* first = Add(L"first", 0, true);
  RecordingControl* plain = Add(L"plain", 40, false);
  RecordingControl* second = Add(L"second", 80, true);
  ShowWindow();
  plain->SetFocus();
  host_.PressKey(VK_TAB);
  Pump();
  EXPECT_EQ(manager().GetFocus(), second);
  plain->SetFocus();
  host_.PressKeys({VK_SHIFT, VK_TAB});
  Pump();
  EXPECT_EQ(manager().GetFocus(), first);
}

TEST_F(TabTest, AltShortcutFocusesAndActivatesTheControl) {
  RecordingControl* first = Add(L"first", 0, true);
  RecordingControl* start = Add(L"start", 40, true);
  start->SetShortcut(L's');
  RecordingControl* off = Add(L"off", 80, true);
  off->SetShortcut(L'o');
  off->SetEnabled(false);
  ShowWindow();
  EXPECT_EQ(manager().GetFocus(), first);

  host_.PressKeys({VK_MENU, 'S'});
  Pump();
  EXPECT_EQ(manager().GetFocus(), start);
  EXPECT_EQ(start->activations, 1);

  host_.PressKeys({VK_MENU, 'O'});
  Pump();
  EXPECT_EQ(manager().GetFocus(), start) << "a disabled control has no shortcut";
  EXPECT_EQ(off->activations, 0);
}

}  // namespace
}  // namespace zui::test
