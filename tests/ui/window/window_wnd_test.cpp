// The native window object: creation with either procedure, subclassing,
// the modal loop, centring, showing and icons, over the headless host.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "ui/host/headless/headless_host.h"
#include "ui/window/window_wnd.h"

namespace zui {
namespace {

// Records what reaches HandleMessage and the final message.
class RecordingWnd : public CWindowWnd {
 public:
  explicit RecordingWnd(std::wstring className = L"ZuiRecordingWnd", std::wstring superClass = {})
      : className_(std::move(className)), superClass_(std::move(superClass)) {}

  std::vector<uint32_t> seen;
  std::vector<WindowHandle> finals;
  // Answers a message itself when set and true.
  std::function<bool(uint32_t, LRESULT_T&)> own;

 protected:
  std::wstring_view GetWindowClassName() const override { return className_; }
  std::wstring_view GetSuperClassName() const override { return superClass_; }
  LRESULT_T HandleMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam) override {
    seen.push_back(message);
    LRESULT_T result = 0;
    if (own && own(message, result)) return result;
    return CWindowWnd::HandleMessage(message, wParam, lParam);
  }
  void OnFinalMessage(WindowHandle window) override { finals.push_back(window); }

 private:
  std::wstring className_;
  std::wstring superClass_;
};

int Count(const std::vector<uint32_t>& seen, uint32_t message) {
  int n = 0;
  for (uint32_t m : seen) n += m == message ? 1 : 0;
  return n;
}

class WindowWndTest : public ::testing::Test {
 protected:
  ~WindowWndTest() override {
    for (WindowHandle w : host_.Windows()) host_.DestroyHostWindow(w);
  }

  HeadlessHost host_;
  ScopedHost scope_{host_};
};

TEST_F(WindowWndTest, OwnClassKeepsTheObjectInUserDataUntilTheFinalMessage) {
  RecordingWnd wnd;
  const WindowHandle hwnd = wnd.Create(nullptr, L"title", WS_POPUP, 0, {10, 20, 110, 70});
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(wnd.GetHWND(), hwnd);
  EXPECT_EQ(host_.GetUserData(hwnd), static_cast<CWindowWnd*>(&wnd));
  EXPECT_EQ(host_.GetProp(hwnd, CWindowWnd::kObjectProperty), nullptr);
  EXPECT_EQ(host_.GetWindowRect(hwnd), (Rect{10, 20, 110, 70}));
  EXPECT_EQ(host_.Title(hwnd), L"title");
  ASSERT_GE(wnd.seen.size(), 2u);
  EXPECT_EQ(wnd.seen[0], static_cast<uint32_t>(WM_NCCREATE));
  EXPECT_EQ(wnd.seen[1], static_cast<uint32_t>(WM_CREATE));
  WindowClassDesc cls;
  ASSERT_TRUE(host_.GetClassInfo(L"ZuiRecordingWnd", cls));
  EXPECT_EQ(cls.style, 0u);

  // Sent and posted messages reach the object.
  wnd.SendMessage(WM_USER + 1);
  EXPECT_TRUE(wnd.PostMessage(WM_USER + 2));
  host_.PumpPending();
  EXPECT_EQ(Count(wnd.seen, WM_USER + 1), 1);
  EXPECT_EQ(Count(wnd.seen, WM_USER + 2), 1);

  host_.DestroyHostWindow(hwnd);
  EXPECT_EQ(wnd.finals, std::vector<WindowHandle>{hwnd});
  EXPECT_EQ(wnd.GetHWND(), nullptr);
  EXPECT_EQ(Count(wnd.seen, WM_NCDESTROY), 0) << "WM_NCDESTROY goes to the previous procedure";
  EXPECT_EQ(Count(wnd.seen, WM_DESTROY), 1);
  // Without a window, the object's services do nothing.
  wnd.Close(3);
  wnd.ShowWindow();
  EXPECT_FALSE(wnd.SetIcon(138));
}

TEST_F(WindowWndTest, RefusedCreationAnswersNone) {
  RecordingWnd wnd;
  wnd.own = [](uint32_t message, LRESULT_T& result) {
    if (message != WM_CREATE) return false;
    result = -1;
    return true;
  };
  EXPECT_EQ(wnd.Create(nullptr, L"", WS_POPUP, 0, {0, 0, 10, 10}), nullptr);
  EXPECT_EQ(wnd.GetHWND(), nullptr);
  EXPECT_EQ(host_.WindowCount(), 0u);
  EXPECT_EQ(wnd.finals.size(), 1u);
}

LRESULT_T BaseClassProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  if (message == WM_USER + 7) return 77;
  return Host().DefaultProc(window, message, wParam, lParam);
}

