// Pixels the host puts on the screen, read back from the screen itself: the
// paint cycle's frame, a partial present outside a paint, and the per-pixel
// alpha content of a layered window.

#include <gtest/gtest.h>

#include "win32_test_support.h"

namespace ztest {
namespace {

class Win32PaintTest : public ::testing::Test {
 protected:
  ~Win32PaintTest() override {
    for (zui::WindowHandle w : made_)
      if (host_.IsHostWindow(w)) host_.DestroyHostWindow(w);
  }
  zui::WindowHandle Show(Recorder& recorder, const zui::Rect& screen, uint32_t exStyle = 0) {
    zui::WindowHandle w = MakeRecordingWindow(host_, recorder, screen, exStyle);
    made_.push_back(w);
    host_.ShowHostWindow(w, SW_SHOWNOACTIVATE);
    return w;
  }

  zui::Win32Host host_;
  zui::ScopedHost scope_{host_};
  std::vector<zui::WindowHandle> made_;
};

TEST_F(Win32PaintTest, PaintedFrameIsOnTheScreenPixelForPixel) {
  const zui::Rect screen{60, 50, 60 + 160, 50 + 90};
  const zui::Bitmap pattern = Pattern(160, 90);
  Recorder recorder;
  recorder.paintWith = &pattern;
  Show(recorder, screen);
  ASSERT_TRUE(PumpUntil(host_, [&] { return recorder.Saw(WM_PAINT); }));
  PumpFor(host_, 100);

  const zui::Bitmap shown = GrabScreen(screen);
  SaveArtifact(shown, "win32_present_pattern");
  EXPECT_EQ(CountDifferentPixels(shown, pattern), 0);
  // The paint validated the window: nothing asks to be painted again.
  const int paints = recorder.Count(WM_PAINT);
  PumpFor(host_, 150);
  EXPECT_EQ(recorder.Count(WM_PAINT), paints);
}

TEST_F(Win32PaintTest, PresentOutsideAPaintChangesOnlyTheGivenArea) {
  const zui::Rect screen{300, 60, 300 + 120, 60 + 80};
  const zui::Bitmap pattern = Pattern(120, 80);
  Recorder recorder;
  recorder.paintWith = &pattern;
  zui::WindowHandle w = Show(recorder, screen);
  ASSERT_TRUE(PumpUntil(host_, [&] { return recorder.Saw(WM_PAINT); }));

  zui::Bitmap changed = pattern;
  const zui::Rect area{30, 20, 70, 50};
  for (int y = 0; y < changed.height(); ++y)
    for (int x = 0; x < changed.width(); ++x) changed.at(x, y) = 0xFF10A040;
  host_.Present(w, changed, area);
  PumpFor(host_, 100);

  zui::Bitmap expected = pattern;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) expected.at(x, y) = 0xFF10A040;
  EXPECT_EQ(CountDifferentPixels(GrabScreen(screen), expected), 0);

  // An area reaching past the frame is clipped to it, not read beyond it.
  host_.Present(w, changed, {100, 60, 400, 400});
  PumpFor(host_, 50);
  EXPECT_EQ(GrabScreen(screen).at(119, 79) & 0xFFFFFF, 0x10A040u);
}

TEST_F(Win32PaintTest, LayeredWindowTakesTheBitmapsSizePositionAndPixels) {
  // An opaque backdrop, so what shows through the layered window is known.
  const zui::Bitmap backdropPixels(200, 160, 0xFF202020);
  Recorder backdrop;
  backdrop.paintWith = &backdropPixels;
  Show(backdrop, {500, 300, 700, 460});
  ASSERT_TRUE(PumpUntil(host_, [&] { return backdrop.Saw(WM_PAINT); }));

  Recorder recorder;
  zui::WindowHandle w = Show(recorder, {0, 0, 10, 10}, WS_EX_LAYERED | WS_EX_NOACTIVATE);
  // Opaque blue, then fully transparent, then half-transparent white
  // (premultiplied: 0x80 in every channel).
  zui::Bitmap content(80, 50, 0);
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 40; ++x) content.at(x, y) = 0xFF3050E0;
    for (int x = 60; x < 80; ++x) content.at(x, y) = 0x80808080;
  }
  host_.UpdateLayered(w, content, {540, 330});
  PumpFor(host_, 150);

  EXPECT_EQ(host_.GetWindowRect(w), (zui::Rect{540, 330, 620, 380}));
  const zui::Bitmap shown = GrabScreen({540, 330, 620, 380});
  SaveArtifact(shown, "win32_layered");
  int opaqueWrong = 0, clearWrong = 0;
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 60; ++x) {
      const uint32_t p = shown.at(x, y) & 0xFFFFFF;
      if (x < 40 && p != 0x3050E0) ++opaqueWrong;
      if (x >= 40 && p != 0x202020) ++clearWrong;
    }
  }
  EXPECT_EQ(opaqueWrong, 0);
  EXPECT_EQ(clearWrong, 0);
  // Blended over the backdrop's 0x20 that is 0x80 + 0x20 * (255 - 0x80) / 255
  // = 0x8F. Wine on an X server without a compositor shows the premultiplied
  // colour as it is (0x80) and uses alpha only as a shape. Either way the
  // pixels went over premultiplied: straight colour would show white.
  const uint32_t half = shown.at(70, 25) & 0xFFFFFF;
  auto grey = [half](int low, int high) {
    for (int shift = 0; shift < 24; shift += 8) {
      const int c = static_cast<int>((half >> shift) & 0xFF);
      if (c < low || c > high) return false;
    }
    return true;
  };
  EXPECT_TRUE(grey(0x80, 0x80) || grey(0x8D, 0x91)) << std::hex << half;

  // New content of another size moves and resizes the window again.
  host_.UpdateLayered(w, zui::Bitmap(30, 20, 0xFFFFFFFF), {560, 340});
  PumpFor(host_, 100);
  EXPECT_EQ(host_.GetWindowRect(w), (zui::Rect{560, 340, 590, 360}));
  EXPECT_EQ(GrabScreen({560, 340, 590, 360}).at(15, 10) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(Win32PaintTest, InvalidatedAreaComesBackAsTheNextPaintsRectangle) {
  const zui::Bitmap pattern = Pattern(100, 60);
  Recorder recorder;
  recorder.paintWith = &pattern;
  zui::WindowHandle w = Show(recorder, {60, 400, 160, 460});
  ASSERT_TRUE(PumpUntil(host_, [&] { return recorder.Saw(WM_PAINT); }));
  PumpFor(host_, 50);
  const zui::Rect part{10, 20, 30, 25};
  host_.InvalidateRect(w, &part);
  const int before = recorder.Count(WM_PAINT);
  // Take the paint before the window does, to see what BeginPaint answers.
  zui::Rect begun;
  bool painted = false;
  ASSERT_TRUE(PumpUntil(
      host_, [&] { return painted; }, 3000,
      [&](zui::HostMessage& msg) {
        if (msg.message != WM_PAINT || msg.window != w) return false;
        begun = host_.BeginPaint(w);
        host_.EndPaint(w);
        painted = true;
        return true;
      }));
  EXPECT_EQ(begun, part);
  EXPECT_EQ(recorder.Count(WM_PAINT), before);
  // An EndPaint without a paint, or a second one, is harmless.
  host_.EndPaint(w);
}

}  // namespace
}  // namespace ztest
