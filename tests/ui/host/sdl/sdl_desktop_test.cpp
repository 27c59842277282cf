// Real windows of the SDL host on an X display with a window manager (run
// through tests/support/desktop-session). Every expectation waits a bounded
// time while pumping, because the X server, openbox and xdotool are other
// processes.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "desktop_tools.h"
#include "ui/host/icon_resources.h"
#include "ui/host/sdl/sdl_host.h"

namespace zui {
namespace {

using namespace ztest::desktop;
using Clock = std::chrono::steady_clock;

struct Received {
  WindowHandle window;
  uint32_t message;
  WPARAM_T wParam;
  LPARAM_T lParam;
  Clock::time_point when;
};

class SdlDesktop;
SdlDesktop* current = nullptr;

class SdlDesktop : public ::testing::Test {
 protected:
  using Responder = std::function<std::optional<LRESULT_T>(WindowHandle, uint32_t, WPARAM_T, LPARAM_T)>;

  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
      if (std::getenv("ZAVIZ_DESKTOP_SESSION") != nullptr) FAIL() << "the desktop session has no DISPLAY";
      GTEST_SKIP() << "no display: run through tests/support/desktop-session";
    }
    std::string error;
    host_ = CreateSdlHost(error);
    ASSERT_NE(host_, nullptr) << error;
    scoped_ = std::make_unique<ScopedHost>(*host_);
    current = this;
    ASSERT_TRUE(host_->RegisterWindowClass({L"SdlProbe", CS_DBLCLKS, &SdlDesktop::Proc}));
  }

  void TearDown() override {
    if (host_) {
      for (WindowHandle w : windows_) {
        if (host_->IsHostWindow(w)) host_->DestroyHostWindow(w);
      }
      PumpFor(*host_, 20);
    }
    windows_.clear();
    scoped_.reset();
    host_.reset();
    current = nullptr;
  }

  static LRESULT_T Proc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
    SdlDesktop& self = *current;
    self.log_.push_back({window, message, wParam, lParam, Clock::now()});
    if (self.responder_) {
      if (std::optional<LRESULT_T> answer = self.responder_(window, message, wParam, lParam)) return *answer;
    }
    if (message == WM_PAINT) {
      self.host_->BeginPaint(window);
      auto it = self.frames_.find(window);
      if (it != self.frames_.end()) {
        self.host_->Present(window, it->second, Rect{0, 0, it->second.width(), it->second.height()});
      }
      self.host_->EndPaint(window);
      return 0;
    }
    if (message == WM_CLOSE) return 0;  // recorded; the test decides
    return self.host_->DefaultProc(window, message, wParam, lParam);
  }

  // A shown top-level window titled `title` (unique per test), painted
  // with `fill` until the test gives it another frame.
  WindowHandle Show(const std::string& title, Rect rect, uint32_t fill = 0xFF3070B0, WindowHandle owner = nullptr,
                    bool activate = true) {
    HostWindowDesc desc;
    desc.className = L"SdlProbe";
    desc.title = std::wstring(title.begin(), title.end());
    desc.style = WS_POPUP;
    desc.rect = rect;
    desc.parent = owner;
    WindowHandle window = host_->CreateHostWindow(desc, nullptr);
    if (window == nullptr) return nullptr;
    windows_.push_back(window);
    frames_[window] = Bitmap(rect.Width(), rect.Height(), fill);
    host_->ShowHostWindow(window, activate ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
    return window;
  }

  std::vector<Received> Of(uint32_t message, WindowHandle window = nullptr) const {
    std::vector<Received> out;
    for (const Received& r : log_) {
      if (r.message == message && (window == nullptr || r.window == window)) out.push_back(r);
    }
    return out;
  }
  int Count(uint32_t message, WindowHandle window = nullptr) const {
    return static_cast<int>(Of(message, window).size());
  }
  bool WaitFor(const std::function<bool()>& done, int ms = 3000) { return PumpUntil(*host_, done, ms); }
  std::string Title(const char* base) const { return std::string(base) + "-" + std::to_string(getpid()); }

  std::unique_ptr<IUiHost> host_;
  std::unique_ptr<ScopedHost> scoped_;
  std::vector<WindowHandle> windows_;
  std::map<WindowHandle, Bitmap> frames_;
  std::vector<Received> log_;
  Responder responder_;
};

