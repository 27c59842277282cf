// Control timers over native window timers, beside the window's own timers.

#include <algorithm>

#include "manager_test_support.h"

namespace zui::test {
namespace {

class TimerTest : public ManagerTest {
 protected:
  void SetUp() override {
    a_ = AddChild(*root_, L"a", {10, 10, 60, 40});
    b_ = AddChild(*root_, L"b", {100, 10, 150, 40});
    ShowWindow();
  }
  std::vector<uintptr_t> NativeIds() const {
    std::vector<uintptr_t> ids;
    for (const TimerRecord& t : window_->manager().GetTimers()) ids.push_back(t.nativeId);
    return ids;
  }
  RecordingControl* a_ = nullptr;
  RecordingControl* b_ = nullptr;
};

TEST_F(TimerTest, TimersFireAsTimerNotificationsWithTheControlsKey) {
  ASSERT_TRUE(manager().SetTimer(a_, 5, 100));
  ASSERT_TRUE(manager().SetTimer(b_, 6, 250));
  EXPECT_EQ(NativeIds(), (std::vector<uintptr_t>{17, 18}));
  host_.AdvanceClock(100);
  Pump();
  EXPECT_EQ(log_.entries, std::vector<std::wstring>{L"timer:a"});
  ASSERT_NE(a_->Last(kEventTimer), nullptr);
  EXPECT_EQ(a_->Last(kEventTimer)->wParam, 5u);
  host_.AdvanceClock(150);
  Pump();
  EXPECT_EQ(log_.entries, (std::vector<std::wstring>{L"timer:a", L"timer:a", L"timer:b"}));
}

TEST_F(TimerTest, AKilledKeyRestartsItsNativeTimerAndALiveOneRefuses) {
  ASSERT_TRUE(manager().SetTimer(a_, 1, 100));
  EXPECT_FALSE(manager().SetTimer(a_, 1, 100)) << "already running";
  EXPECT_TRUE(manager().KillTimer(a_, 1));
  EXPECT_FALSE(manager().KillTimer(a_, 1));
  host_.AdvanceClock(300);
  Pump();
  EXPECT_EQ(a_->Count(kEventTimer), 0);

  ASSERT_TRUE(manager().SetTimer(b_, 1, 100));
  ASSERT_TRUE(manager().SetTimer(a_, 1, 100));
  EXPECT_EQ(NativeIds(), (std::vector<uintptr_t>{17, 18})) << "a keeps 17, b got the next id";
  host_.AdvanceClock(100);
  Pump();
  EXPECT_EQ(a_->Count(kEventTimer), 1);
  EXPECT_EQ(b_->Count(kEventTimer), 1);

  manager().KillTimer(a_);
  EXPECT_EQ(NativeIds(), std::vector<uintptr_t>{18});
  host_.AdvanceClock(100);
  Pump();
  EXPECT_EQ(a_->Count(kEventTimer), 1);
}

TEST_F(TimerTest, TheWindowsOwnTimerIdIsLeftToTheWindow) {
  ASSERT_TRUE(manager().SetTimer(a_, 1, 100));
  ASSERT_TRUE(host_.SetTimer(handle(), 101, 100));
  host_.AdvanceClock(100);
  Pump();
  int own = 0;
  for (uint32_t m : window_->unhandled) own += m == WM_TIMER;
  EXPECT_EQ(own, 1) << "WM_TIMER 101 went on to the window's default processing";
  EXPECT_EQ(a_->Count(kEventTimer), 1);
  LRESULT_T result = 0;
  EXPECT_FALSE(manager().MessageHandler(WM_TIMER, 101, 0, result));
  EXPECT_FALSE(manager().MessageHandler(WM_TIMER, 17 + 1, 0, result));
}

TEST_F(TimerTest, NativeIdsWrapAfter239WithoutSharingALiveId) {
  for (int i = 0; i < 230; ++i) ASSERT_TRUE(manager().SetTimer(a_, 1000 + i, 1000)) << i;
  EXPECT_EQ(NativeIds().back(), 6u) << "17..239 then 0..6";
  ASSERT_TRUE(manager().KillTimer(a_, 1000));  // id 17 stays reserved for its key
  for (int i = 230; i < 240; ++i) ASSERT_TRUE(manager().SetTimer(a_, 1000 + i, 1000)) << i;
  EXPECT_FALSE(manager().SetTimer(a_, 5000, 1000)) << "every native id is taken";
  std::vector<uintptr_t> ids = NativeIds();
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::unique(ids.begin(), ids.end()), ids.end());
  EXPECT_EQ(ids.size(), 240u);
}

TEST_F(TimerTest, ReservedIdsAreNeverGivenToControlTimersEvenAfterWrapping) {
  ASSERT_TRUE(manager().ReserveTimerId(101));
  ASSERT_TRUE(manager().ReserveTimerId(18));
  ASSERT_TRUE(manager().SetTimer(a_, 1, 100));
  EXPECT_FALSE(manager().ReserveTimerId(NativeIds().front())) << "held by a live control timer";
  // Several wraps of the id range, with timers made, killed and dropped.
  for (int round = 0; round < 3; ++round) {
    for (uint32_t key = 0; key < 300; ++key) {
      manager().SetTimer(b_, key, 1000);
      if (key % 3 == 0) manager().KillTimer(b_, key);
    }
    for (uintptr_t id : NativeIds()) {
      ASSERT_NE(id, 101u);
      ASSERT_NE(id, 18u);
    }
    manager().KillTimer(b_);
  }
  ASSERT_TRUE(host_.SetTimer(handle(), 101, 100));
  host_.AdvanceClock(100);
  Pump();
  int own = 0;
  for (uint32_t m : window_->unhandled) own += m == WM_TIMER;
  EXPECT_EQ(own, 1) << "the window's own timer 101 reached the window, not a control";
}

}  // namespace
}  // namespace zui::test
