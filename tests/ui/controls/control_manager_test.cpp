// The control base and the container inside a window's paint manager:
// invalidation clipped by ancestors, layout requests, focus rules, styles,
// display scaling, initialisation, delayed destruction, cursor and
// notifications.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/window/paint_manager.h"
#include "ui/host/headless/headless_host.h"
#include "ui/layout/container.h"

namespace zui {
namespace {

LRESULT_T PlainProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  return Host().DefaultProc(window, message, wParam, lParam);
}

class Notifications : public INotifyUI {
 public:
  void Notify(NotifyRecord& msg) override { records.push_back(msg); }
  std::vector<NotifyRecord> records;
};

// A 200 x 200 window whose tree is root (0,0,200,200) > panel (10,10,110,110)
// > leaf (20,20,60,60).
class ControlInWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.RegisterWindowClass({L"ControlTest", 0, &PlainProc});
    HostWindowDesc desc;
    desc.className = L"ControlTest";
    desc.style = WS_POPUP;
    desc.rect = {0, 0, 200, 200};
    window_ = host_.CreateHostWindow(desc, nullptr);
    ASSERT_NE(window_, nullptr);
    manager_ = std::make_unique<CPaintManagerUI>();
    manager_->Init(window_);
    manager_->AddNotifier(&notes_);

    root_ = new CContainerUI;
    panel_ = new CContainerUI;
    leaf_ = new CControlUI;
    leaf_->SetName(L"leaf");
    panel_->Add(leaf_);
    root_->Add(panel_);
    manager_->AttachDialog(root_);
    root_->SetPos({0, 0, 200, 200}, false);
    panel_->SetPos({10, 10, 110, 110}, false);
    leaf_->SetPos({20, 20, 60, 60}, false);
    Validate();
  }
  void TearDown() override {
    manager_.reset();
    if (window_ != nullptr) host_.DestroyHostWindow(window_);
  }

  void Validate() { host_.BeginPaint(window_); }
  Rect Dirty() const { return host_.UpdateRect(window_); }
  void Drain() {
    LRESULT_T result = 0;
    manager_->MessageHandler(CPaintManagerUI::kMsgDrainQueue, 0, 0, result);
  }

  HeadlessHost host_;
  ScopedHost scope_{host_};
  WindowHandle window_ = nullptr;
  std::unique_ptr<CPaintManagerUI> manager_;
  Notifications notes_;
  CContainerUI* root_ = nullptr;
  CContainerUI* panel_ = nullptr;
  CControlUI* leaf_ = nullptr;
};

TEST_F(ControlInWindow, SetPosInvalidatesOldAndNewPlaceClippedByTheAncestors) {
  leaf_->SetPos({90, 90, 150, 150});
  EXPECT_EQ(Dirty(), (Rect{20, 20, 110, 110}));
  Validate();
  leaf_->SetPos({0, 0, 5, 5}, false);
  EXPECT_TRUE(Dirty().IsEmpty());
  panel_->SetPos({300, 300, 400, 400}, false);
  leaf_->SetPos({20, 20, 60, 60});  // nothing of it shows inside its parent
  EXPECT_TRUE(Dirty().IsEmpty());
}

TEST_F(ControlInWindow, AHiddenAncestorInvalidatesNothing) {
  // A parent that hides itself without telling its children (a plain
  // control) still keeps them from being drawn.
  CControlUI hiddenParent;
  hiddenParent.SetPos({0, 0, 200, 200});
  CControlUI child;
  child.SetManager(manager_.get(), &hiddenParent, false);
  hiddenParent.SetVisible(false);
  child.SetPos({5, 5, 50, 50});
  child.SetBkColor(0xFF00FF00);
  EXPECT_TRUE(Dirty().IsEmpty());
  hiddenParent.SetVisible(true);
  Validate();
  child.SetBkColor(0xFFFF00FF);
  EXPECT_EQ(Dirty(), (Rect{5, 5, 50, 50}));
}

TEST_F(ControlInWindow, SettersInvalidateOnlyOnChange) {
  leaf_->SetText(L"hello");
  EXPECT_EQ(Dirty(), (Rect{20, 20, 60, 60}));
  Validate();
  leaf_->SetText(L"hello");
  leaf_->SetBkColor(0);
  leaf_->SetEnabled(true);
  EXPECT_TRUE(Dirty().IsEmpty());
  leaf_->SetEnabled(false);
  EXPECT_EQ(Dirty(), (Rect{20, 20, 60, 60}));
}