Bitmap Pattern(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      b.at(x, y) = 0xFF000000u | (static_cast<uint32_t>(x * 255 / w) << 16) |
                   (static_cast<uint32_t>(y * 255 / h) << 8) | static_cast<uint32_t>((x ^ y) & 0xFF);
    }
  }
  return b;
}

TEST_F(SdlDesktop, ShownWindowHasItsSizeAndShowsThePresentedPixels) {
  const std::string title = Title("zsdl-present");
  WindowHandle window = Show(title, {100, 100, 584, 406});
  ASSERT_NE(window, nullptr);
  frames_[window] = Pattern(484, 306);
  host_->InvalidateRect(window, nullptr);
  std::optional<unsigned long> x = FindXWindow(*host_, title);
  ASSERT_TRUE(x.has_value());
  PumpFor(*host_, 200);

  std::optional<Rect> geometry = XGeometry(*host_, *x);
  ASSERT_TRUE(geometry.has_value());
  EXPECT_EQ(geometry->Width(), 484);
  EXPECT_EQ(geometry->Height(), 306);
  EXPECT_EQ(geometry->left, 100);
  EXPECT_EQ(geometry->top, 100);

  Bitmap shot = Screenshot(*host_, *x, "sdl_present.png");
  ASSERT_EQ(shot.width(), 484);
  ASSERT_EQ(shot.height(), 306);
  const long differing = DifferentPixels(shot, frames_[window]);
  std::printf("present: %ld of %d pixels differ\n", differing, 484 * 306);
  EXPECT_EQ(differing, 0);

  // A partial present changes that area only; the rest keeps its pixels.
  const Rect area{50, 60, 150, 120};
  Bitmap solid(484, 306, 0xFF20C040);
  Bitmap expected = frames_[window];
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x2 = area.left; x2 < area.right; ++x2) expected.at(x2, y) = 0xFF20C040;
  }
  frames_[window] = expected;  // what a repaint would show anyway
  host_->Present(window, solid, area);
  PumpFor(*host_, 100);
  Bitmap partial = Screenshot(*host_, *x, "sdl_present_partial.png");
  const long partialDiffering = DifferentPixels(partial, expected);
  std::printf("partial present: %ld pixels differ\n", partialDiffering);
  EXPECT_EQ(partialDiffering, 0);
}

TEST_F(SdlDesktop, RoundRegionCutsTheCorners) {
  const std::string title = Title("zsdl-region");
  const Rect rect{300, 300, 500, 420};
  WindowHandle window = Show(title, rect, 0xFFE01010);
  ASSERT_NE(window, nullptr);
  const Rect region{0, 0, 201, 121};
  host_->SetRoundRegion(window, &region, {40, 40});
  ASSERT_TRUE(FindXWindow(*host_, title).has_value());
  PumpFor(*host_, 200);
  Bitmap screen = ScreenshotOfScreen(*host_, rect, "sdl_region.png");
  ASSERT_EQ(screen.width(), 200);
  ASSERT_EQ(screen.height(), 120);
  auto red = [&](int x, int y) { return (screen.at(x, y) & 0xFFFFFF) == 0xE01010; };
  EXPECT_TRUE(red(100, 60));
  EXPECT_TRUE(red(0, 60));
  EXPECT_TRUE(red(199, 60));
  EXPECT_TRUE(red(100, 0));
  EXPECT_FALSE(red(0, 0));
  EXPECT_FALSE(red(199, 0));
  EXPECT_FALSE(red(0, 119));
  EXPECT_FALSE(red(199, 119));
}

