// Windows of the headless host: creation and destruction messages,
// placement, activation and focus, and the default processing the toolkit
// leans on.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "recording_window.h"

namespace zui {
namespace {

using test::RecordingWindows;
using ::testing::ElementsAre;

class WindowLifecycle : public ::testing::Test {
 protected:
  HeadlessHost host;
  RecordingWindows windows{host};
};

TEST_F(WindowLifecycle, CreationSendsNcCreateCreateSizeMoveWithTheCreationParameter) {
  int object = 0;
  void* seenParam = nullptr;
  windows.Answer(WM_CREATE, [&](WindowHandle, WPARAM_T, LPARAM_T l) {
    seenParam = reinterpret_cast<HostCreateStruct*>(l)->createParam;
    return std::optional<LRESULT_T>(0);
  });
  WindowHandle w = windows.Create({100, 50, 400, 250}, WS_POPUP, nullptr, L"Recorder", &object);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(seenParam, &object);
  EXPECT_THAT(windows.Messages(w), ElementsAre(WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE));
  EXPECT_EQ(windows.Of(WM_SIZE)[0].lParam, MakeLParam(300, 200));
  EXPECT_EQ(windows.Of(WM_MOVE)[0].lParam, MakeLParam(100, 50));
  EXPECT_EQ(host.GetClientRect(w), (Rect{0, 0, 300, 200}));
  EXPECT_FALSE(host.IsVisible(w));

  WindowHandle plain = windows.Create({0, 0, 10, 10}, WS_POPUP, nullptr, L"PlainRecorder");
  WindowHandle newer = windows.Create({0, 0, 10, 10});
  EXPECT_EQ(host.FindHostWindow(L"Recorder"), newer);
  EXPECT_EQ(host.FindHostWindow(L"PlainRecorder"), plain);
  EXPECT_EQ(host.Windows(), (std::vector<WindowHandle>{w, plain, newer}));

  EXPECT_EQ(windows.Create({0, 0, 10, 10}, WS_POPUP, nullptr, L"NoSuchClass"), nullptr);
  EXPECT_TRUE(host.RegisterWindowClass({L"Recorder", 0, nullptr}) == false);  // no proc
}

// A replaced procedure sees messages first and hands them on through
// CallWindowProc, the way a subclass follows its parent window.
LRESULT_T SubclassCountingProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  auto* previous = reinterpret_cast<WindowProc>(Host().GetProp(window, L"previous"));
  auto* count = static_cast<int*>(Host().GetProp(window, L"count"));
  if (message == WM_USER) ++*count;
  return Host().CallWindowProc(previous, window, message, wParam, lParam);
}

TEST_F(WindowLifecycle, ReplacedProceduresChainAndPropertiesStayWithTheWindow) {
  ScopedHost scope(host);
  WindowHandle w = windows.Create({0, 0, 10, 10});
  int count = 0;
  ASSERT_TRUE(host.SetProp(w, L"count", &count));
  WindowProc previous = host.SetWindowProc(w, &SubclassCountingProc);
  ASSERT_NE(previous, nullptr);
  host.SetProp(w, L"previous", reinterpret_cast<void*>(previous));

  host.SendMessage(w, WM_USER, 1, 2);
  host.PostMessage(w, WM_USER, 3, 4);
  host.PumpPending();
  EXPECT_EQ(count, 2);
  EXPECT_EQ(windows.Count(WM_USER, w), 2);  // the class's own proc still got both

  EXPECT_EQ(host.SetWindowProc(w, previous), &SubclassCountingProc);
  host.SendMessage(w, WM_USER, 0, 0);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(host.RemoveProp(w, L"count"), &count);
  EXPECT_EQ(host.GetProp(w, L"count"), nullptr);
  EXPECT_EQ(host.RemoveProp(w, L"count"), nullptr);

  WindowClassDesc info;
  ASSERT_TRUE(host.GetClassInfo(L"Recorder", info));
  EXPECT_EQ(info.style, static_cast<uint32_t>(CS_DBLCLKS));
  EXPECT_EQ(info.proc, previous);
  EXPECT_FALSE(host.GetClassInfo(L"NoSuchClass", info));
}

TEST_F(WindowLifecycle, LayeredContentPlacesAndSizesTheWindow) {
  WindowHandle w = windows.Create({0, 0, 10, 10}, WS_POPUP, nullptr, L"Recorder");
  host.SetStyle(w, true, WS_EX_LAYERED);
  Bitmap shadow(40, 30, 0x80000000);
  host.UpdateLayered(w, shadow, {-5, 7});
  EXPECT_EQ(host.GetWindowRect(w), (Rect{-5, 7, 35, 37}));
  ASSERT_NE(host.LayeredContent(w), nullptr);
  EXPECT_EQ(host.LayeredContent(w)->at(39, 29), 0x80000000u);
  WindowHandle other = windows.Create({0, 0, 10, 10});
  host.PlaceBehind(w, other);
  EXPECT_EQ(host.PlacedBehind(w), other);
}

TEST_F(WindowLifecycle, RefusedCreationAnswersNullAndCleansUp) {
  std::vector<WindowHandle> seen;
  windows.AnswerValue(WM_NCCREATE, 0);
  EXPECT_EQ(windows.Create({0, 0, 10, 10}), nullptr);
  EXPECT_THAT(windows.Messages(), ElementsAre(WM_NCCREATE, WM_NCDESTROY));
  seen.push_back(windows.All()[0].window);

  windows.Reset();
  windows.AnswerValue(WM_CREATE, -1);
  EXPECT_EQ(windows.Create({0, 0, 10, 10}), nullptr);
  EXPECT_THAT(windows.Messages(), ElementsAre(WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY));
  seen.push_back(windows.All()[0].window);
  EXPECT_EQ(host.WindowCount(), 0u);

  // Handles are never handed out twice.
  windows.Reset();
  WindowHandle w = windows.Create({0, 0, 10, 10});
  EXPECT_FALSE(host.IsHostWindow(seen[0]) || host.IsHostWindow(seen[1]));
  EXPECT_NE(w, seen[0]);
  EXPECT_NE(w, seen[1]);
}

TEST_F(WindowLifecycle, DestroyTakesOwnedWindowsFirstThenTheTreeAndForgetsItsState) {
  WindowHandle owner = windows.Create({0, 0, 300, 200});
  WindowHandle child = windows.Create({10, 10, 50, 50}, WS_CHILD | WS_VISIBLE, owner);
  WindowHandle popup = windows.Create({400, 0, 500, 100}, WS_POPUP, owner);
  EXPECT_EQ(host.GetOwner(popup), owner);
  EXPECT_EQ(host.GetParent(popup), owner);
  EXPECT_EQ(host.GetParent(child), owner);
  host.ShowHostWindow(owner, SW_SHOW);
  host.SetFocus(child);
  host.SetCapture(owner);
  host.SetTimer(owner, 7, 100);
  host.PostMessage(owner, WM_APP, 0, 0);
  host.PostMessage(child, WM_APP, 0, 0);
  windows.Clear();

  EXPECT_TRUE(host.DestroyHostWindow(owner));
  std::vector<std::pair<WindowHandle, uint32_t>> order;
  for (const auto& r : windows.All()) {
    if (r.message == WM_DESTROY || r.message == WM_NCDESTROY) order.emplace_back(r.window, r.message);
  }
  EXPECT_THAT(
      order, ElementsAre(std::pair{popup, WM_DESTROY}, std::pair{popup, WM_NCDESTROY}, std::pair{owner, WM_DESTROY},
                         std::pair{child, WM_DESTROY}, std::pair{child, WM_NCDESTROY}, std::pair{owner, WM_NCDESTROY}));
  EXPECT_EQ(windows.Count(WM_KILLFOCUS, child), 1);
  EXPECT_EQ(windows.Count(WM_CAPTURECHANGED, owner), 1);
  EXPECT_EQ(host.GetFocus(), nullptr);
  EXPECT_EQ(host.GetCapture(), nullptr);
  EXPECT_EQ(host.GetActiveWindow(), nullptr);
  EXPECT_EQ(host.TimerCount(), 0u);
  EXPECT_EQ(host.WindowCount(), 0u);
  EXPECT_FALSE(host.DestroyHostWindow(owner));
  EXPECT_FALSE(host.PostMessage(owner, WM_APP, 0, 0));

  windows.Clear();
  host.AdvanceClock(1000);
  EXPECT_EQ(host.PumpPending(), 0);  // its queued messages and timers went with it
  EXPECT_TRUE(windows.All().empty());
}

TEST_F(WindowLifecycle, ShowingActivatesAndFocusesAndReportsVisibilityChangesOnce) {
  WindowHandle w = windows.Create({0, 0, 300, 200});
  EXPECT_FALSE(host.ShowHostWindow(w, SW_SHOWNORMAL));
  EXPECT_TRUE(host.ShowHostWindow(w, SW_SHOW));
  EXPECT_EQ(windows.Count(WM_SHOWWINDOW, w), 1);
  EXPECT_EQ(host.GetActiveWindow(), w);
  EXPECT_EQ(host.GetFocus(), w);
  EXPECT_EQ(windows.Count(WM_SETFOCUS, w), 1);
  EXPECT_EQ(host.UpdateRect(w), (Rect{0, 0, 300, 200}));  // shown means painted

  WindowHandle tool = windows.Create({0, 0, 30, 20});
  host.ShowHostWindow(tool, SW_SHOWNOACTIVATE);
  EXPECT_EQ(host.GetActiveWindow(), w);
  EXPECT_TRUE(host.IsVisible(tool));

  host.ShowHostWindow(w, SW_HIDE);
  EXPECT_EQ(windows.Count(WM_SHOWWINDOW, w), 2);
  EXPECT_EQ(windows.Of(WM_SHOWWINDOW, w)[1].wParam, 0u);
  EXPECT_EQ(host.GetActiveWindow(), nullptr);
  EXPECT_EQ(host.GetFocus(), nullptr);
}

TEST_F(WindowLifecycle, MaximiseMinimiseRestoreFollowTheMinMaxAnswerAndReportTheirState) {
  host.SetMonitorArea({{0, 0, 1600, 900}, {0, 0, 1600, 860}, true});
  windows.Answer(WM_GETMINMAXINFO, [](WindowHandle, WPARAM_T, LPARAM_T l) {
    auto* info = reinterpret_cast<MinMaxInfo*>(l);
    EXPECT_EQ(info->maxSize, (Point{1600, 860}));
    info->maxPosition = {0, 10};
    info->maxSize = {1000, 800};
    return std::optional<LRESULT_T>(0);
  });
  WindowHandle w = windows.Create({100, 100, 400, 300});
  host.ShowHostWindow(w, SW_SHOW);
  windows.Clear();

  host.ShowHostWindow(w, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(host.IsMaximized(w));
  EXPECT_EQ(host.GetWindowRect(w), (Rect{0, 10, 1000, 810}));
  ASSERT_EQ(windows.Count(WM_SIZE, w), 1);
  EXPECT_EQ(windows.Of(WM_SIZE)[0].wParam, static_cast<WPARAM_T>(SIZE_MAXIMIZED));
  EXPECT_EQ(windows.Of(WM_SIZE)[0].lParam, MakeLParam(1000, 800));

  host.ShowHostWindow(w, SW_MINIMIZE);
  EXPECT_TRUE(host.IsMinimized(w));
  EXPECT_FALSE(host.IsMaximized(w));
  EXPECT_EQ(windows.Of(WM_SIZE).back().wParam, static_cast<WPARAM_T>(SIZE_MINIMIZED));
  EXPECT_EQ(host.GetActiveWindow(), nullptr);

  // Restoring a window minimised from maximised maximises it again.
  host.ShowHostWindow(w, SW_RESTORE);
  EXPECT_TRUE(host.IsMaximized(w));
  host.ShowHostWindow(w, SW_RESTORE);
  EXPECT_FALSE(host.IsMaximized(w));
  EXPECT_EQ(host.GetWindowRect(w), (Rect{100, 100, 400, 300}));
  EXPECT_EQ(windows.Of(WM_SIZE).back().wParam, static_cast<WPARAM_T>(SIZE_RESTORED));
  EXPECT_EQ(host.GetActiveWindow(), w);

  // The system commands reach the same states through the default processing.
  host.SendMessage(w, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_TRUE(host.IsMaximized(w));
  host.SendMessage(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(host.IsMinimized(w));
}

TEST_F(WindowLifecycle, MovingReportsOnlyWhatChanged) {
  WindowHandle w = windows.Create({0, 0, 300, 200});
  windows.Clear();
  host.MoveHostWindow(w, {50, 60, 350, 260}, true);
  EXPECT_THAT(windows.Messages(w), ElementsAre(WM_MOVE));
  EXPECT_EQ(windows.Of(WM_MOVE)[0].lParam, MakeLParam(50, 60));
  windows.Clear();
  host.MoveHostWindow(w, {50, 60, 450, 300}, true);
  EXPECT_THAT(windows.Messages(w), ElementsAre(WM_SIZE));
  EXPECT_EQ(windows.Of(WM_SIZE)[0].lParam, MakeLParam(400, 240));
  EXPECT_EQ(host.UpdateRect(w), (Rect{0, 0, 400, 240}));  // the uncovered strips, as one rectangle
  windows.Clear();
  host.MoveHostWindow(w, {50, 60, 450, 300}, true);
  EXPECT_TRUE(windows.All().empty());
  EXPECT_EQ(host.ScreenToClient(w, {60, 70}), (Point{10, 10}));
  EXPECT_EQ(host.ClientToScreen(w, {10, 10}), (Point{60, 70}));

  // Children travel with their parent without being told.
  WindowHandle child = windows.Create({60, 70, 80, 90}, WS_CHILD, w);
  windows.Clear();
  host.MoveHostWindow(w, {0, 0, 400, 240}, true);
  EXPECT_EQ(host.GetWindowRect(child), (Rect{10, 10, 30, 30}));
  EXPECT_EQ(windows.Count(WM_MOVE, child), 0);
}

TEST_F(WindowLifecycle, FocusEnableAndCaptureTellTheWindowsConcerned) {
  WindowHandle a = windows.Create({0, 0, 100, 100});
  WindowHandle b = windows.Create({200, 0, 300, 100});
  host.ShowHostWindow(a, SW_SHOW);
  windows.Clear();

  EXPECT_EQ(host.SetFocus(b), a);  // activates b on the way
  EXPECT_EQ(host.GetActiveWindow(), b);
  ASSERT_EQ(windows.Count(WM_KILLFOCUS, a), 1);
  EXPECT_EQ(windows.Of(WM_KILLFOCUS, a)[0].wParam, reinterpret_cast<WPARAM_T>(b));
  ASSERT_EQ(windows.Count(WM_SETFOCUS, b), 1);
  EXPECT_EQ(windows.Of(WM_SETFOCUS, b)[0].wParam, reinterpret_cast<WPARAM_T>(a));

  host.SetCapture(b);
  host.SetCapture(a);
  EXPECT_EQ(windows.Count(WM_CAPTURECHANGED, b), 1);
  EXPECT_EQ(windows.Count(WM_CAPTURECHANGED, a), 0);

  EXPECT_FALSE(host.EnableHostWindow(b, false));
  EXPECT_FALSE(host.IsEnabled(b));
  EXPECT_EQ(host.GetFocus(), nullptr);  // focus does not stay in a disabled window
  EXPECT_EQ(host.SetFocus(b), nullptr);
  EXPECT_EQ(host.GetFocus(), nullptr);
  EXPECT_TRUE(host.EnableHostWindow(b, true));
  EXPECT_EQ(windows.Count(WM_ENABLE, b), 2);
  EXPECT_EQ(windows.Of(WM_ENABLE, b)[0].wParam, 0u);
}

TEST_F(WindowLifecycle, CloseAndSysCloseDestroyThroughDefaultProcessing) {
  WindowHandle a = windows.Create({0, 0, 100, 100});
  host.SendMessage(a, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_THAT(windows.Messages(a), testing::IsSupersetOf({WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_FALSE(host.IsHostWindow(a));

  // A window that handles WM_CLOSE itself stays.
  windows.AnswerValue(WM_CLOSE, 0);
  WindowHandle b = windows.Create({0, 0, 100, 100});
  host.PostMessage(b, WM_CLOSE, 0, 0);
  host.PumpPending();
  EXPECT_TRUE(host.IsHostWindow(b));
}

TEST_F(WindowLifecycle, PresentKeepsTheCopiedAreaOfAClientSizedFrame) {
  WindowHandle w = windows.Create({0, 0, 4, 3});
  EXPECT_EQ(host.Frame(w), nullptr);
  Bitmap frame(8, 8, 0xFF112233u);
  host.Present(w, frame, {1, 1, 10, 2});
  const Bitmap* kept = host.Frame(w);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->width(), 4);
  EXPECT_EQ(kept->height(), 3);
  EXPECT_EQ(kept->at(0, 1), 0u);
  EXPECT_EQ(kept->at(1, 1), 0xFF112233u);
  EXPECT_EQ(kept->at(3, 1), 0xFF112233u);
  EXPECT_EQ(kept->at(1, 2), 0u);
  EXPECT_EQ(host.PresentCount(w), 1);
}

TEST_F(WindowLifecycle, MessageBoxesAreRecordedForTests) {
  WindowHandle w = windows.Create({0, 0, 100, 100});
  host.QueueMessageBoxReply(IDNO);
  EXPECT_EQ(host.MessageBox(w, L"正文", L"标题", MB_YESNO), IDNO);
  EXPECT_EQ(host.MessageBox(nullptr, L"x", L"y", MB_OK), IDOK);
  ASSERT_EQ(host.MessageBoxes().size(), 2u);
  EXPECT_EQ(host.MessageBoxes()[0].owner, w);
  EXPECT_EQ(host.MessageBoxes()[0].text, L"正文");
  EXPECT_EQ(host.MessageBoxes()[0].flags, static_cast<uint32_t>(MB_YESNO));
}

TEST(HostSeam, AnInstalledHostAnswersUntilItsScopeEnds) {
  HeadlessHost outer;
  ScopedHost outerScope(outer);
  {
    HeadlessHost mine;
    ScopedHost scope(mine);
    EXPECT_EQ(&Host(), &mine);
  }
  EXPECT_EQ(&Host(), &outer);
}

TEST(HostSeamDeathTest, UsingTheHostBeforeOneIsInstalledStopsTheProgram) {
  IUiHost* previous = SetHost(nullptr);
  EXPECT_DEATH(Host(), "UI host is used before one was installed");
  SetHost(previous);
}

}  // namespace
}  // namespace zui
