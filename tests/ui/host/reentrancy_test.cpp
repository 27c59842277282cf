// A window procedure may destroy its own window while the emulation is in
// the middle of sending it something. Each case destroys the window from
// inside one sent message and then checks that the emulation neither
// touched the freed window (ASan would say so) nor kept talking to it, and
// that the host still works afterwards.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_window.h"

namespace zui {
namespace {

using test::RecordingWindows;

class DestroyedWhileSent : public ::testing::Test {
 protected:
  void SetUp() override { host.SetMonitorArea({{0, 0, 1600, 900}, {0, 0, 1600, 860}, true}); }

  // A shown window away from the screen origin, so placement changes move it.
  WindowHandle ShownWindow() {
    WindowHandle w = windows.Create({100, 100, 400, 300});
    host.ShowHostWindow(w, SW_SHOW);
    host.PumpPending();
    return w;
  }

  void DestroyOn(uint32_t message) {
    windows.Answer(message, [this](WindowHandle w, WPARAM_T, LPARAM_T) {
      host.DestroyHostWindow(w);
      return std::optional<LRESULT_T>(0);
    });
  }

  // The window is gone, heard WM_NCDESTROY once and nothing after it, and
  // nothing of the host still names it.
  void ExpectGoneCleanly(WindowHandle w, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(host.IsHostWindow(w));
    std::vector<uint32_t> got = windows.MessagesIgnoring(w, {});
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), static_cast<uint32_t>(WM_NCDESTROY));
    EXPECT_EQ(windows.Count(WM_NCDESTROY, w), 1);
    EXPECT_NE(host.GetActiveWindow(), w);
    EXPECT_NE(host.GetFocus(), w);
    EXPECT_NE(host.GetCapture(), w);

    windows.Reset();
    WindowHandle next = ShownWindow();
    EXPECT_EQ(host.GetActiveWindow(), next);
    host.DestroyHostWindow(next);
    windows.Reset();
  }

  HeadlessHost host;
  RecordingWindows windows{host};
};

TEST_F(DestroyedWhileSent, MaximizeSurvivesEachMessageItSends) {
  for (uint32_t message : {WM_GETMINMAXINFO, WM_MOVE, WM_SIZE}) {
    WindowHandle w = ShownWindow();
    DestroyOn(message);
    host.ShowHostWindow(w, SW_SHOWMAXIMIZED);
    ExpectGoneCleanly(w, "maximize, message " + std::to_string(message));
  }
  // From minimised after maximised, restoring maximises again.
  WindowHandle w = ShownWindow();
  host.ShowHostWindow(w, SW_SHOWMAXIMIZED);
  host.ShowHostWindow(w, SW_MINIMIZE);
  DestroyOn(WM_GETMINMAXINFO);
  host.SendMessage(w, WM_SYSCOMMAND, SC_RESTORE, 0);
  ExpectGoneCleanly(w, "restore to maximized");
}

TEST_F(DestroyedWhileSent, MinimizeSurvivesEachMessageItSends) {
  for (uint32_t message : {WM_MOVE, WM_SIZE, WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS}) {
    WindowHandle w = ShownWindow();
    DestroyOn(message);
    host.SendMessage(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ExpectGoneCleanly(w, "minimize, message " + std::to_string(message));
  }
}

TEST_F(DestroyedWhileSent, RestoreSurvivesEachMessageItSends) {
  for (uint32_t message : {WM_MOVE, WM_SIZE}) {
    WindowHandle w = ShownWindow();
    host.ShowHostWindow(w, SW_SHOWMAXIMIZED);
    DestroyOn(message);
    host.ShowHostWindow(w, SW_RESTORE);
    ExpectGoneCleanly(w, "restore, message " + std::to_string(message));
  }
  // Shown for the first time straight into the normal state.
  WindowHandle hidden = windows.Create({100, 100, 400, 300});
  DestroyOn(WM_SHOWWINDOW);
  host.ShowHostWindow(hidden, SW_SHOWNORMAL);
  ExpectGoneCleanly(hidden, "restore from hidden");
}

TEST_F(DestroyedWhileSent, LayeredContentAndDisablingSurviveTheirMessages) {
  WindowHandle w = ShownWindow();
  DestroyOn(WM_MOVE);
  host.UpdateLayered(w, Bitmap(20, 10), {500, 500});
  ExpectGoneCleanly(w, "layered content moves the window");

  w = ShownWindow();
  ASSERT_EQ(host.GetFocus(), w);
  DestroyOn(WM_KILLFOCUS);
  host.EnableHostWindow(w, false);
  ExpectGoneCleanly(w, "disabling takes the focus");

  w = ShownWindow();
  host.SetCapture(w);
  host.SetFocus(nullptr);
  DestroyOn(WM_CAPTURECHANGED);
  host.EnableHostWindow(w, false);
  ExpectGoneCleanly(w, "disabling takes the capture");
}

}  // namespace
}  // namespace zui
