// Mouse and key input as a user produces it, routed to single controls.

#include "manager_test_support.h"

namespace zui::test {
namespace {

class InputTest : public ManagerTest {
 protected:
  void SetUp() override {
    a_ = AddChild(*root_, L"a", {10, 10, 60, 40});
    b_ = AddChild(*root_, L"b", {100, 10, 150, 40});
    ShowWindow();
  }
  RecordingControl* a_ = nullptr;
  RecordingControl* b_ = nullptr;
};

TEST_F(InputTest, PressMoveReleaseOnOneControlGivesOneButtonUpThere) {
  host_.MoveMouse(handle(), {20, 20});
  Pump();
  EXPECT_EQ(manager().GetHot(), a_);
  host_.PressLeft(handle(), {25, 20});
  Pump();
  EXPECT_EQ(host_.GetCapture(), handle());
  EXPECT_EQ(manager().GetFocus(), a_);
  host_.MoveMouse(handle(), {30, 25});
  host_.ReleaseLeft(handle(), {30, 25});
  Pump();
  EXPECT_EQ(host_.GetCapture(), nullptr);
  EXPECT_EQ(manager().GetClick(), nullptr);

  const std::vector<int> expected = {kEventMouseEnter, kEventMouseMove, kEventSetFocus, kEventButtonDown,
                                     kEventMouseMove, kEventButtonUp};
  EXPECT_EQ(a_->Kinds(), expected);
  EXPECT_EQ(a_->Last(kEventButtonUp)->point, (Point{30, 25}));
  EXPECT_TRUE(b_->seen.empty());
  EXPECT_EQ(log_.Of(L"setfocus"), std::vector<std::wstring>{L"setfocus:a"});
}

TEST_F(InputTest, CaptureKeepsEventsOnThePressedControlOutsideIt) {
  host_.MoveMouse(handle(), {20, 20});
  host_.PressLeft(handle(), {20, 20});
  host_.MoveMouse(handle(), {120, 20});  // over b
  host_.MoveMouse(handle(), {390, 290});  // off every control
  Pump();
  EXPECT_EQ(manager().GetHot(), a_) << "no hot change while captured";
  EXPECT_EQ(a_->Count(kEventMouseMove), 3);
  EXPECT_EQ(a_->Last(kEventMouseMove)->point, (Point{390, 290}));
  EXPECT_TRUE(b_->seen.empty());

  host_.ReleaseLeft(handle(), {120, 20});
  Pump();
  EXPECT_EQ(a_->Count(kEventButtonUp), 1);
  EXPECT_EQ(a_->Last(kEventButtonUp)->point, (Point{120, 20})) << "outside a: not a click";
  EXPECT_TRUE(b_->seen.empty());

  host_.MoveMouse(handle(), {121, 21});
  Pump();
  EXPECT_EQ(a_->Kinds().back(), kEventMouseLeave);
  EXPECT_EQ(b_->Kinds(), (std::vector<int>{kEventMouseEnter, kEventMouseMove}));
  EXPECT_EQ(manager().GetHot(), b_);
}

TEST_F(InputTest, RightClickGivesDownUpAndContextMenuToTheControl) {
  a_->SetContextMenuUsed(true);
  host_.ClickRight(handle(), {20, 20});
  Pump();
  const std::vector<int> kinds = a_->Kinds();
  ASSERT_GE(kinds.size(), 3u);
  EXPECT_EQ(a_->Count(kEventRButtonDown), 1);
  EXPECT_EQ(a_->Count(kEventRButtonUp), 1);
  EXPECT_EQ(kinds.back(), kEventContextMenu);
  EXPECT_EQ(log_.Of(L"menu"), std::vector<std::wstring>{L"menu:a"});
  EXPECT_EQ(manager().GetClick(), nullptr);
  EXPECT_FALSE(manager().IsCaptured());
}

TEST_F(InputTest, WheelTellsTheDirectionInTheLowWordAndTheDeltaInTheHighWord) {
  host_.Wheel(handle(), {120, 20}, -120);
  host_.Wheel(handle(), {120, 20}, 240);
  Pump();
  std::vector<WPARAM_T> wheels;
  for (const auto& s : b_->seen)
    if (s.type == kEventScrollWheel) wheels.push_back(s.wParam);
  ASSERT_EQ(wheels.size(), 2u);
  EXPECT_EQ(LowWord(wheels[0]), 1);
  EXPECT_EQ(static_cast<int16_t>(HighWord(wheels[0])), -120);
  EXPECT_EQ(LowWord(wheels[1]), 0);
  EXPECT_EQ(static_cast<int16_t>(HighWord(wheels[1])), 240);
  EXPECT_TRUE(a_->seen.empty());
  EXPECT_EQ(manager().GetHot(), b_) << "the wheel re-checks what lies under the mouse";
}

TEST_F(InputTest, HoverShowsTheTooltipAndLeavingHidesIt) {
  b_->SetToolTip(L"Start the repair");
  host_.MoveMouse(handle(), {120, 20});
  Pump();
  host_.AdvanceClock(manager().GetHoverTime() + 10);
  Pump();
  EXPECT_EQ(b_->Count(kEventMouseHover), 1);
  const HeadlessHost::TooltipState* tip = host_.Tooltip(handle());
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(tip->visible);
  EXPECT_EQ(tip->text, L"Start the repair");
  EXPECT_EQ(tip->tool, b_->GetPos());

  host_.MoveMouse(handle(), {20, 20});
  Pump();
  EXPECT_FALSE(host_.Tooltip(handle())->visible);
  EXPECT_EQ(b_->Kinds().back(), kEventMouseLeave);

  host_.MoveMouse(nullptr, {5000, 5000});  // out of the window
  Pump();
  EXPECT_EQ(a_->Kinds().back(), kEventMouseLeave);
  EXPECT_EQ(manager().GetHot(), nullptr);
}

TEST_F(InputTest, KeyUpGoesToTheControlThatHadTheKeyDown) {
  a_->SetFocus();
  host_.KeyDown('X');
  Pump();
  b_->SetFocus();
  host_.KeyUp('X');
  host_.TypeText(L"q");
  Pump();
  EXPECT_EQ(a_->Count(kEventKeyDown), 1);
  EXPECT_EQ(a_->Last(kEventKeyDown)->key, L'X');
  EXPECT_EQ(a_->Count(kEventKeyUp), 1);
  EXPECT_EQ(b_->Count(kEventKeyUp), 0);
  ASSERT_NE(b_->Last(kEventChar), nullptr);
  EXPECT_EQ(b_->Last(kEventChar)->key, L'q');
}

TEST_F(InputTest, CursorComesFromTheControlThatAsksForIt) {
  b_->flags = kControlFlagSetCursor;
  b_->SetCursor(kCursorHand);
  host_.MoveMouse(handle(), {120, 20});
  Pump();
  EXPECT_EQ(host_.Cursor(), kCursorHand);
  EXPECT_EQ(b_->Count(kEventSetCursor), 1);
  host_.MoveMouse(handle(), {20, 20});
  Pump();
  EXPECT_EQ(host_.Cursor(), kCursorArrow) << "a does not ask: the window's default cursor";
}

TEST_F(InputTest, FocusMovesWithKillAndSetFocusNotifications) {
  a_->SetFocus();
  b_->SetFocus();
  EXPECT_EQ(log_.entries, (std::vector<std::wstring>{L"setfocus:a", L"killfocus:a", L"setfocus:b"}));
  EXPECT_FALSE(a_->IsFocused());
  EXPECT_TRUE(b_->IsFocused());

  a_->SetEnabled(false);
  a_->SetFocus();
  EXPECT_EQ(manager().GetFocus(), nullptr) << "the old focus is left, a disabled control does not take it";
  b_->SetFocus();
  b_->SetVisible(false);
  EXPECT_EQ(manager().GetFocus(), nullptr);
}

TEST_F(InputTest, CloseEndsHoverAndPressBeforeTheWindowGoes) {
  host_.MoveMouse(handle(), {20, 20});
  host_.PressLeft(handle(), {20, 20});
  Pump();
  LRESULT_T result = 0;
  EXPECT_FALSE(manager().MessageHandler(WM_CLOSE, 0, 0, result));
  EXPECT_EQ(a_->Count(kEventMouseLeave), 1);
  EXPECT_EQ(a_->Count(kEventButtonUp), 1);
  EXPECT_EQ(manager().GetFocus(), nullptr);
  EXPECT_FALSE(manager().IsCaptured());
}

}  // namespace
}  // namespace zui::test
