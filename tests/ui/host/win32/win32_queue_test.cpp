// The message queue across threads, timers, peeking, and real mouse input
// arriving through the system at the right client point.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "win32_test_support.h"

namespace ztest {
namespace {

class Win32QueueTest : public ::testing::Test {
 protected:
  ~Win32QueueTest() override {
    if (window_ != nullptr && host_.IsHostWindow(window_)) host_.DestroyHostWindow(window_);
  }
  void Make(const zui::Rect& screen = {80, 80, 280, 200}) {
    window_ = MakeRecordingWindow(host_, recorder_, screen);
    ASSERT_NE(window_, nullptr);
  }

  zui::Win32Host host_;
  zui::ScopedHost scope_{host_};
  Recorder recorder_;
  zui::WindowHandle window_ = nullptr;
};

TEST_F(Win32QueueTest, PostFromAnotherThreadWakesGetMessageOnThisOne) {
  Make();
  constexpr uint32_t kProgress = WM_USER + 101;
  // Should the post go astray, this timer ends the wait instead of a hang.
  constexpr uintptr_t kWatchdog = 77;
  ASSERT_TRUE(host_.SetTimer(window_, kWatchdog, 3000));
  std::thread worker([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    host_.PostMessage(window_, kProgress, 12, 34);
  });
  zui::HostMessage msg;
  bool got = false;
  while (host_.GetMessage(msg)) {
    if (msg.message == kProgress) {
      got = true;
      break;
    }
    if (msg.message == WM_TIMER && msg.wParam == kWatchdog) break;
    host_.DispatchMessage(msg);
  }
  worker.join();
  host_.KillTimer(window_, kWatchdog);
  ASSERT_TRUE(got);
  EXPECT_EQ(msg.window, window_);
  EXPECT_EQ(msg.wParam, 12u);
  EXPECT_EQ(msg.lParam, 34);
  // Dispatching hands it to the window's procedure.
  host_.DispatchMessage(msg);
  EXPECT_TRUE(recorder_.Saw(kProgress));
}

TEST_F(Win32QueueTest, TimerFiresRepeatedlyUntilKilled) {
  Make();
  ASSERT_TRUE(host_.SetTimer(window_, 101, 30));
  ASSERT_TRUE(PumpUntil(host_, [&] { return recorder_.Count(WM_TIMER) >= 2; }));
  EXPECT_EQ(recorder_.Last(WM_TIMER)->wParam, 101u);
  EXPECT_TRUE(host_.KillTimer(window_, 101));
  PumpFor(host_, 50);  // a tick already queued may still come
  const int ticks = recorder_.Count(WM_TIMER);
  PumpFor(host_, 200);
  EXPECT_EQ(recorder_.Count(WM_TIMER), ticks);
  EXPECT_FALSE(host_.KillTimer(window_, 101));
}

TEST_F(Win32QueueTest, PeekWithoutRemovingLeavesTheMessageAndSendAnswersAtOnce) {
  Make();
  zui::HostMessage msg;
  while (host_.PeekMessage(msg, true)) host_.DispatchMessage(msg);
  ASSERT_TRUE(host_.PostMessage(window_, WM_USER + 7, 1, 2));
  ASSERT_TRUE(host_.PeekMessage(msg, false));
  EXPECT_EQ(msg.message, unsigned{WM_USER + 7});
  ASSERT_TRUE(host_.PeekMessage(msg, true));
  EXPECT_EQ(msg.message, unsigned{WM_USER + 7});
  EXPECT_FALSE(host_.PeekMessage(msg, true) && msg.message == WM_USER + 7);
  EXPECT_EQ(host_.SendMessage(window_, kAnswerMessage, 0, 0), kAnswer);

  host_.PostQuitMessage(9);
  bool quit = false;
  while (host_.PeekMessage(msg, true)) {
    if (msg.message == WM_QUIT) {
      quit = true;
      break;
    }
  }
  ASSERT_TRUE(quit);
  EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(Win32QueueTest, RealClickArrivesAsButtonDownAndUpAtTheClientPoint) {
  Make({800, 400, 960, 500});
  host_.ShowHostWindow(window_, SW_SHOWNORMAL);
  PumpFor(host_, 100);
  RealClick(host_.ClientToScreen(window_, {37, 23}));
  ASSERT_TRUE(PumpUntil(host_, [&] { return recorder_.Saw(WM_LBUTTONUP); }));
  const SeenMessage* down = recorder_.Last(WM_LBUTTONDOWN);
  const SeenMessage* up = recorder_.Last(WM_LBUTTONUP);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(zui::LParamX(down->lParam), 37);
  EXPECT_EQ(zui::LParamY(down->lParam), 23);
  EXPECT_NE(down->wParam & MK_LBUTTON, 0u);
  EXPECT_EQ(zui::LParamX(up->lParam), 37);
  EXPECT_EQ(zui::LParamY(up->lParam), 23);
  EXPECT_EQ(host_.GetCursorPos(), host_.ClientToScreen(window_, {37, 23}));
}

TEST_F(Win32QueueTest, CaptureKeepsTheMouseAndTrackingReportsTheLeave) {
  Make({800, 100, 900, 180});
  host_.ShowHostWindow(window_, SW_SHOWNORMAL);
  PumpFor(host_, 50);
  EXPECT_EQ(host_.SetCapture(window_), nullptr);
  EXPECT_EQ(host_.GetCapture(), window_);
  EXPECT_TRUE(host_.ReleaseCapture());
  EXPECT_EQ(host_.GetCapture(), nullptr);

  SetCursorPos(850, 140);
  PumpFor(host_, 50);
  ASSERT_TRUE(host_.TrackMouseEvent(window_, HOVER_DEFAULT));
  SetCursorPos(700, 700);
  EXPECT_TRUE(PumpUntil(host_, [&] { return recorder_.Saw(WM_MOUSELEAVE); }));
}

}  // namespace
}  // namespace ztest