TEST_F(SdlDesktop, CaptionBandDragsTheWindowClientBandClicks) {
  const std::string title = Title("zsdl-drag");
  responder_ = [this](WindowHandle w, uint32_t message, WPARAM_T, LPARAM_T lParam) -> std::optional<LRESULT_T> {
    if (message != WM_NCHITTEST) return std::nullopt;
    Point client = host_->ScreenToClient(w, {LParamX(lParam), LParamY(lParam)});
    return client.y < 40 ? HTCAPTION : HTCLIENT;
  };
  WindowHandle window = Show(title, {200, 200, 500, 400});
  ASSERT_NE(window, nullptr);
  std::optional<unsigned long> x = FindXWindow(*host_, title);
  ASSERT_TRUE(x.has_value());
  PumpFor(*host_, 200);
  const std::string id = std::to_string(*x);

  ASSERT_EQ(RunWhilePumping(*host_, "xdotool mousemove --window " + id +
                                        " 60 20 mousedown 1 sleep 0.2 mousemove_relative --sync 40 30 sleep 0.2 "
                                        "mouseup 1"),
            0);
  EXPECT_TRUE(WaitFor([&] {
    return host_->GetWindowRect(window).left == 240 && host_->GetWindowRect(window).top == 230;
  })) << "the host has the window at "
      << host_->GetWindowRect(window).left << "," << host_->GetWindowRect(window).top;
  std::optional<Rect> moved = XGeometry(*host_, *x);
  ASSERT_TRUE(moved.has_value());
  EXPECT_EQ(moved->left, 240);
  EXPECT_EQ(moved->top, 230);
  EXPECT_EQ(Count(WM_LBUTTONDOWN, window), 0) << "the window manager's drag is not a click";

  log_.clear();
  ASSERT_EQ(RunWhilePumping(*host_, "xdotool mousemove --window " + id +
                                        " 60 120 mousedown 1 sleep 0.2 mousemove_relative --sync 40 30 sleep 0.2 "
                                        "mouseup 1"),
            0);
  ASSERT_TRUE(WaitFor([&] { return Count(WM_LBUTTONUP, window) == 1; }));
  std::optional<Rect> still = XGeometry(*host_, *x);
  ASSERT_TRUE(still.has_value());
  EXPECT_EQ(still->left, 240);
  EXPECT_EQ(still->top, 230);
  ASSERT_EQ(Count(WM_LBUTTONDOWN, window), 1);
  const Received down = Of(WM_LBUTTONDOWN, window)[0];
  const Received up = Of(WM_LBUTTONUP, window)[0];
  EXPECT_EQ(LParamX(down.lParam), 60);
  EXPECT_EQ(LParamY(down.lParam), 120);
  EXPECT_EQ(LParamX(up.lParam), 100);
  EXPECT_EQ(LParamY(up.lParam), 150);
}

TEST_F(SdlDesktop, MouseMoveHoverAndLeave) {
  const std::string title = Title("zsdl-hover");
  bool tracking = false;
  responder_ = [&](WindowHandle w, uint32_t message, WPARAM_T, LPARAM_T) -> std::optional<LRESULT_T> {
    if (message == WM_MOUSEMOVE && !tracking) {
      tracking = host_->TrackMouseEvent(w, 150);
    }
    return std::nullopt;
  };
  WindowHandle window = Show(title, {400, 200, 600, 350});
  ASSERT_NE(window, nullptr);
  std::optional<unsigned long> x = FindXWindow(*host_, title);
  ASSERT_TRUE(x.has_value());
  PumpFor(*host_, 200);

  ASSERT_EQ(RunWhilePumping(*host_, "xdotool mousemove --window " + std::to_string(*x) + " 50 40"), 0);
  ASSERT_TRUE(WaitFor([&] { return Count(WM_MOUSEHOVER, window) == 1; }));
  const std::vector<Received> moves = Of(WM_MOUSEMOVE, window);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(LParamX(moves.back().lParam), 50);
  EXPECT_EQ(LParamY(moves.back().lParam), 40);
  const auto hoverAfter =
      std::chrono::duration_cast<std::chrono::milliseconds>(Of(WM_MOUSEHOVER, window)[0].when - moves.back().when)
          .count();
  std::printf("hover after %lld ms (asked for 150)\n", static_cast<long long>(hoverAfter));
  EXPECT_GE(hoverAfter, 130);
  EXPECT_LE(hoverAfter, 1000);
  EXPECT_EQ(Count(WM_MOUSELEAVE, window), 0);

  ASSERT_EQ(RunWhilePumping(*host_, "xdotool mousemove 5 5"), 0);
  EXPECT_TRUE(WaitFor([&] { return Count(WM_MOUSELEAVE, window) == 1; }));
}

