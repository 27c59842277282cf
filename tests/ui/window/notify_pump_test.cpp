// Notify maps: handlers found by event type and control name, through the
// base classes' maps and the virtual windows.

#include <gtest/gtest.h>

#include "ui/controls/control.h"
#include "ui/window/notify_pump.h"

namespace zui::test {
namespace {

class BaseWindow : public CNotifyPump {
  ZUI_DECLARE_NOTIFY_MAP();

 public:
  std::vector<std::wstring> calls;
  void OnBaseClick(NotifyRecord& msg) { calls.push_back(L"base click " + msg.sender->GetName()); }
  void OnBaseMenu(NotifyRecord& msg) { calls.push_back(L"base menu"); }
};

ZUI_BEGIN_NOTIFY_MAP(BaseWindow, CNotifyPump)
ZUI_ON_NOTIFY(L"click", L"", &BaseWindow::OnBaseClick)
ZUI_ON_NOTIFY(L"menu", L"", &BaseWindow::OnBaseMenu)
ZUI_END_NOTIFY_MAP()

class DerivedWindow : public BaseWindow {
  ZUI_DECLARE_NOTIFY_MAP();

 public:
  void OnAnyClick(NotifyRecord& msg) { calls.push_back(L"any click " + msg.sender->GetName()); }
  void OnOk(NotifyRecord& msg) { calls.push_back(L"ok"); }
  void OnTimer(WPARAM_T wParam, LPARAM_T lParam) {
    calls.push_back(L"timer " + std::to_wstring(wParam) + L" " + std::to_wstring(lParam));
  }
};

// The exact entry comes after the any-control entry: position does not
// matter, the exact one wins for its control.
ZUI_BEGIN_NOTIFY_MAP(DerivedWindow, BaseWindow)
ZUI_ON_NOTIFY(L"click", L"", &DerivedWindow::OnAnyClick)
ZUI_ON_NOTIFY(L"click", L"ok", &DerivedWindow::OnOk)
ZUI_ON_NOTIFY_PARAMS(L"timer", L"", &DerivedWindow::OnTimer)
ZUI_END_NOTIFY_MAP()

class SubWindow : public CNotifyPump {
  ZUI_DECLARE_NOTIFY_MAP();

 public:
  std::vector<std::wstring> calls;
  void OnClick(NotifyRecord& msg) { calls.push_back(L"sub click"); }
};

ZUI_BEGIN_NOTIFY_MAP(SubWindow, CNotifyPump)
ZUI_ON_NOTIFY(L"click", L"", &SubWindow::OnClick)
ZUI_END_NOTIFY_MAP()

class NotifyPumpTest : public ::testing::Test {
 protected:
  NotifyPumpTest() {
    ok_.SetName(L"ok");
    cancel_.SetName(L"cancel");
  }
  NotifyRecord Record(std::wstring_view type, CControlUI* sender, WPARAM_T w = 0, LPARAM_T l = 0) {
    NotifyRecord r;
    r.type = type;
    r.sender = sender;
    r.wParam = w;
    r.lParam = l;
    return r;
  }
  CControlUI ok_;
  CControlUI cancel_;
  DerivedWindow window_;
};

TEST_F(NotifyPumpTest, ExactEntryWinsForItsControlAndTheAnyControlEntryForOthers) {
  NotifyRecord okClick = Record(L"click", &ok_);
  NotifyRecord cancelClick = Record(L"click", &cancel_);
  EXPECT_TRUE(window_.NotifyPump(okClick));
  EXPECT_TRUE(window_.NotifyPump(cancelClick));
  EXPECT_EQ(window_.calls, (std::vector<std::wstring>{L"ok", L"any click cancel"}));
}

TEST_F(NotifyPumpTest, TypesMissingFromTheDerivedMapAreLookedUpInTheBaseMap) {
  NotifyRecord menu = Record(L"menu", &ok_);
  NotifyRecord other = Record(L"selectchanged", &ok_);
  NotifyRecord upper = Record(L"CLICK", &ok_);
  EXPECT_TRUE(window_.NotifyPump(menu));
  EXPECT_FALSE(window_.NotifyPump(other));
  EXPECT_FALSE(window_.NotifyPump(upper)) << "types compare exactly";
  EXPECT_EQ(window_.calls, std::vector<std::wstring>{L"base menu"});

  NotifyRecord timer = Record(L"timer", &ok_, 101, -3);
  EXPECT_TRUE(window_.NotifyPump(timer));
  EXPECT_EQ(window_.calls.back(), L"timer 101 -3") << "a parameter handler gets wParam and lParam";

  BaseWindow base;
  NotifyRecord click = Record(L"click", &ok_);
  EXPECT_TRUE(base.NotifyPump(click));
  EXPECT_EQ(base.calls, std::vector<std::wstring>{L"base click ok"});
}

TEST_F(NotifyPumpTest, VirtualWindowNamesIgnoreCaseAndFallBackToTheOwnMap) {
  SubWindow sub;
  EXPECT_TRUE(window_.AddVirtualWnd(L"Settings", &sub));
  EXPECT_FALSE(window_.AddVirtualWnd(L"SETTINGS", &sub));
  NotifyRecord click = Record(L"click", &cancel_);
  click.virtualWindow = L"settings";
  EXPECT_TRUE(window_.NotifyPump(click));
  EXPECT_EQ(sub.calls, std::vector<std::wstring>{L"sub click"});
  EXPECT_TRUE(window_.calls.empty());

  NotifyRecord menu = Record(L"menu", &cancel_);
  menu.virtualWindow = L"Settings";
  EXPECT_TRUE(window_.NotifyPump(menu)) << "the sub-window has no menu entry";
  EXPECT_EQ(window_.calls, std::vector<std::wstring>{L"base menu"});

  EXPECT_TRUE(window_.RemoveVirtualWnd(L"settings"));
  EXPECT_TRUE(window_.NotifyPump(click));
  EXPECT_EQ(window_.calls, (std::vector<std::wstring>{L"base menu", L"any click cancel"}));
}

}  // namespace
}  // namespace zui::test
