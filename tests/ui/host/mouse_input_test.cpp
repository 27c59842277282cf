// Synthesised mouse input as the windows receive it: hit-testing, capture,
// double clicks, the wheel, hover and leave, click activation.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "recording_window.h"

namespace zui {
namespace {

using test::RecordingWindows;
using ::testing::ElementsAre;

class MouseInput : public ::testing::Test {
 protected:
  void SetUp() override {
    a = windows.Create({100, 100, 300, 200});
    b = windows.Create({400, 100, 500, 200});
    host.ShowHostWindow(b, SW_SHOW);
    host.ShowHostWindow(a, SW_SHOW);
    host.PumpPending();
    windows.Clear();
  }

  HeadlessHost host;
  RecordingWindows windows{host};
  WindowHandle a = nullptr;
  WindowHandle b = nullptr;
};

TEST_F(MouseInput, AClientPressIsHitTestedGivenACursorAndDelivered) {
  host.PressLeft(a, {10, 20});
  EXPECT_EQ(host.GetCursorPos(), (Point{110, 120}));
  EXPECT_EQ(host.GetKeyState(VK_LBUTTON), 0);  // not retrieved yet
  host.PumpPending();
  EXPECT_THAT(windows.MessagesIgnoring(a, {}), ElementsAre(WM_NCHITTEST, WM_SETCURSOR, WM_LBUTTONDOWN));
  EXPECT_EQ(windows.Of(WM_NCHITTEST)[0].lParam, MakeLParam(110, 120));
  EXPECT_EQ(windows.Of(WM_SETCURSOR)[0].wParam, reinterpret_cast<WPARAM_T>(a));
  EXPECT_EQ(windows.Of(WM_SETCURSOR)[0].lParam, MakeLParam(HTCLIENT, WM_LBUTTONDOWN));
  auto down = windows.Of(WM_LBUTTONDOWN)[0];
  EXPECT_EQ(down.wParam, static_cast<WPARAM_T>(MK_LBUTTON));
  EXPECT_EQ(down.lParam, MakeLParam(10, 20));
  EXPECT_NE(host.GetKeyState(VK_LBUTTON) & 0x8000, 0);
  host.ReleaseLeft(a, {10, 20});
  host.PumpPending();
  EXPECT_EQ(windows.Of(WM_LBUTTONUP)[0].wParam, 0u);
  EXPECT_EQ(host.GetKeyState(VK_LBUTTON) & 0x8000, 0);
}

TEST_F(MouseInput, TheCapturingWindowGetsTheMouseEvenOutsideItself) {
  windows.Answer(WM_LBUTTONDOWN, [&](WindowHandle w, WPARAM_T, LPARAM_T) {
    host.SetCapture(w);
    return std::optional<LRESULT_T>(0);
  });
  windows.Answer(WM_LBUTTONUP, [&](WindowHandle, WPARAM_T, LPARAM_T) {
    host.ReleaseCapture();
    return std::optional<LRESULT_T>(0);
  });
  host.PressLeft(a, {10, 10});
  host.MoveMouse(b, {5, 5});        // over another window
  host.MoveMouse(nullptr, {0, 0});  // over no window at all
  host.ReleaseLeft(nullptr, {0, 0});
  host.PumpPending();
  EXPECT_THAT(windows.Messages(b), ElementsAre());
  EXPECT_THAT(windows.Messages(a),
              ElementsAre(WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED));
  auto moves = windows.Of(WM_MOUSEMOVE, a);
  EXPECT_EQ(moves[0].lParam, MakeLParam(305, 5));
  EXPECT_EQ(moves[1].lParam, MakeLParam(-100, -100));
  EXPECT_EQ(moves[0].wParam, static_cast<WPARAM_T>(MK_LBUTTON));
  EXPECT_EQ(windows.Count(WM_NCHITTEST, a), 1);  // only before the capture
  EXPECT_EQ(host.GetCapture(), nullptr);

  // Without capture the same moves go where the mouse is.
  windows.Clear();
  host.MoveMouse(b, {5, 5});
  host.PumpPending();
  EXPECT_THAT(windows.Messages(b), ElementsAre(WM_MOUSEMOVE));
}

TEST_F(MouseInput, ACaptionHitMakesNonClientMessagesAndStartsAWindowDrag) {
  windows.Answer(WM_NCHITTEST, [&](WindowHandle w, WPARAM_T, LPARAM_T l) {
    Point p = host.ScreenToClient(w, {LParamX(l), LParamY(l)});
    if (p.x < 4) return std::optional<LRESULT_T>(HTLEFT);
    return std::optional<LRESULT_T>(p.y < 30 ? HTCAPTION : HTCLIENT);
  });
  host.MoveMouse(a, {50, 10});
  host.PressLeft(a, {50, 10});
  host.PumpPending();
  auto move = windows.Of(WM_NCMOUSEMOVE, a);
  ASSERT_EQ(move.size(), 1u);
  EXPECT_EQ(move[0].wParam, static_cast<WPARAM_T>(HTCAPTION));
  EXPECT_EQ(move[0].lParam, MakeLParam(150, 110));
  EXPECT_EQ(windows.Count(WM_LBUTTONDOWN), 0);
  ASSERT_EQ(windows.Count(WM_NCLBUTTONDOWN, a), 1);
  ASSERT_EQ(windows.Count(WM_SYSCOMMAND, a), 1);
  EXPECT_EQ(windows.Of(WM_SYSCOMMAND)[0].wParam, static_cast<WPARAM_T>(SC_MOVE + HTCAPTION));
  EXPECT_EQ(host.CaptionDragCount(), 1);
  EXPECT_EQ(windows.Count(WM_ENTERSIZEMOVE, a), 1);

  // A press in the client part does not drag; a sizing border shows its cursor.
  host.ReleaseLeft(a, {50, 10});
  host.ClickLeft(a, {50, 50});
  host.MoveMouse(a, {1, 50});
  host.PumpPending();
  EXPECT_EQ(host.CaptionDragCount(), 1);
  EXPECT_EQ(windows.Count(WM_LBUTTONDOWN, a), 1);
  EXPECT_EQ(host.Cursor(), kCursorSizeWE);
}

TEST_F(MouseInput, DoubleClicksNeedTheClassStyle) {
  host.DoubleClickLeft(a, {5, 5});
  host.PumpPending();
  EXPECT_THAT(windows.Messages(a), ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP));