TEST_F(WindowWndTest, SuperclassBorrowsTheClassAndKeepsTheObjectInAProperty) {
  ASSERT_TRUE(host_.RegisterWindowClass({L"ZuiBaseClass", CS_DBLCLKS | CS_HREDRAW, &BaseClassProc}));
  RecordingWnd wnd(L"ZuiDerivedClass", L"ZuiBaseClass");
  const WindowHandle hwnd = wnd.Create(nullptr, L"", WS_POPUP, 0, {0, 0, 50, 50});
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(host_.GetProp(hwnd, CWindowWnd::kObjectProperty), static_cast<CWindowWnd*>(&wnd));
  EXPECT_EQ(host_.GetUserData(hwnd), nullptr) << "left to the borrowed class";
  WindowClassDesc cls;
  ASSERT_TRUE(host_.GetClassInfo(L"ZuiDerivedClass", cls));
  EXPECT_EQ(cls.style, static_cast<uint32_t>(CS_DBLCLKS | CS_HREDRAW));
  EXPECT_NE(cls.proc, &BaseClassProc);
  EXPECT_EQ(wnd.SendMessage(WM_USER + 7), 77) << "unhandled messages go to the borrowed procedure";
  EXPECT_EQ(Count(wnd.seen, WM_USER + 7), 1);

  host_.DestroyHostWindow(hwnd);
  EXPECT_EQ(wnd.finals.size(), 1u);

  RecordingWnd orphan(L"ZuiOrphanClass", L"NoSuchClass");
  EXPECT_EQ(orphan.Create(nullptr, L"", WS_POPUP, 0, {0, 0, 50, 50}), nullptr);
  EXPECT_FALSE(host_.GetClassInfo(L"ZuiOrphanClass", cls)) << "nothing registered";
}

struct PlainWindow {
  static std::vector<uint32_t>& Seen() {
    static std::vector<uint32_t> seen;
    return seen;
  }
  static LRESULT_T Proc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
    Seen().push_back(message);
    if (message == WM_USER + 7) return 5;
    return Host().DefaultProc(window, message, wParam, lParam);
  }
};

TEST_F(WindowWndTest, SubclassTakesOverAWindowAndGivesItBack) {
  PlainWindow::Seen().clear();
  host_.RegisterWindowClass({L"ZuiPlainClass", 0, &PlainWindow::Proc});
  HostWindowDesc desc;
  desc.className = L"ZuiPlainClass";
  desc.style = WS_POPUP;
  desc.rect = {0, 0, 40, 40};
  const WindowHandle hwnd = host_.CreateHostWindow(desc, nullptr);
  ASSERT_NE(hwnd, nullptr);

  RecordingWnd wnd(L"ZuiUnusedClass");
  EXPECT_EQ(wnd.Subclass(nullptr), nullptr);
  ASSERT_EQ(wnd.Subclass(hwnd), hwnd);
  EXPECT_EQ(host_.GetProp(hwnd, CWindowWnd::kObjectProperty), static_cast<CWindowWnd*>(&wnd));
  PlainWindow::Seen().clear();
  EXPECT_EQ(wnd.SendMessage(WM_USER + 7), 5) << "through the object to the window's own procedure";
  EXPECT_EQ(Count(wnd.seen, WM_USER + 7), 1);
  EXPECT_EQ(Count(PlainWindow::Seen(), WM_USER + 7), 1);

  wnd.Unsubclass();
  EXPECT_EQ(host_.GetProp(hwnd, CWindowWnd::kObjectProperty), nullptr);
  host_.SendMessage(hwnd, WM_USER + 7, 0, 0);
  EXPECT_EQ(Count(wnd.seen, WM_USER + 7), 1) << "no longer routed through the object";
  EXPECT_EQ(Count(PlainWindow::Seen(), WM_USER + 7), 2);

  // Subclassed when it is destroyed: the window's own procedure sees the
  // end, and the object lets go of it.
  ASSERT_EQ(wnd.Subclass(hwnd), hwnd);
  host_.DestroyHostWindow(hwnd);
  EXPECT_EQ(Count(PlainWindow::Seen(), WM_NCDESTROY), 1);
  EXPECT_EQ(wnd.finals, std::vector<WindowHandle>{hwnd});
  EXPECT_EQ(wnd.GetHWND(), nullptr);
}