TEST_F(SdlDesktop, TypedTextArrivesAsCharactersAndKeysAsVirtualKeys) {
  const std::string title = Title("zsdl-keys");
  WindowHandle window = Show(title, {150, 450, 450, 600});
  ASSERT_NE(window, nullptr);
  std::optional<unsigned long> x = FindXWindow(*host_, title);
  ASSERT_TRUE(x.has_value());
  const std::string id = std::to_string(*x);
  RunWhilePumping(*host_, "xdotool windowactivate --sync " + id + " 2>/dev/null");
  ASSERT_TRUE(WaitFor([&] { return host_->GetActiveWindow() == window; }));
  host_->SetFocus(window);
  PumpFor(*host_, 100);
  log_.clear();

  ASSERT_EQ(RunWhilePumping(*host_, "xdotool type --delay 30 'Hi 5!'"), 0);
  std::wstring typed;
  ASSERT_TRUE(WaitFor([&] {
    typed.clear();
    for (const Received& r : Of(WM_CHAR, window)) typed.push_back(static_cast<wchar_t>(r.wParam));
    return typed.size() >= 5;
  }));
  PumpFor(*host_, 100);
  typed.clear();
  for (const Received& r : Of(WM_CHAR, window)) typed.push_back(static_cast<wchar_t>(r.wParam));
  EXPECT_EQ(typed, L"Hi 5!");

  // Characters beyond ASCII come as the UTF-16 units of what was typed.
  log_.clear();
  ASSERT_EQ(RunWhilePumping(*host_, "xdotool type --delay 60 '\xC3\xA9\xE4\xBF\xAE'"), 0);  // é修
  ASSERT_TRUE(WaitFor([&] { return Count(WM_CHAR, window) >= 2; }));
  PumpFor(*host_, 100);
  const std::vector<Received> wide = Of(WM_CHAR, window);
  ASSERT_EQ(wide.size(), 2u);
  EXPECT_EQ(wide[0].wParam, 0xE9u);
  EXPECT_EQ(wide[1].wParam, 0x4FEEu);

  log_.clear();
  ASSERT_EQ(RunWhilePumping(*host_, "xdotool key --delay 30 Escape F5 a Home Return"), 0);
  std::vector<int> keys;
  ASSERT_TRUE(WaitFor([&] {
    keys.clear();
    for (const Received& r : Of(WM_KEYDOWN, window)) keys.push_back(static_cast<int>(r.wParam));
    return keys.size() >= 5;
  }));
  EXPECT_EQ(keys, (std::vector<int>{VK_ESCAPE, 0x74, 'A', VK_HOME, VK_RETURN}));
  EXPECT_EQ(Count(WM_KEYUP, window), 5);
  // Return makes its character through TranslateMessage; 'a' through the
  // typed text; Escape its control character. No character twice.
  std::wstring chars;
  for (const Received& r : Of(WM_CHAR, window)) chars.push_back(static_cast<wchar_t>(r.wParam));
  EXPECT_EQ(chars, std::wstring(L"\x1b"
                                L"a\r"));
}

TEST_F(SdlDesktop, AltF4ReachesTheWindowAsClose) {
  const std::string title = Title("zsdl-altf4");
  WindowHandle window = Show(title, {600, 450, 800, 600});
  ASSERT_NE(window, nullptr);
  std::optional<unsigned long> x = FindXWindow(*host_, title);
  ASSERT_TRUE(x.has_value());
  RunWhilePumping(*host_, "xdotool windowactivate --sync " + std::to_string(*x) + " 2>/dev/null");
  ASSERT_TRUE(WaitFor([&] { return host_->GetActiveWindow() == window; }));
  ASSERT_EQ(RunWhilePumping(*host_, "xdotool key alt+F4"), 0);
  EXPECT_TRUE(WaitFor([&] { return Count(WM_CLOSE, window) >= 1; }));
  EXPECT_TRUE(host_->IsHostWindow(window)) << "WM_CLOSE answered without closing keeps the window";
}

TEST_F(SdlDesktop, PostMessageFromAnotherThreadWakesGetMessage) {
  auto waitForPost = [&](const char* what) {
    const auto start = Clock::now();
    std::thread poster([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      host_->PostMessage(nullptr, WM_USER + 7, 42, 0);
    });
    HostMessage msg;
    bool got = false;
    while (host_->GetMessage(msg)) {
      if (msg.message == WM_USER + 7) {
        got = true;
        break;
      }
      host_->DispatchMessage(msg);
    }
    poster.join();
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    std::printf("%s: woke after %lld ms\n", what, static_cast<long long>(waited));
    EXPECT_TRUE(got) << what;
    EXPECT_EQ(msg.wParam, 42u) << what;
    EXPECT_GE(waited, 140) << what;
    EXPECT_LT(waited, 2000) << what;
  };
  waitForPost("no window");
  const std::string title = Title("zsdl-wake");
  ASSERT_NE(Show(title, {50, 600, 250, 700}), nullptr);
  ASSERT_TRUE(FindXWindow(*host_, title).has_value());
  PumpFor(*host_, 200);
  waitForPost("with a window");
}