  WindowHandle plain = windows.Create({0, 0, 50, 50}, WS_POPUP, nullptr, L"PlainRecorder");
  host.ShowHostWindow(plain, SW_SHOW);
  host.PumpPending();
  windows.Clear();
  host.DoubleClickLeft(plain, {5, 5});
  host.PumpPending();
  EXPECT_THAT(windows.Messages(plain), ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP));
}

TEST_F(MouseInput, WheelAndRightButtonCarryTheirParameters) {
  host.KeyDown(VK_CONTROL);
  host.Wheel(a, {20, 30}, -WHEEL_DELTA);
  host.ClickRight(a, {20, 30});
  host.KeyUp(VK_CONTROL);
  host.PumpPending();
  auto wheel = windows.Of(WM_MOUSEWHEEL, a);
  ASSERT_EQ(wheel.size(), 1u);
  EXPECT_EQ(static_cast<int16_t>(HighWord(wheel[0].wParam)), -WHEEL_DELTA);
  EXPECT_EQ(LowWord(wheel[0].wParam), MK_CONTROL);
  EXPECT_EQ(wheel[0].lParam, MakeLParam(120, 130));
  EXPECT_EQ(windows.Of(WM_RBUTTONDOWN, a)[0].wParam, static_cast<WPARAM_T>(MK_RBUTTON | MK_CONTROL));
  // The default processing of the right button's release asks for a context menu.
  ASSERT_EQ(windows.Count(WM_CONTEXTMENU, a), 1);
  EXPECT_EQ(windows.Of(WM_CONTEXTMENU, a)[0].lParam, MakeLParam(120, 130));
}

TEST_F(MouseInput, HoverAndLeaveFireOnceEach) {
  windows.Answer(WM_MOUSEMOVE, [&](WindowHandle w, WPARAM_T, LPARAM_T) {
    if (w == a && windows.Count(WM_MOUSEMOVE, a) == 1) host.TrackMouseEvent(a, 400);
    return std::optional<LRESULT_T>(0);
  });
  host.MoveMouse(a, {30, 40});
  host.PumpPending();
  host.AdvanceClock(399);
  host.PumpPending();
  EXPECT_EQ(windows.Count(WM_MOUSEHOVER), 0);
  host.AdvanceClock(1);
  host.AdvanceClock(1000);
  host.PumpPending();
  ASSERT_EQ(windows.Count(WM_MOUSEHOVER, a), 1);
  EXPECT_EQ(windows.Of(WM_MOUSEHOVER)[0].lParam, MakeLParam(30, 40));

  host.MoveMouse(b, {1, 1});
  host.MoveMouse(nullptr, {0, 0});
  host.PumpPending();
  EXPECT_EQ(windows.Count(WM_MOUSELEAVE, a), 1);

  // Movement restarts the hover time; tracking armed off the window leaves at once.
  windows.Clear();
  host.MoveMouse(a, {1, 1});
  host.TrackMouseEvent(a, 100);
  host.AdvanceClock(60);
  host.MoveMouse(a, {2, 2});
  host.AdvanceClock(60);
  EXPECT_GT(host.PumpPending(), 0);
  EXPECT_EQ(windows.Count(WM_MOUSEHOVER), 0);
  host.TrackMouseEvent(b, 100);
  host.PumpPending();
  EXPECT_EQ(windows.Count(WM_MOUSELEAVE, b), 1);
}

TEST_F(MouseInput, ClickingAnInactiveWindowActivatesItUnlessItIsDisabled) {
  EXPECT_EQ(host.GetActiveWindow(), a);
  host.ClickLeft(b, {5, 5});
  host.PumpPending();
  EXPECT_EQ(host.GetActiveWindow(), b);
  EXPECT_EQ(host.GetFocus(), b);
  auto activate = windows.Of(WM_MOUSEACTIVATE, b);
  ASSERT_EQ(activate.size(), 1u);
  EXPECT_EQ(activate[0].lParam, MakeLParam(HTCLIENT, WM_LBUTTONDOWN));
  EXPECT_EQ(windows.Of(WM_ACTIVATE, b)[0].wParam, static_cast<WPARAM_T>(WA_CLICKACTIVE));

  // A window that eats the activating click never sees it.
  windows.AnswerValue(WM_MOUSEACTIVATE, MA_ACTIVATEANDEAT);
  windows.Clear();
  host.ClickLeft(a, {5, 5});
  host.PumpPending();
  EXPECT_EQ(host.GetActiveWindow(), a);
  EXPECT_THAT(windows.Messages(a), ElementsAre(WM_LBUTTONUP));

  // Disabled windows get no mouse input at all (the modal case).
  host.EnableHostWindow(b, false);
  windows.Clear();
  host.ClickLeft(b, {5, 5});
  host.PumpPending();
  EXPECT_TRUE(windows.All().empty());
}

}  // namespace
}  // namespace zui
