// Notifications (at once and queued), the first layout's "windowinit", the
// name table, and controls that go away while the manager points at them.

#include "manager_test_support.h"

namespace zui::test {
namespace {

class NotifyTest : public ManagerTest {};

TEST_F(NotifyTest, QueuedNotificationsArriveAfterTheCurrentOneInOrderWithOneWakeUp) {
  RecordingControl* a = AddChild(*root_, L"a", {10, 10, 60, 40});
  ShowWindow();
  int wakeUps = 0;
  window_->own = [&](uint32_t message, WPARAM_T, LPARAM_T, LRESULT_T&) {
    if (message == CPaintManagerUI::kMsgDrainQueue) ++wakeUps;
    return false;
  };
  log_.then = [&](NotifyRecord& msg) {
    if (msg.type != L"click") return;
    manager().SendNotify(a, L"first", 1, 0, true);
    manager().SendNotify(a, L"second", 2, 0, true);
    log_.entries.push_back(L"click handled");
  };
  manager().SendNotify(a, L"click");
  EXPECT_EQ(log_.entries, (std::vector<std::wstring>{L"click:a", L"click handled"}));
  manager().SendNotify(a, L"third", 3, 0, true);
  Pump();
  EXPECT_EQ(log_.entries,
            (std::vector<std::wstring>{L"click:a", L"click handled", L"first:a", L"second:a", L"third:a"}));
  EXPECT_EQ(wakeUps, 1);
}

TEST_F(NotifyTest, NotificationCarriesTheMousePointAndTheSendersOwnListenersComeFirst) {
  RecordingControl* a = AddChild(*root_, L"a", {10, 10, 60, 40});
  ShowWindow();
  std::vector<std::wstring> order;
  a->OnNotify.Add([&](NotifyRecord& msg) {
    order.push_back(L"own");
    return true;
  });
  Point seenAt;
  log_.then = [&](NotifyRecord& msg) {
    order.push_back(L"notifier");
    seenAt = msg.point;
  };
  host_.MoveMouse(handle(), {33, 22});
  Pump();
  manager().SendNotify(a, L"click");
  EXPECT_EQ(order, (std::vector<std::wstring>{L"own", L"notifier"}));
  EXPECT_EQ(seenAt, (Point{33, 22}));
}

TEST_F(NotifyTest, WindowInitComesOnceBeforeWindowSize) {
  host_.ShowHostWindow(handle(), SW_SHOWNORMAL);
  Pump();
  host_.MoveHostWindow(handle(), {100, 100, 600, 500}, true);
  Pump();
  EXPECT_EQ(log_.entries, (std::vector<std::wstring>{L"windowinit:root", L"windowsize:root", L"windowsize:root"}));
  EXPECT_EQ(root_->GetPos(), (Rect{0, 0, 500, 400}));
}

TEST_F(NotifyTest, NameLookupAnswersTheLaterOfTwoEqualNamesInDocumentOrder) {
  auto* tree = new CContainerUI();
  auto* box = new CContainerUI();
  box->SetAttribute(L"name", L"twin");
  tree->Add(box);
  auto* inner = new CControlUI();
  inner->SetAttribute(L"name", L"twin");
  box->Add(inner);
  auto* early = new CControlUI();
  early->SetAttribute(L"name", L"pair");
  tree->Add(early);
  auto* late = new CControlUI();
  late->SetAttribute(L"name", L"pair");
  tree->Add(late);
  manager().AttachDialog(tree);
  EXPECT_EQ(manager().FindControl(L"twin"), inner);
  EXPECT_EQ(manager().FindControl(L"pair"), late);
  EXPECT_EQ(manager().FindControl(L"nobody"), nullptr);

  tree->Remove(late);
  EXPECT_NE(manager().FindControl(L"pair"), late) << "a removed control is out of the table";
}

// A control removed while it is hot, focused, pressed, keyed, timed and the
// sender of a queued notification; run under ASan, any later use shows.
class DoomedControlTest : public ManagerTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DoomedControlTest, LeavesNothingThatStillPointsAtIt) {
  const bool delayed = GetParam();
  root_->SetDelayedDestroy(delayed);
  RecordingControl* doomed = AddChild(*root_, L"doomed", {10, 10, 60, 40});
  RecordingControl* other = AddChild(*root_, L"other", {100, 10, 150, 40});
  ShowWindow();
  host_.MoveMouse(handle(), {20, 20});
  host_.PressLeft(handle(), {20, 20});
  host_.KeyDown('A');
  Pump();
  ASSERT_EQ(manager().GetHot(), doomed);
  ASSERT_EQ(manager().GetFocus(), doomed);
  ASSERT_EQ(manager().GetClick(), doomed);
  ASSERT_EQ(manager().GetKeyControl(), doomed);
  ASSERT_TRUE(manager().SetTimer(doomed, 7, 50));
  manager().SendNotify(doomed, L"ping", 0, 0, true);