TEST_F(ControlInWindow, SizingSettersAskTheParentForALayout) {
  ASSERT_FALSE(panel_->IsUpdateNeeded());
  leaf_->SetPadding({1, 2, 3, 4});
  EXPECT_TRUE(panel_->IsUpdateNeeded());
  EXPECT_FALSE(leaf_->IsUpdateNeeded());
  EXPECT_TRUE(manager_->IsUpdateNeeded());
  EXPECT_EQ(Dirty(), (Rect{10, 10, 110, 110}));

  panel_->SetPos({10, 10, 110, 110}, false);
  leaf_->SetPadding({1, 2, 3, 4});
  EXPECT_FALSE(panel_->IsUpdateNeeded());
}

TEST_F(ControlInWindow, HidingTheFocusedControlOrItsContainerClearsTheFocus) {
  leaf_->SetFocus();
  EXPECT_EQ(manager_->GetFocus(), leaf_);
  EXPECT_TRUE(leaf_->IsFocused());
  leaf_->SetVisible(false);
  EXPECT_EQ(manager_->GetFocus(), nullptr);
  EXPECT_FALSE(leaf_->IsFocused());

  leaf_->SetVisible(true);
  leaf_->SetFocus();
  panel_->SetVisible(false);
  EXPECT_EQ(manager_->GetFocus(), nullptr);
  leaf_->SetFocus();  // invisible controls take no focus
  EXPECT_EQ(manager_->GetFocus(), nullptr);
}

TEST_F(ControlInWindow, AddingInitialisesTheChildAndEntersItsName) {
  std::vector<CControlUI*> initialised;
  auto* added = new CControlUI;
  added->SetName(L"added");
  added->OnInit.Add([&](CControlUI& c) {
    initialised.push_back(&c);
    return true;
  });
  panel_->Add(added);
  EXPECT_EQ(initialised, std::vector<CControlUI*>{added});
  EXPECT_EQ(added->GetManager(), manager_.get());
  EXPECT_EQ(added->GetParent(), panel_);
  EXPECT_EQ(manager_->FindControl(L"added"), added);
}

TEST_F(ControlInWindow, DelayedDestroyWaitsForTheQueueAndLeavesNoDanglingFocus) {
  int destroyed = 0;
  leaf_->OnDestroy.Add([&](CControlUI&) {
    ++destroyed;
    return true;
  });
  leaf_->SetFocus();
  EXPECT_TRUE(panel_->Remove(leaf_));
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(manager_->GetFocus(), nullptr);
  EXPECT_EQ(manager_->FindControl(L"leaf"), nullptr);
  Drain();
  EXPECT_EQ(destroyed, 1);

  auto* other = new CControlUI;
  other->OnDestroy.Add([&](CControlUI&) {
    ++destroyed;
    return true;
  });
  panel_->Add(other);
  other->SetFocus();
  panel_->SetDelayedDestroy(false);
  panel_->RemoveAll();
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(manager_->GetFocus(), nullptr);
}

TEST_F(ControlInWindow, StylesApplyInPlaceSoLaterAttributesWin) {
  manager_->AddStyle(L"big", L"width=\"50\" height=\"20\" bkcolor=\"#FF00FF00\"");
  leaf_->SetAttribute(L"width", L"10");
  leaf_->SetAttribute(L"bkcolor", L"#FF0000FF");
  leaf_->SetAttribute(L"style", L"big");
  leaf_->SetAttribute(L"height", L"30");
  EXPECT_EQ(leaf_->GetFixedSize(), (Size{50, 30}));
  EXPECT_EQ(leaf_->GetBkColor(), 0xFF00FF00u);
  EXPECT_EQ(leaf_->GetCustomAttribute(L"style"), nullptr);

  // A list that is a style's name stands for that style.
  CControlUI other;
  other.SetManager(manager_.get(), nullptr, false);
  other.ApplyAttributeList(L"big");
  EXPECT_EQ(other.GetFixedSize(), (Size{50, 20}));
}

