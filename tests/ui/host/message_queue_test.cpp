// The headless host's queue: order of retrieval, cross-thread posting,
// painting and timers on the manual clock.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "recording_window.h"

namespace zui {
namespace {

using test::RecordingWindows;
using ::testing::ElementsAre;

class MessageQueue : public test::OneShownWindow {
 protected:
  // Retrieves without dispatching, up to `max` messages.
  std::vector<uint32_t> Drain(int max = 20) {
    std::vector<uint32_t> out;
    HostMessage msg;
    while (static_cast<int>(out.size()) < max && host.PeekMessage(msg, true)) {
      out.push_back(msg.message);
      if (msg.message == WM_PAINT) host.BeginPaint(msg.window);
      if (msg.message == WM_QUIT) break;
    }
    return out;
  }
};

TEST_F(MessageQueue, PostFromAnotherThreadWakesAWaitingGetMessage) {
  std::atomic<bool> received{false};
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    host.PostMessage(window, WM_APP + 7, 1, 2);
    // Bounded: should the wake-up be lost, end the wait with WM_QUIT.
    for (int i = 0; i < 500 && !received.load(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!received.load()) host.PostQuitMessage(99);
  });
  HostMessage msg;
  bool got = host.GetMessage(msg);
  received = true;
  poster.join();
  EXPECT_TRUE(got);
  EXPECT_EQ(msg.message, static_cast<uint32_t>(WM_APP + 7));
  EXPECT_EQ(msg.window, window);
}

TEST_F(MessageQueue, PostedComeInOrderThenQuitThenPaintThenTimers) {
  host.SetTimer(window, 1, 50);
  host.AdvanceClock(50);
  host.InvalidateRect(window, nullptr);
  host.PostMessage(window, WM_APP + 1, 0, 0);
  host.PostMessage(nullptr, WM_APP + 2, 0, 0);  // a thread message
  host.PostQuitMessage(3);
  host.PostMessage(window, WM_APP + 3, 0, 0);
  EXPECT_THAT(Drain(), ElementsAre(WM_APP + 1, WM_APP + 2, WM_APP + 3, WM_QUIT));
  EXPECT_THAT(Drain(), ElementsAre(WM_PAINT, WM_TIMER));

  host.PostQuitMessage(4);
  HostMessage msg;
  EXPECT_FALSE(host.GetMessage(msg));
  EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(MessageQueue, PumpStopsAtQuitAndTellsItsCode) {
  host.PostMessage(window, WM_APP, 0, 0);
  host.PostQuitMessage(5);
  host.PostMessage(window, WM_APP + 1, 0, 0);
  EXPECT_EQ(host.PumpPending(), 2);
  EXPECT_EQ(host.LastQuit(), std::optional<int>(5));
  EXPECT_EQ(host.PumpPending(), 0);
  EXPECT_EQ(host.LastQuit(), std::nullopt);

  // Pre-translation consumes before dispatch.
  host.PostMessage(window, WM_APP + 2, 0, 0);
  host.PumpPending([](HostMessage& m) { return m.message == WM_APP + 2; });
  EXPECT_EQ(windows.Count(WM_APP + 2), 0);
}

TEST_F(MessageQueue, InvalidAreasGatherIntoOnePaintThatStaysDueUntilPainted) {
  Rect a{10, 10, 20, 20};
  Rect b{50, 5, 60, 15};
  host.InvalidateRect(window, &a);
  host.InvalidateRect(window, &b);
  Rect outside{150, 50, 400, 400};
  host.InvalidateRect(window, &outside);
  EXPECT_EQ(host.UpdateRect(window), (Rect{10, 5, 200, 100}));

  // A proc that never calls BeginPaint keeps getting WM_PAINT.
  windows.AnswerValue(WM_PAINT, 0);
  EXPECT_EQ(host.PumpPending({}, 5), 5);
  EXPECT_EQ(windows.Count(WM_PAINT), 5);

  windows.Reset();
  windows.Answer(WM_PAINT, [&](WindowHandle w, WPARAM_T, LPARAM_T) {
    EXPECT_EQ(host.BeginPaint(w), (Rect{10, 5, 200, 100}));
    host.EndPaint(w);
    return std::optional<LRESULT_T>(0);
  });
  EXPECT_EQ(host.PumpPending(), 1);
  EXPECT_TRUE(host.UpdateRect(window).IsEmpty());

  // Hidden windows are not painted; showing paints them whole.
  host.ShowHostWindow(window, SW_HIDE);
  host.InvalidateRect(window, &a);
  EXPECT_THAT(Drain(), ElementsAre());
  host.ShowHostWindow(window, SW_SHOW);
  EXPECT_EQ(host.UpdateRect(window), host.GetClientRect(window));
}

TEST_F(MessageQueue, TimersFireOnTheManualClockOncePerRetrieval) {
  EXPECT_TRUE(host.SetTimer(window, 101, 3000));
  host.AdvanceClock(2999);
  EXPECT_THAT(Drain(), ElementsAre());
  host.AdvanceClock(1);
  host.PumpPending();
  ASSERT_EQ(windows.Count(WM_TIMER), 1);
  EXPECT_EQ(windows.Of(WM_TIMER)[0].wParam, 101u);

  // Several periods missed make one WM_TIMER, not a burst.
  host.AdvanceClock(10000);
  EXPECT_THAT(Drain(), ElementsAre(WM_TIMER));
  EXPECT_THAT(Drain(), ElementsAre());
  EXPECT_EQ(host.GetTickCount(), 13000u);
}

TEST_F(MessageQueue, SettingAgainRestartsAndKillingDropsADueTimer) {
  host.SetTimer(window, 1, 100);
  host.AdvanceClock(80);
  host.SetTimer(window, 1, 100);  // restarts: due at 180 now
  host.AdvanceClock(80);
  EXPECT_THAT(Drain(), ElementsAre());
  host.AdvanceClock(20);
  EXPECT_THAT(Drain(), ElementsAre(WM_TIMER));

  host.AdvanceClock(100);
  EXPECT_EQ(host.TimerPeriod(window, 1), std::optional<uint32_t>(100));
  EXPECT_TRUE(host.KillTimer(window, 1));
  EXPECT_EQ(host.TimerPeriod(window, 1), std::nullopt);
  EXPECT_THAT(Drain(), ElementsAre());
  EXPECT_FALSE(host.KillTimer(window, 1));

  // Two timers due together come in the order they fall due.
  host.SetTimer(window, 2, 30);
  host.SetTimer(window, 3, 20);
  host.AdvanceClock(40);
  host.PumpPending();
  auto timers = windows.Of(WM_TIMER);
  ASSERT_EQ(timers.size(), 2u);
  EXPECT_EQ(timers[0].wParam, 3u);
  EXPECT_EQ(timers[1].wParam, 2u);
}

TEST_F(MessageQueue, MessagesOfADestroyedWindowAreDropped) {
  WindowHandle other = windows.Create({0, 0, 10, 10});
  host.PostMessage(other, WM_APP, 0, 0);
  host.PostMessage(window, WM_APP + 1, 0, 0);
  host.ClickLeft(other, {1, 1});
  host.DestroyHostWindow(other);
  windows.Clear();
  host.PumpPending();
  EXPECT_THAT(windows.Messages(), ElementsAre(WM_APP + 1));
}

TEST_F(MessageQueue, TheIdleHandlerFeedsAWaitingLoop) {
  int calls = 0;
  host.SetIdleHandler([&] {
    if (++calls == 1) host.PostMessage(window, WM_APP, 0, 0);
    else host.PostQuitMessage(0);
  });
  HostMessage msg;
  std::vector<uint32_t> got;
  while (host.GetMessage(msg)) got.push_back(msg.message);
  EXPECT_THAT(got, ElementsAre(WM_APP));
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace zui
