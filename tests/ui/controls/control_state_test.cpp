// The control base without a window: visibility, activation, positions,
// initialisation and destruction, events and finding.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/controls/control.h"

namespace zui {
namespace {

// Records what reaches its own event handling, and its initialisation.
class RecordingControl : public CControlUI {
 public:
  explicit RecordingControl(std::vector<std::wstring>* log = nullptr, std::wstring tag = L"") : log_(log), tag_(tag) {}
  void DoInit() override {
    if (log_) log_->push_back(tag_ + L":DoInit");
  }
  void DoEvent(InputEvent& event) override {
    events.push_back(event.type);
    CControlUI::DoEvent(event);
  }
  std::vector<int> events;

 private:
  std::vector<std::wstring>* log_;
  std::wstring tag_;
};

TEST(ControlState, VisibleMeansOwnAndInternalFlags) {
  CControlUI c;
  EXPECT_TRUE(c.IsVisible());
  c.SetInternVisible(false);
  EXPECT_FALSE(c.IsVisible());
  EXPECT_TRUE(c.IsOwnVisible());
  c.SetInternVisible(true);
  c.SetVisible(false);
  EXPECT_FALSE(c.IsVisible());
  EXPECT_FALSE(c.Activate());
  c.SetVisible(true);
  EXPECT_TRUE(c.Activate());
  c.SetEnabled(false);
  EXPECT_FALSE(c.Activate());
}

TEST(ControlState, SetPosRaisesInvertedEdgesAndRelativePosFollowsTheParent) {
  CControlUI parent, child;
  child.SetManager(nullptr, &parent, false);
  parent.SetPos({10, 20, 110, 120});
  child.SetPos({30, 50, 25, 40});
  EXPECT_EQ(child.GetPos(), (Rect{30, 50, 30, 50}));
  child.SetPos({15, 25, 45, 65});
  EXPECT_EQ(child.GetRelativePos(), (Rect{5, 5, 35, 45}));
  EXPECT_EQ(parent.GetRelativePos(), parent.GetPos());
}

TEST(ControlState, InitialisationNeedsAParentAndRunsTheHookBeforeTheListeners) {
  std::vector<std::wstring> log;
  CControlUI parent;
  RecordingControl c(&log, L"c");
  c.OnInit.Add([&](CControlUI&) {
    log.push_back(L"listener");
    return true;
  });
  c.SetManager(nullptr, nullptr, true);  // a root is not initialised
  EXPECT_TRUE(log.empty());
  c.SetManager(nullptr, &parent, false);
  EXPECT_TRUE(log.empty());
  c.SetManager(nullptr, &parent, true);
  EXPECT_EQ(log, (std::vector<std::wstring>{L"c:DoInit", L"listener"}));
  EXPECT_EQ(c.GetParent(), &parent);
}

TEST(ControlState, DestroyListenersAreToldWhenTheControlGoes) {
  int told = 0;
  {
    CControlUI c;
    c.OnDestroy.Add([&](CControlUI&) {
      ++told;
      return true;
    });
  }
  EXPECT_EQ(told, 1);
}

TEST(ControlEvents, ListenersMayStopAnEventBeforeTheControlHandlesIt) {
  RecordingControl c;
  bool letThrough = false;
  c.OnEvent.Add([&](InputEvent&) { return letThrough; });
  InputEvent e;
  e.type = kEventButtonDown;
  c.Event(e);
  EXPECT_TRUE(c.events.empty());
  letThrough = true;
  c.Event(e);
  EXPECT_EQ(c.events, (std::vector<int>{kEventButtonDown}));
}

TEST(ControlEvents, ListenersAddedWhileTellingWaitForTheNextEvent) {
  CControlUI c;
  int calls = 0;
  c.OnEvent.Add([&](InputEvent&) {
    for (int i = 0; i < 8; ++i)
      c.OnEvent.Add([&](InputEvent&) {
        ++calls;
        return true;
      });
    return true;
  });
  InputEvent e;
  e.type = kEventMouseMove;
  c.Event(e);
  EXPECT_EQ(calls, 0);
  c.Event(e);
  EXPECT_EQ(calls, 8);
}

TEST(ControlEvents, FocusEventsSetTheFlagAndOtherEventsGoToTheParent) {
  RecordingControl parent;
  CControlUI child;
  child.SetManager(nullptr, &parent, false);
  InputEvent e;
  e.type = kEventSetFocus;
  child.Event(e);
  EXPECT_TRUE(child.IsFocused());
  e.type = kEventKillFocus;
  child.Event(e);
  EXPECT_FALSE(child.IsFocused());
  EXPECT_TRUE(parent.events.empty());

  e.type = kEventMouseMove;
  child.Event(e);
  // Without the context menu switched on the menu event is not ours either.
  e.type = kEventContextMenu;
  child.Event(e);
  EXPECT_EQ(parent.events, (std::vector<int>{kEventMouseMove, kEventContextMenu}));
  child.SetContextMenuUsed(true);
  child.Event(e);
  EXPECT_EQ(parent.events.size(), 2u);
}

CControlUI* AcceptAll(CControlUI* control) { return control; }

TEST(ControlFind, FlagsRuleOutInvisibleDisabledAndMissedControls) {
  CControlUI c;
  c.SetPos({0, 0, 10, 10});
  Point inside{5, 5}, outside{10, 5};
  EXPECT_EQ(c.FindControl(AcceptAll, kFindHitTest, inside), &c);
  EXPECT_EQ(c.FindControl(AcceptAll, kFindHitTest, outside), nullptr);
  c.SetMouseEnabled(false);
  EXPECT_EQ(c.FindControl(AcceptAll, kFindHitTest, inside), nullptr);
  EXPECT_EQ(c.FindControl(AcceptAll, kFindAll, inside), &c);
  c.SetEnabled(false);
  EXPECT_EQ(c.FindControl(AcceptAll, kFindEnabled), nullptr);
  c.SetVisible(false);
  EXPECT_EQ(c.FindControl(AcceptAll, kFindVisible), nullptr);
  EXPECT_EQ(c.FindControl(AcceptAll, kFindAll), &c);
}

}  // namespace
}  // namespace zui