TEST_F(WindowWndTest, ShowTakesTheFocusOrNot) {
  RecordingWnd first;
  RecordingWnd second;
  first.Create(nullptr, L"", WS_POPUP, 0, {0, 0, 40, 40});
  second.Create(nullptr, L"", WS_POPUP, 0, {50, 0, 90, 40});
  first.ShowWindow(true, true);
  EXPECT_EQ(host_.GetActiveWindow(), first.GetHWND());
  second.ShowWindow(true, false);
  EXPECT_TRUE(host_.IsVisible(second.GetHWND()));
  EXPECT_EQ(host_.GetActiveWindow(), first.GetHWND()) << "shown without activating";
  first.ShowWindow(false);
  EXPECT_FALSE(host_.IsVisible(first.GetHWND()));
}

TEST_F(WindowWndTest, DefaultPlacementStartsAtTheWorkAreaWithoutASize) {
  host_.SetMonitorArea({{0, 0, 1280, 1024}, {0, 30, 1280, 1024}, true});
  RecordingWnd wnd;
  ASSERT_NE(wnd.Create(nullptr, L"", WS_OVERLAPPEDWINDOW, 0), nullptr);
  EXPECT_EQ(host_.GetWindowRect(wnd.GetHWND()), (Rect{0, 30, 0, 30}));
}

class ModalTest : public WindowWndTest {
 protected:
  void SetUp() override {
    ASSERT_NE(owner_.Create(nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, {100, 100, 600, 500}), nullptr);
    ASSERT_NE(dialog_.Create(owner_.GetHWND(), L"dialog", WS_POPUP, 0, {0, 0, 200, 100}), nullptr);
    host_.PumpPending();
  }
  // Runs the dialog modally; `feed(step)` is called whenever the loop finds
  // nothing to do, the owner's enabled state noted each time.
  int RunModal(std::function<void(int)> feed) {
    int step = 0;
    host_.SetIdleHandler([&] {
      ownerEnabledDuring_.push_back(host_.IsEnabled(owner_.GetHWND()));
      if (step > 10) {
        host_.PostQuitMessage(-99);  // a loop that failed to end
        return;
      }
      feed(step++);
    });
    const int result = dialog_.ShowModal();
    host_.SetIdleHandler({});
    return result;
  }

  RecordingWnd owner_{L"ZuiModalOwner"};
  RecordingWnd dialog_{L"ZuiModalDialog"};
  std::vector<bool> ownerEnabledDuring_;
};

TEST_F(ModalTest, CloseWithAResultEndsTheLoopWithIt) {
  const int result = RunModal([&](int) { dialog_.Close(7); });
  EXPECT_EQ(result, 7);
  EXPECT_EQ(dialog_.GetHWND(), nullptr);
  ASSERT_FALSE(ownerEnabledDuring_.empty());
  EXPECT_FALSE(ownerEnabledDuring_.front()) << "the owner is disabled while the dialog runs";
  EXPECT_TRUE(host_.IsEnabled(owner_.GetHWND()));
  EXPECT_EQ(host_.GetFocus(), owner_.GetHWND());
  EXPECT_EQ(host_.GetActiveWindow(), owner_.GetHWND());
  host_.PumpPending();
  EXPECT_FALSE(host_.LastQuit().has_value());
}

