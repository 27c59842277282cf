// Mouse and key input as a user produces it, routed to single controls.

#include "manager_test_support.h"
#include "ui/window/tooltip_window.h"

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

  const std::vector<int> expected = {kEventMouseEnter, kEventMouseMove, kEventSetFocus,
                                     kEventButtonDown, kEventMouseMove, kEventButtonUp};
  EXPECT_EQ(a_->Kinds(), expected);
  EXPECT_EQ(a_->Last(kEventButtonUp)->point, (Point{30, 25}));
  EXPECT_TRUE(b_->seen.empty());
  EXPECT_EQ(log_.Of(L"setfocus"), std::vector<std::wstring>{L"setfocus:a"});
}

TEST_F(InputTest, CaptureKeepsEventsOnThePressedControlOutsideIt) {
  host_.MoveMouse(handle(), {20, 20});
  host_.PressLeft(handle(), {20, 20});
  host_.MoveMouse(handle(), {120, 20});   // over b
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

// Pixels of the tooltip frame darker than every channel of `limit`.
int DarkPixels(const Bitmap& frame, uint32_t limit) {
  int count = 0;
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x) {
      const uint32_t p = frame.at(x, y);
      if (((p >> 16) & 0xFF) < limit && ((p >> 8) & 0xFF) < limit && (p & 0xFF) < limit) ++count;
    }
  return count;
}

TEST_F(InputTest, HoverShowsTheTooltipPopupAndLeavingHidesIt) {
  b_->SetToolTip(L"Start the repair");
  host_.MoveMouse(handle(), {120, 20});
  Pump();
  EXPECT_EQ(host_.FindHostWindow(CTooltipWindow::kClassName), nullptr) << "made on first hover only";
  host_.AdvanceClock(manager().GetHoverTime() + 10);
  Pump();
  EXPECT_EQ(b_->Count(kEventMouseHover), 1);
  const WindowHandle tip = host_.FindHostWindow(CTooltipWindow::kClassName);
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(host_.IsVisible(tip));
  EXPECT_EQ(host_.GetOwner(tip), handle());
  EXPECT_EQ(host_.GetStyle(tip, true) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE),
            static_cast<uint32_t>(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE));
  EXPECT_EQ(host_.GetActiveWindow(), handle()) << "the tooltip does not take activation";

  // Below the cursor (screen 220,120), one line of text wide.
  const Rect place = host_.GetWindowRect(tip);
  EXPECT_EQ(place.left, 220);
  EXPECT_EQ(place.top, 120 + CTooltipWindow::kCursorClearance);
  EXPECT_GT(place.Width(), 2 * (CTooltipWindow::kPadding + 1));
  EXPECT_LE(place.Width(), b_->GetToolTipWidth());

  const Bitmap* frame = host_.Frame(tip);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->at(0, 0), CTooltipWindow::kBorder);
  EXPECT_EQ(frame->at(frame->width() - 1, frame->height() - 1), CTooltipWindow::kBorder);
  EXPECT_EQ(frame->at(2, 2), CTooltipWindow::kBackground);
  EXPECT_GT(DarkPixels(*frame, 0x60), 10) << "the text is drawn in black";

  host_.MoveMouse(handle(), {20, 20});
  Pump();
  EXPECT_FALSE(host_.IsVisible(tip)) << "a new hot control hides it";
  EXPECT_EQ(b_->Kinds().back(), kEventMouseLeave);

  host_.MoveMouse(nullptr, {5000, 5000});  // out of the window
  Pump();
  EXPECT_EQ(a_->Kinds().back(), kEventMouseLeave);
  EXPECT_EQ(manager().GetHot(), nullptr);
}

TEST_F(InputTest, TooltipWrapsAtTheControlsWidthAndStaysInTheWorkArea) {
  b_->SetToolTip(L"Hold the MESH key while you switch the device on, then wait for the download to begin");
  b_->SetToolTipWidth(120);
  host_.SetMonitorArea({{0, 0, 400, 300}, {0, 0, 400, 260}, true});
  host_.MoveHostWindow(handle(), {250, 200, 650, 500}, true);
  host_.MoveMouse(handle(), {120, 20});  // screen 370,220: too near the right and bottom
  Pump();
  host_.AdvanceClock(manager().GetHoverTime() + 10);
  Pump();
  const WindowHandle tip = host_.FindHostWindow(CTooltipWindow::kClassName);
  ASSERT_NE(tip, nullptr);
  const Rect place = host_.GetWindowRect(tip);
  EXPECT_LE(place.Width(), 120);
  EXPECT_GT(place.Height(), 3 * 12) << "several lines";
  EXPECT_LE(place.right, 400);
  EXPECT_LE(place.bottom, 260);
  EXPECT_LE(place.bottom, 220) << "no room below: above the cursor";

  // Hovering again after leaving shows the same popup, and closing the
  // window destroys it.
  host_.MoveMouse(handle(), {20, 20});
  host_.MoveMouse(handle(), {121, 21});
  Pump();
  host_.AdvanceClock(manager().GetHoverTime() + 10);
  Pump();
  EXPECT_EQ(host_.FindHostWindow(CTooltipWindow::kClassName), tip);
  EXPECT_TRUE(host_.IsVisible(tip));
  LRESULT_T result = 0;
  manager().MessageHandler(WM_CLOSE, 0, 0, result);
  EXPECT_FALSE(host_.IsHostWindow(tip));
  EXPECT_EQ(manager().GetTooltipWindow(), nullptr);
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