TEST_F(SdlDesktop, TimersFireOnTimeAndAnIdleLoopSleeps) {
  const std::string title = Title("zsdl-timer");
  WindowHandle window = Show(title, {700, 100, 900, 200});
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(FindXWindow(*host_, title).has_value());
  PumpFor(*host_, 300);

  ASSERT_TRUE(host_->SetTimer(window, 1, 100));
  std::vector<Clock::time_point> ticks;
  ticks.push_back(Clock::now());
  HostMessage msg;
  while (ticks.size() < 11 && host_->GetMessage(msg)) {
    if (msg.message == WM_TIMER && msg.wParam == 1) ticks.push_back(Clock::now());
    host_->DispatchMessage(msg);
  }
  host_->KillTimer(window, 1);
  ASSERT_EQ(ticks.size(), 11u);
  long long worst = 0;
  for (size_t i = 1; i < ticks.size(); ++i) {
    const long long gap = std::chrono::duration_cast<std::chrono::milliseconds>(ticks[i] - ticks[i - 1]).count();
    worst = std::max(worst, std::abs(gap - 100));
    EXPECT_GE(gap, 90) << "tick " << i;
    EXPECT_LE(gap, 250) << "tick " << i;
  }
  const long long total = std::chrono::duration_cast<std::chrono::milliseconds>(ticks.back() - ticks.front()).count();
  std::printf("10 ticks of 100 ms took %lld ms, worst gap off by %lld ms\n", total, worst);
  EXPECT_GE(total, 990);
  EXPECT_LE(total, 1300);

  // One second with nothing to do but wait for a timer: with the window
  // shown, and with every window hidden (where SDL has no window to wake).
  auto idle = [&](const char* what) {
    PumpFor(*host_, 50);
    EXPECT_TRUE(host_->SetTimer(window, 2, 1000));
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = Clock::now();
    HostMessage m;
    while (host_->GetMessage(m)) {
      host_->DispatchMessage(m);
      if (m.message == WM_TIMER && m.wParam == 2) break;
    }
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    host_->KillTimer(window, 2);
    auto micros = [](const timeval& t) { return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_usec; };
    const long long cpu =
        micros(after.ru_utime) - micros(before.ru_utime) + micros(after.ru_stime) - micros(before.ru_stime);
    const long long wall = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    std::printf("idle (%s): %lld us of CPU in %lld ms\n", what, cpu, wall);
    EXPECT_GE(wall, 900) << what;
    EXPECT_LT(cpu, 50000) << what << ": an idle GetMessage must sleep, not poll";
  };
  idle("window shown");
  host_->ShowHostWindow(window, SW_HIDE);
  idle("window hidden");
}

TEST_F(SdlDesktop, DisabledOwnerGetsNoMouseInputWhileItsOwnedWindowIsUp) {
  const std::string ownerTitle = Title("zsdl-owner");
  const std::string ownedTitle = Title("zsdl-owned");
  WindowHandle owner = Show(ownerTitle, {100, 100, 400, 300});
  ASSERT_NE(owner, nullptr);
  std::optional<unsigned long> ownerX = FindXWindow(*host_, ownerTitle);
  ASSERT_TRUE(ownerX.has_value());
  WindowHandle owned = Show(ownedTitle, {600, 100, 800, 250}, 0xFF808080, owner);
  ASSERT_NE(owned, nullptr);
  std::optional<unsigned long> ownedX = FindXWindow(*host_, ownedTitle);
  ASSERT_TRUE(ownedX.has_value());
  host_->EnableHostWindow(owner, false);
  PumpFor(*host_, 200);
  log_.clear();

  ASSERT_EQ(RunWhilePumping(*host_, "xdotool mousemove --window " + std::to_string(*ownerX) +
                                        " 50 50 click 1 sleep 0.1 mousemove_relative 10 10 click 1"),
            0);
  PumpFor(*host_, 400);
  EXPECT_EQ(Count(WM_LBUTTONDOWN, owner), 0);
  EXPECT_EQ(Count(WM_LBUTTONUP, owner), 0);
  EXPECT_EQ(Count(WM_MOUSEMOVE, owner), 0);
  std::optional<Rect> ownerGeometry = XGeometry(*host_, *ownerX);
  ASSERT_TRUE(ownerGeometry.has_value());
  EXPECT_EQ(ownerGeometry->left, 100);

  // The same clicks reach the owned window: input works, the owner is cut off.
  ASSERT_EQ(RunWhilePumping(*host_, "xdotool mousemove --window " + std::to_string(*ownedX) + " 20 20 click 1"), 0);
  EXPECT_TRUE(WaitFor([&] { return Count(WM_LBUTTONDOWN, owned) == 1; }));
  EXPECT_EQ(Count(WM_LBUTTONDOWN, owner), 0);
}