TEST_F(ModalTest, WmCloseWithoutAResultGivesZero) {
  const int result = RunModal([&](int) { dialog_.PostMessage(WM_SYSCOMMAND, SC_CLOSE); });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(dialog_.GetHWND(), nullptr);
  EXPECT_TRUE(host_.IsEnabled(owner_.GetHWND()));
  EXPECT_EQ(host_.GetFocus(), owner_.GetHWND());
}

TEST_F(ModalTest, QuitDuringTheLoopEndsItAndIsPostedAgain) {
  const int result = RunModal([&](int step) {
    if (step == 0) dialog_.PostMessage(WM_USER + 3);
    if (step == 1) host_.PostQuitMessage(4);
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Count(dialog_.seen, WM_USER + 3), 1) << "messages are dispatched meanwhile";
  EXPECT_NE(dialog_.GetHWND(), nullptr) << "the window stays";
  EXPECT_TRUE(host_.IsEnabled(owner_.GetHWND()));
  host_.PumpPending();
  ASSERT_TRUE(host_.LastQuit().has_value());
  EXPECT_EQ(*host_.LastQuit(), 4);
}

TEST_F(ModalTest, WindowDeletedByItsFinalMessageEndsTheLoopSafely) {
  // A dialog that deletes itself when its window goes, as dialogs often do.
  class SelfDeleting : public RecordingWnd {
   public:
    SelfDeleting() : RecordingWnd(L"ZuiSelfDeleting") {}
    void OnFinalMessage(WindowHandle) override { delete this; }
  };
  auto* dialog = new SelfDeleting();
  ASSERT_NE(dialog->Create(owner_.GetHWND(), L"", WS_POPUP, 0, {0, 0, 50, 50}), nullptr);
  host_.SetIdleHandler([dialog] { dialog->Close(5); });
  EXPECT_EQ(dialog->ShowModal(), 5);
  host_.SetIdleHandler({});
  EXPECT_TRUE(host_.IsEnabled(owner_.GetHWND()));
}

TEST_F(WindowWndTest, CentreOverTheOwnerOrTheWorkAreaKeptInside) {
  RecordingWnd owner(L"ZuiCentreOwner");
  RecordingWnd wnd(L"ZuiCentred");
  owner.Create(nullptr, L"", WS_POPUP, 0, {100, 100, 601, 501});
  wnd.Create(owner.GetHWND(), L"", WS_POPUP, 0, {0, 0, 200, 100});
  wnd.CenterWindow();
  EXPECT_EQ(host_.GetWindowRect(wnd.GetHWND()), (Rect{250, 250, 450, 350}));

  host_.MoveHostWindow(owner.GetHWND(), {-300, -200, 100, 0}, true);
  wnd.CenterWindow();
  EXPECT_EQ(host_.GetWindowRect(wnd.GetHWND()), (Rect{0, 0, 200, 100})) << "kept off the left and top edges";
  host_.MoveHostWindow(owner.GetHWND(), {1800, 1000, 2100, 1200}, true);
  wnd.CenterWindow();
  EXPECT_EQ(host_.GetWindowRect(wnd.GetHWND()), (Rect{1720, 940, 1920, 1040})) << "and off the right and bottom";

  RecordingWnd alone(L"ZuiAlone");
  alone.Create(nullptr, L"", WS_POPUP, 0, {0, 0, 400, 200});
  alone.CenterWindow();
  EXPECT_EQ(host_.GetWindowRect(alone.GetHWND()), (Rect{760, 420, 1160, 620})) << "centred in the work area";
  host_.MoveHostWindow(alone.GetHWND(), {0, 0, 2400, 300}, true);
  alone.CenterWindow();
  EXPECT_EQ(host_.GetWindowRect(alone.GetHWND()).left, 0) << "wider than the work area: its left edge";
}

TEST_F(WindowWndTest, IconFromTheResourceNumber) {
  RecordingWnd wnd;
  wnd.Create(nullptr, L"", WS_POPUP, 0, {0, 0, 10, 10});
  EXPECT_TRUE(wnd.SetIcon(138));
  EXPECT_EQ(host_.IconId(wnd.GetHWND()), 138);
  EXPECT_FALSE(wnd.SetIcon(0));
  EXPECT_EQ(host_.IconId(wnd.GetHWND()), 138);
}

}  // namespace
}  // namespace zui
