// The emulation and its backend: what reaches the platform for a window's
// life, and what the platform's own reports turn into. A scripted backend
// stands in for SDL here; the real one is exercised under a display.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_window.h"
#include "ui/host/emulated/emulated_host.h"

namespace zui {
namespace {

using test::RecordingWindows;
using ::testing::ElementsAre;

class ScriptedBackend : public IHostBackend {
 public:
  void Attach(IHostEvents* events) override { this->events = events; }
  bool CreateSurface(WindowHandle w, const SurfaceDesc& desc) override {
    calls.push_back("create " + std::to_string(desc.rect.Width()) + "x" + std::to_string(desc.rect.Height()));
    surfaces.push_back(w);
    return refuseSurfaces == 0 || --refuseSurfaces < 0;
  }
  void DestroySurface(WindowHandle) override { calls.push_back("destroy"); }
  void MoveSurface(WindowHandle, const Rect& r) override {
    calls.push_back("move " + std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.Width()) +
                    "x" + std::to_string(r.Height()));
  }
  void ShowSurface(WindowHandle, bool show, bool activate) override {
    calls.push_back(std::string(show ? "show" : "hide") + (activate ? " active" : ""));
  }
  void SetSurfaceTitle(WindowHandle, std::wstring_view) override { calls.push_back("title"); }
  void SetSurfaceRegion(WindowHandle, const Rect* r, Size) override { calls.push_back(r ? "region" : "no region"); }
  void SetSurfaceOpacity(WindowHandle, uint8_t) override {}
  void SetSurfaceEnabled(WindowHandle, bool enabled) override { calls.push_back(enabled ? "enable" : "disable"); }
  bool SetSurfaceIcon(WindowHandle, int id) override { return id == 138; }
  void PlaceSurfaceBehind(WindowHandle, WindowHandle) override {}
  void Present(WindowHandle, const Bitmap&, const Rect& area) override { presented.push_back(area); }
  void PresentLayered(WindowHandle, const Bitmap&, Point) override {}
  void BeginMoveSize(WindowHandle, int hit) override { calls.push_back("movesize " + std::to_string(hit)); }
  uint32_t Now() const override { return now; }
  void WaitForEvents(std::optional<uint32_t> timeout) override {
    waits.push_back(timeout);
    // The platform's clock runs on while the loop waits.
    if (timeout) now += *timeout;
    if (onWait) onWait();
  }
  void Wake() override { ++wakes; }
  bool TextComesSeparately() const override { return textSeparately; }
  void SetCursor(int) override {}
  MonitorArea MonitorFor(const Rect&) const override { return {{0, 0, 800, 600}, {0, 0, 800, 560}, true}; }
  int MessageBox(WindowHandle, std::wstring_view, std::wstring_view, uint32_t) override { return IDOK; }

  IHostEvents* events = nullptr;
  std::vector<std::string> calls;
  std::vector<WindowHandle> surfaces;
  std::vector<Rect> presented;
  std::vector<std::optional<uint32_t>> waits;
  std::function<void()> onWait;
  uint32_t now = 1000;
  int wakes = 0;
  int refuseSurfaces = 0;
  bool textSeparately = false;
};

class EmulatedBackend : public ::testing::Test {
 protected:
  EmulatedBackend() : backend(*new ScriptedBackend), host(std::unique_ptr<IHostBackend>(&backend)) {}

  WindowHandle ShownWindow() {
    WindowHandle w = windows.Create({10, 20, 110, 70});
    host.ShowHostWindow(w, SW_SHOWNORMAL);
    host.PumpPending();
    backend.calls.clear();
    backend.waits.clear();
    windows.Clear();
    return w;
  }