TEST_F(ControlInWindow, AStyleNamingItselfEnds) {
  manager_->AddStyle(L"loop", L"style=\"loop\" width=\"5\"");
  manager_->AddStyle(L"ping", L"style=\"pong\" height=\"6\"");
  manager_->AddStyle(L"pong", L"style=\"ping\"");
  leaf_->SetAttribute(L"style", L"loop");
  leaf_->SetAttribute(L"style", L"ping");
  EXPECT_EQ(leaf_->GetFixedSize(), (Size{5, 6}));
}

TEST_F(ControlInWindow, GettersFollowTheDisplayScale) {
  leaf_->SetAttribute(L"width", L"20");
  leaf_->SetAttribute(L"padding", L"2,4,6,8");
  leaf_->SetAttribute(L"bordersize", L"2");
  leaf_->SetAttribute(L"pos", L"10,10,30,30");
  panel_->SetAttribute(L"inset", L"4,4,4,4");
  manager_->SetDisplayScale(150);
  EXPECT_EQ(leaf_->GetFixedWidth(), 30);
  EXPECT_EQ(leaf_->GetPadding(), (Rect{3, 6, 9, 12}));
  EXPECT_EQ(leaf_->GetBorderSize(), 3);
  EXPECT_EQ(leaf_->GetFixedXY(), (Point{15, 15}));
  EXPECT_EQ(leaf_->GetMaxWidth(), 14998);
  EXPECT_EQ(leaf_->GetToolTipWidth(), 450);
  EXPECT_EQ(panel_->GetInset(), (Rect{6, 6, 6, 6}));
  EXPECT_EQ(leaf_->EstimateSize({}), (Size{30, 30}));
  // The stored numbers stay the skin's: setting them again changes nothing.
  manager_->SetDisplayScale(100);
  EXPECT_EQ(leaf_->GetFixedWidth(), 20);
}

// A part drawn with `dest` is given in skin units relative to the control:
// the renderer scales it by the display scale again.
TEST_F(ControlInWindow, DestModifierIsRelativeAndInSkinUnits) {
  leaf_->SetPos({100, 50, 160, 80}, false);
  EXPECT_EQ(leaf_->DestModifier({110, 54, 130, 74}), L"dest='10,4,30,24'");
  manager_->SetDisplayScale(200);
  EXPECT_EQ(leaf_->DestModifier({120, 58, 160, 78}), L"dest='10,4,30,14'");
  manager_->SetDisplayScale(100);
}

TEST_F(ControlInWindow, CursorTimerAndMenuEvents) {
  InputEvent e;
  e.type = kEventSetCursor;
  leaf_->Event(e);
  EXPECT_EQ(host_.Cursor(), kCursorArrow);
  leaf_->SetAttribute(L"cursor", L"hand");
  leaf_->Event(e);
  EXPECT_EQ(host_.Cursor(), kCursorHand);

  e.type = kEventTimer;
  e.wParam = 7;
  leaf_->Event(e);
  ASSERT_EQ(notes_.records.size(), 1u);
  EXPECT_EQ(notes_.records[0].type, L"timer");
  EXPECT_EQ(notes_.records[0].sender, leaf_);
  EXPECT_EQ(notes_.records[0].wParam, 7u);

  e.type = kEventContextMenu;
  leaf_->Event(e);
  EXPECT_EQ(notes_.records.size(), 1u);
  leaf_->SetAttribute(L"menu", L"true");
  leaf_->Event(e);
  ASSERT_EQ(notes_.records.size(), 2u);
  EXPECT_EQ(notes_.records[1].type, L"menu");
}

TEST_F(ControlInWindow, DestroyingAControlTheManagerTracksClearsItsSlots) {
  auto* lone = new CControlUI;
  panel_->Add(lone);
  lone->SetFocus();
  ASSERT_EQ(manager_->GetFocus(), lone);
  manager_->SetTimer(lone, 1, 100);
  panel_->SetDelayedDestroy(false);
  panel_->Remove(lone);
  EXPECT_EQ(manager_->GetFocus(), nullptr);
  for (const TimerRecord& t : manager_->GetTimers()) EXPECT_NE(t.sender, lone);
}

}  // namespace
}  // namespace zui