TEST_F(SdlDesktop, IconsComeFromTheIconTable) {
  const std::string title = Title("zsdl-icon");
  WindowHandle window = Show(title, {900, 500, 1000, 600});
  ASSERT_NE(window, nullptr);
  std::optional<unsigned long> x = FindXWindow(*host_, title);
  ASSERT_TRUE(x.has_value());
  EXPECT_FALSE(host_->SetIcon(window, 13801));
  RegisterIconResource(13801, Bitmap(2, 2, 0x80400000));  // half-transparent red, premultiplied
  EXPECT_TRUE(host_->SetIcon(window, 13801));
  PumpFor(*host_, 100);
  const std::string out = OutputWhilePumping(
      *host_, "xprop -id " + std::to_string(*x) + " -notype -f _NET_WM_ICON 32c _NET_WM_ICON 2>/dev/null");
  // Width, height, then straight ARGB: 0x80800000 = 2155872256.
  EXPECT_NE(out.find("= 2, 2, 2155872256, 2155872256, 2155872256, 2155872256"), std::string::npos) << out;
  RegisterIconResource(13801, Bitmap());
}

}  // namespace
}  // namespace zui

namespace zui {
namespace {

// Answers the next message box titled `title` with `key`, from another
// thread while the UI thread sits in MessageBox.
// Answers the next message box titled `title` with `key`, from another
// thread while the UI thread sits in MessageBox. (SDL's box is not found by
// `xdotool search`; it takes the focus, so it is found as the focus.)
std::thread AnswerMessageBox(const std::string& title, const std::string& key) {
  return std::thread([title, key] {
    for (int i = 0; i < 100; ++i) {
      FILE* pipe = popen("xdotool getwindowfocus getwindowname 2>/dev/null", "r");
      char line[256] = {};
      const bool read = pipe != nullptr && std::fgets(line, sizeof line, pipe) != nullptr;
      if (pipe != nullptr) pclose(pipe);
      if (read && std::string(line) == title + "\n") {
        std::system(("xdotool sleep 0.2 key " + key).c_str());
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
}

TEST_F(SdlDesktop, MessageBoxAnswersTheChosenButton) {
  const std::string caption = Title("zsdl-box");
  const std::wstring wideCaption(caption.begin(), caption.end());
  std::thread ok = AnswerMessageBox(caption, "Return");
  EXPECT_EQ(host_->MessageBox(nullptr, L"Proceed? 继续", wideCaption, MB_OKCANCEL | MB_ICONQUESTION), IDOK);
  ok.join();
  std::thread cancel = AnswerMessageBox(caption, "Escape");
  EXPECT_EQ(host_->MessageBox(nullptr, L"Proceed?", wideCaption, MB_OKCANCEL), IDCANCEL);
  cancel.join();
  // MB_DEFBUTTON2: Return takes No.
  std::thread no = AnswerMessageBox(caption, "Return");
  EXPECT_EQ(host_->MessageBox(nullptr, L"Really?", wideCaption, MB_YESNO | 0x100), IDNO);
  no.join();
}

}  // namespace
}  // namespace zui

namespace zui {
namespace {

TEST_F(SdlDesktop, WheelNotchesAndDoubleClicks) {
  const std::string title = Title("zsdl-wheel");
  WindowHandle window = Show(title, {500, 500, 700, 650});
  ASSERT_NE(window, nullptr);
  std::optional<unsigned long> x = FindXWindow(*host_, title);
  ASSERT_TRUE(x.has_value());
  PumpFor(*host_, 200);
  ASSERT_EQ(RunWhilePumping(*host_, "xdotool mousemove --window " + std::to_string(*x) +
                                        " 30 40 click 4 sleep 0.1 click 5 sleep 0.1 click --repeat 2 --delay 60 1"),
            0);
  ASSERT_TRUE(WaitFor([&] { return Count(WM_MOUSEWHEEL, window) == 2 && Count(WM_LBUTTONUP, window) == 2; }));
  const std::vector<Received> wheel = Of(WM_MOUSEWHEEL, window);
  EXPECT_EQ(static_cast<int16_t>(HighWord(wheel[0].wParam)), WHEEL_DELTA);
  EXPECT_EQ(static_cast<int16_t>(HighWord(wheel[1].wParam)), -WHEEL_DELTA);
  // The wheel's point is on the screen, as on Windows.
  EXPECT_EQ(LParamX(wheel[0].lParam), 530);
  EXPECT_EQ(LParamY(wheel[0].lParam), 540);
  EXPECT_EQ(Count(WM_LBUTTONDOWN, window), 1);
  EXPECT_EQ(Count(WM_LBUTTONDBLCLK, window), 1);
}

TEST_F(SdlDesktop, SizeBoxCornerResizesThroughTheWindowManager) {
  const std::string title = Title("zsdl-size");
  responder_ = [this](WindowHandle w, uint32_t message, WPARAM_T, LPARAM_T lParam) -> std::optional<LRESULT_T> {
    if (message != WM_NCHITTEST) return std::nullopt;
    const Point client = host_->ScreenToClient(w, {LParamX(lParam), LParamY(lParam)});
    const Rect size = host_->GetClientRect(w);
    return client.x >= size.right - 8 && client.y >= size.bottom - 8 ? HTBOTTOMRIGHT : HTCLIENT;
  };
  HostWindowDesc desc;
  desc.className = L"SdlProbe";
  desc.title = std::wstring(title.begin(), title.end());
  desc.style = WS_POPUP | WS_THICKFRAME;
  desc.rect = {100, 400, 300, 520};
  WindowHandle window = host_->CreateHostWindow(desc, nullptr);
  ASSERT_NE(window, nullptr);
  windows_.push_back(window);
  frames_[window] = Bitmap(200, 120, 0xFF406080);
  host_->ShowHostWindow(window, SW_SHOWNORMAL);
  std::optional<unsigned long> x = FindXWindow(*host_, title);
  ASSERT_TRUE(x.has_value());
  PumpFor(*host_, 200);

  ASSERT_EQ(RunWhilePumping(*host_, "xdotool mousemove --window " + std::to_string(*x) +
                                        " 197 117 mousedown 1 sleep 0.2 mousemove_relative --sync 40 30 sleep 0.2 "
                                        "mouseup 1"),
            0);
  EXPECT_TRUE(WaitFor([&] {
    return host_->GetClientRect(window) == Rect{0, 0, 240, 150};
  })) << "client "
      << host_->GetClientRect(window).right << "x" << host_->GetClientRect(window).bottom;
  std::optional<Rect> geometry = XGeometry(*host_, *x);
  ASSERT_TRUE(geometry.has_value());
  EXPECT_EQ(geometry->Width(), 240);
  EXPECT_EQ(geometry->Height(), 150);
  EXPECT_EQ(geometry->left, 100) << "sizing at the bottom right keeps the top left";
  bool sized = false;
  for (const Received& r : Of(WM_SIZE, window))
    sized = sized || (LowWord(r.lParam) == 240 && HighWord(r.lParam) == 150);
  EXPECT_TRUE(sized);

  // The new, larger surface shows a whole frame, not a blank strip.
  frames_[window] = Bitmap(240, 150, 0xFF406080);
  host_->InvalidateRect(window, nullptr);
  PumpFor(*host_, 200);
  Bitmap shot = Screenshot(*host_, *x, "sdl_resized.png");
  EXPECT_EQ(DifferentPixels(shot, frames_[window]), 0);
}

}  // namespace
}  // namespace zui