  ScriptedBackend& backend;
  EmulatedHost host;
  ScopedHost scope{host};
  RecordingWindows windows{host};
};

TEST_F(EmulatedBackend, TopLevelWindowsHaveASurfaceThatFollowsThem) {
  WindowHandle w = windows.Create({10, 20, 110, 70});
  WindowHandle child = windows.Create({0, 0, 5, 5}, WS_CHILD | WS_VISIBLE, w);
  ASSERT_NE(child, nullptr);
  EXPECT_THAT(backend.calls, ElementsAre("create 100x50"));  // none for the child

  host.ShowHostWindow(w, SW_SHOWNORMAL);
  host.MoveHostWindow(w, {30, 40, 230, 140}, true);
  Rect round{0, 0, 201, 101};
  host.SetRoundRegion(w, &round, {6, 6});
  host.EnableHostWindow(w, false);
  host.EnableHostWindow(w, true);
  host.SendMessage(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM_T>(L"new title"));
  host.ShowHostWindow(w, SW_MINIMIZE);
  host.ShowHostWindow(w, SW_RESTORE);
  EXPECT_TRUE(host.SetIcon(w, 138));
  EXPECT_FALSE(host.SetIcon(w, 7));
  EXPECT_EQ(host.IconId(w), 138);
  host.DestroyHostWindow(w);
  EXPECT_THAT(backend.calls, ElementsAre("create 100x50", "show active", "move 30,40 200x100", "region", "disable",
                                         "enable", "title", "hide", "move 30,40 200x100", "show active", "destroy"));
}

TEST_F(EmulatedBackend, ARefusedSurfaceMeansNoWindow) {
  backend.refuseSurfaces = 1;
  EXPECT_EQ(windows.Create({0, 0, 10, 10}), nullptr);
  EXPECT_EQ(host.WindowCount(), 0u);
  EXPECT_TRUE(windows.All().empty());  // the proc never heard of it
}

TEST_F(EmulatedBackend, ThePlatformsMovesAndSizesAreTakenWithoutEcho) {
  WindowHandle w = ShownWindow();
  backend.events->OnSurfaceMoved(w, {300, 200});
  backend.events->OnSurfaceResized(w, {150, 80});
  EXPECT_TRUE(backend.calls.empty());
  EXPECT_EQ(host.GetWindowRect(w), (Rect{300, 200, 450, 280}));
  EXPECT_EQ(windows.Of(WM_MOVE).back().lParam, MakeLParam(300, 200));
  EXPECT_EQ(windows.Of(WM_SIZE).back().lParam, MakeLParam(150, 80));
  host.PumpPending();
  EXPECT_EQ(windows.Count(WM_PAINT, w), 1);  // the new part is painted
}

TEST_F(EmulatedBackend, PlatformInputIsCookedLikeSynthesisedInput) {
  WindowHandle w = ShownWindow();
  windows.Answer(WM_NCHITTEST, [](WindowHandle, WPARAM_T, LPARAM_T l) {
    return std::optional<LRESULT_T>(LParamY(l) < 30 ? HTCAPTION : HTCLIENT);
  });
  EXPECT_EQ(backend.events->HitTest(w, {5, 5}), HTCAPTION);  // screen y 25
  EXPECT_EQ(backend.events->HitTest(w, {5, 15}), HTCLIENT);

  backend.events->OnMouseButton(w, {5, 15}, VK_LBUTTON, true, false);
  backend.events->OnMouseButton(w, {5, 15}, VK_LBUTTON, false, false);
  backend.events->OnMouseButton(w, {5, 5}, VK_LBUTTON, true, false);
  host.PumpPending();
  ASSERT_EQ(windows.Count(WM_LBUTTONDOWN, w), 1);
  EXPECT_EQ(windows.Of(WM_LBUTTONDOWN, w)[0].lParam, MakeLParam(5, 15));
  EXPECT_EQ(windows.Count(WM_LBUTTONUP, w), 1);
  EXPECT_THAT(backend.calls, ElementsAre("movesize 2"));  // the caption press asks the platform to move
}

TEST_F(EmulatedBackend, TypedTextIsNotMadeTwiceWhenThePlatformSendsIt) {
  WindowHandle w = ShownWindow();
  backend.textSeparately = true;
  backend.events->OnKey('A', true);
  backend.events->OnText(L"a");
  backend.events->OnKey('A', false);
  backend.events->OnKey(VK_RETURN, true);
  backend.events->OnKey(VK_RETURN, false);
  host.PumpPending();
  std::vector<WPARAM_T> chars;
  for (const auto& r : windows.Of(WM_CHAR, w)) chars.push_back(r.wParam);
  EXPECT_THAT(chars, ElementsAre(WPARAM_T{'a'}, WPARAM_T{'\r'}));
}

TEST_F(EmulatedBackend, ActivationAndCloseComeFromThePlatform) {
  WindowHandle w = ShownWindow();
  WindowHandle other = windows.Create({0, 0, 10, 10}, WS_POPUP | WS_VISIBLE);
  EXPECT_EQ(host.GetActiveWindow(), other);
  backend.events->OnSurfaceActivated(w, true);
  EXPECT_EQ(host.GetActiveWindow(), w);
  EXPECT_EQ(host.GetFocus(), w);
  backend.events->OnSurfaceActivated(w, false);
  EXPECT_EQ(host.GetActiveWindow(), nullptr);
  host.EnableHostWindow(other, false);
  backend.events->OnSurfaceActivated(other, true);  // a disabled owner stays inactive
  EXPECT_EQ(host.GetActiveWindow(), nullptr);

  backend.events->OnSurfaceCloseRequested(w);
  host.PumpPending();
  EXPECT_EQ(windows.Count(WM_CLOSE, w), 1);
  EXPECT_FALSE(host.IsHostWindow(w));  // the default close destroyed it
}

TEST_F(EmulatedBackend, TheLoopWaitsUntilTheNextTimerAndOnlyThen) {
  WindowHandle w = ShownWindow();
  host.SetTimer(w, 7, 250);
  host.SetTimer(w, 8, 100);
  HostMessage msg;
  ASSERT_TRUE(host.GetMessage(msg));
  EXPECT_EQ(msg.message, static_cast<uint32_t>(WM_TIMER));
  EXPECT_EQ(msg.wParam, 8u);
  EXPECT_THAT(backend.waits, ElementsAre(std::optional<uint32_t>(100)));

  host.KillTimer(w, 7);
  host.KillTimer(w, 8);
  backend.waits.clear();
  backend.onWait = [&] { host.PostQuitMessage(3); };
  EXPECT_FALSE(host.GetMessage(msg));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_THAT(backend.waits, ElementsAre(std::nullopt));  // nothing due: no timeout at all
}

}  // namespace
}  // namespace zui