  root_->Remove(doomed);
  EXPECT_EQ(manager().GetHot(), nullptr);
  EXPECT_EQ(manager().GetFocus(), nullptr);
  EXPECT_EQ(manager().GetClick(), nullptr);
  EXPECT_EQ(manager().GetKeyControl(), nullptr);
  EXPECT_TRUE(manager().GetTimers().empty());
  EXPECT_EQ(manager().FindControl(L"doomed"), nullptr);

  host_.AdvanceClock(200);
  host_.KeyUp('A');
  host_.MoveMouse(handle(), {120, 20});
  host_.ReleaseLeft(handle(), {120, 20});
  Pump();
  EXPECT_EQ(log_.Of(L"ping"), std::vector<std::wstring>{L"ping:-"});
  EXPECT_EQ(log_.Of(L"timer"), std::vector<std::wstring>{});
  EXPECT_EQ(manager().GetHot(), other);
  EXPECT_EQ(other->Count(kEventButtonUp), 0);
}

INSTANTIATE_TEST_SUITE_P(DelayedAndAtOnce, DoomedControlTest, ::testing::Bool());

TEST_F(NotifyTest, AControlRemovedByItsOwnPressLeavesNoCapture) {
  RecordingControl* a = AddChild(*root_, L"a", {10, 10, 60, 40});
  ShowWindow();
  a->OnEvent.Add([&](InputEvent& event) {
    if (event.type == kEventButtonDown) root_->Remove(a);
    return true;
  });
  host_.PressLeft(handle(), {20, 20});
  Pump();
  EXPECT_FALSE(manager().IsCaptured());
  EXPECT_EQ(host_.GetCapture(), nullptr);
  EXPECT_EQ(manager().GetClick(), nullptr);
  host_.ReleaseLeft(handle(), {20, 20});
  Pump();
  EXPECT_EQ(root_->GetCount(), 0);
}

TEST_F(NotifyTest, ListenersAfterOneThatDestroysTheSenderSeeNoSender) {
  root_->SetDelayedDestroy(false);
  RecordingControl* a = AddChild(*root_, L"a", {10, 10, 60, 40});
  ShowWindow();
  NotifyLog second;
  manager().AddNotifier(&second);
  log_.then = [&](NotifyRecord& msg) { root_->Remove(msg.sender); };
  manager().SendNotify(a, L"click");
  EXPECT_EQ(log_.entries, std::vector<std::wstring>{L"click:a"});
  EXPECT_EQ(second.entries, std::vector<std::wstring>{L"click:-"});
}

TEST_F(NotifyTest, ReplacedTreeIsDeletedAtTheNextWakeUpNotDuringTheEvent) {
  bool destroyed = false;
  RecordingControl* a = AddChild(*root_, L"a", {10, 10, 60, 40});
  a->OnDestroy.Add([&](CControlUI&) {
    destroyed = true;
    return true;
  });
  ShowWindow();
  log_.then = [&](NotifyRecord& msg) {
    if (msg.type != L"click") return;
    manager().AttachDialog(new CContainerUI());
    EXPECT_FALSE(destroyed) << "the sender's tree is still in use";
  };
  manager().SendNotify(a, L"click");
  EXPECT_FALSE(destroyed);
  Pump();
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(manager().FindControl(L"a"), nullptr);
}

}  // namespace
}  // namespace zui::test
