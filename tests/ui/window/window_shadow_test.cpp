// The drop shadow of a skinned window: its window, its content in image and
// computed mode, and how it follows the window it belongs to.

#include "window_test_support.h"

#include <algorithm>

#include "tests/support/golden_image.h"
#include "ui/controls/control.h"
#include "ui/window/shadow_ui.h"

namespace ztest {
namespace {

using zui::Rect;

constexpr int kImageSize = 64;
constexpr int kCorner = 21;

class WindowShadowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    // Opaque red top-left corner, opaque green bottom-right corner, the rest
    // white at alpha 100.
    std::vector<uint8_t> rgba;
    for (int y = 0; y < kImageSize; ++y) {
      for (int x = 0; x < kImageSize; ++x) {
        const bool topLeft = x < kCorner && y < kCorner;
        const bool bottomRight = x >= kImageSize - kCorner && y >= kImageSize - kCorner;
        const uint8_t px[4] = {static_cast<uint8_t>(topLeft       ? 255
                                                    : bottomRight ? 0
                                                                  : 255),
                               static_cast<uint8_t>(topLeft ? 0 : 255),
                               static_cast<uint8_t>(topLeft || bottomRight ? 0 : 255),
                               static_cast<uint8_t>(topLeft || bottomRight ? 255 : 100)};
        rgba.insert(rgba.end(), px, px + 4);
      }
    }
    WriteBytes(dir_ / "img" / "shadow.png", EncodePng(kImageSize, kImageSize, rgba));
  }

  SkinWindow& OpenWithShadow(const std::wstring& shadowAttributes) {
    return Open(FramedSkin(L"size=\"300,200\" caption=\"0,0,0,40\" showshadow=\"true\" " + shadowAttributes));
  }
  zui::WindowHandle Shadow() const { return host_.FindHostWindow(zui::CShadowUI::kClassName); }
};

const std::wstring kImageShadow =
    L"shadowimage=\"img/shadow.png\" shadowcorner=\"21,21,21,21\" shadowsize=\"19\" shadowrect=\"1,2,3,4\"";

TEST_F(WindowShadowTest, ImageShadowIsALayeredPopupBehindTheWindowAroundIt) {
  SkinWindow& w = OpenWithShadow(kImageShadow);
  const zui::WindowHandle shadow = Shadow();
  ASSERT_NE(shadow, nullptr);
  EXPECT_EQ(host_.GetOwner(shadow), w.GetHWND());
  EXPECT_EQ(host_.GetStyle(shadow, true), static_cast<uint32_t>(WS_EX_LAYERED | WS_EX_TRANSPARENT));
  EXPECT_EQ(host_.GetStyle(shadow, false) & (WS_POPUP | WS_CHILD), static_cast<uint32_t>(WS_POPUP));
  EXPECT_TRUE(host_.IsVisible(shadow));
  EXPECT_EQ(host_.GetActiveWindow(), w.GetHWND()) << "the shadow never takes activation";
  EXPECT_EQ(host_.PlacedBehind(shadow), w.GetHWND());

  const zui::Bitmap* content = host_.LayeredContent(shadow);
  ASSERT_NE(content, nullptr);
  EXPECT_EQ(content->width(), 300 + 2 * 19 + 1 + 3);
  EXPECT_EQ(content->height(), 200 + 2 * 19 + 2 + 4);
  EXPECT_EQ(host_.GetWindowRect(shadow), (Rect{80, 79, 80 + 342, 79 + 244}));

  // The corners keep their size; the middle is stretched.
  EXPECT_EQ(content->at(0, 0), 0xFFFF0000u);
  EXPECT_EQ(content->at(kCorner - 1, kCorner - 1), 0xFFFF0000u);
  EXPECT_EQ(content->at(kCorner, kCorner) >> 24, 100u);
  EXPECT_EQ(content->at(content->width() - kCorner, content->height() - kCorner), 0xFF00FF00u);
  EXPECT_EQ(content->at(content->width() - kCorner - 1, content->height() - kCorner - 1) >> 24, 100u);
  EXPECT_EQ(content->at(content->width() / 2, content->height() / 2) >> 24, 100u);
}

TEST_F(WindowShadowTest, ShadowFollowsMovesAndSizes) {
  SkinWindow& w = OpenWithShadow(kImageShadow);
  const zui::WindowHandle shadow = Shadow();
  ASSERT_NE(shadow, nullptr);
  host_.MoveHostWindow(w.GetHWND(), {150, 130, 450, 330}, true);
  EXPECT_EQ(host_.GetWindowRect(shadow), (Rect{130, 109, 130 + 342, 109 + 244}));

  host_.MoveHostWindow(w.GetHWND(), {150, 130, 550, 430}, true);
  const zui::Bitmap* content = host_.LayeredContent(shadow);
  ASSERT_NE(content, nullptr);
  EXPECT_EQ(content->width(), 400 + 42);
  EXPECT_EQ(content->height(), 300 + 44);

  // A window move through the caption ends with the move loop's end.
  host_.ClickLeft(w.GetHWND(), {50, 20});
  Pump();
  EXPECT_EQ(host_.CaptionDragCount(), 1);
  EXPECT_EQ(host_.GetWindowRect(shadow).left, 130);
}

TEST_F(WindowShadowTest, HiddenWhileTheWindowIsMaximisedMinimisedOrHidden) {
  SkinWindow& w = OpenWithShadow(kImageShadow);
  const zui::WindowHandle shadow = Shadow();
  ASSERT_NE(shadow, nullptr);
  w.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_FALSE(host_.IsVisible(shadow));
  EXPECT_EQ(w.GetPaintManager().GetShadowUI().GetStatus() & zui::CShadowUI::kShown, 0);
  w.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(host_.IsVisible(shadow));
  EXPECT_EQ(host_.GetWindowRect(shadow), (Rect{80, 79, 80 + 342, 79 + 244}));

  w.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(host_.IsVisible(shadow));
  w.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(host_.IsVisible(shadow));

  w.ShowWindow(false);
  EXPECT_FALSE(host_.IsVisible(shadow));
  w.ShowWindow(true);
  EXPECT_TRUE(host_.IsVisible(shadow));
}

TEST_F(WindowShadowTest, DestroyedWithItsWindow) {
  SkinWindow& w = OpenWithShadow(kImageShadow);
  const zui::WindowHandle shadow = Shadow();
  ASSERT_NE(shadow, nullptr);
  host_.DestroyHostWindow(w.GetHWND());
  EXPECT_FALSE(host_.IsHostWindow(shadow));
  EXPECT_EQ(Shadow(), nullptr);
  EXPECT_EQ(host_.WindowCount(), 0u);

  // A new window is followed afresh.
  SkinWindow& again = OpenWithShadow(kImageShadow);
  ASSERT_NE(Shadow(), nullptr);
  host_.MoveHostWindow(again.GetHWND(), {0, 0, 300, 200}, true);
  EXPECT_EQ(host_.GetWindowRect(Shadow()).left, -20);
}

TEST_F(WindowShadowTest, NoShadowUnlessTheSkinAsksForOne) {
  Open(FramedSkin(L"size=\"300,200\" shadowimage=\"img/shadow.png\" shadowsize=\"19\""));
  EXPECT_EQ(Shadow(), nullptr);
}

TEST_F(WindowShadowTest, ComputedShadowFallsOffFromTheWindowEdge) {
  OpenWithShadow(L"shadowsize=\"6\" shadowdarkness=\"200\" shadowsharpness=\"5\" shadowcolor=\"#FF102030\""
                 L" shadowposition=\"2,3\"");
  const zui::WindowHandle shadow = Shadow();
  ASSERT_NE(shadow, nullptr);
  const zui::Bitmap* content = host_.LayeredContent(shadow);
  ASSERT_NE(content, nullptr);
  EXPECT_EQ(content->width(), 312);
  EXPECT_EQ(content->height(), 212);
  EXPECT_EQ(host_.GetWindowRect(shadow).left, 100 + 2 - 6);
  EXPECT_EQ(host_.GetWindowRect(shadow).top, 100 + 3 - 6);

  const int midY = content->height() / 2;
  EXPECT_EQ(content->at(content->width() / 2, midY) >> 24, 200u) << "full darkness under the window";
  EXPECT_EQ(content->at(6, midY) >> 24, 200u);
  uint32_t previous = 200;
  for (int x = 5; x >= 0; --x) {
    const uint32_t alpha = content->at(x, midY) >> 24;
    EXPECT_LT(alpha, previous) << "fading outwards at x " << x;
    previous = alpha;
  }
  EXPECT_LT(previous, 40u);
  EXPECT_GT(previous, 0u);
  // Premultiplied shadow colour.
  const uint32_t core = content->at(content->width() / 2, midY);
  EXPECT_EQ((core >> 16) & 0xFF, (0x10u * 200 + 127) / 255);
  EXPECT_EQ(core & 0xFF, (0x30u * 200 + 127) / 255);
}

TEST_F(WindowShadowTest, SizesNoWindowCouldHaveGiveNoShadowContent) {
  OpenWithShadow(L"shadowimage=\"img/shadow.png\" shadowsize=\"19\" shadowrect=\"2000000000,0,2000000000,0\"");
  ASSERT_NE(Shadow(), nullptr);
  EXPECT_EQ(host_.LayeredContent(Shadow()), nullptr);

  SkinWindow& flat = OpenWithShadow(L"shadowsize=\"0\"");
  ASSERT_NE(flat.GetPaintManager().GetShadowUI().GetShadowWindow(), nullptr);
  EXPECT_EQ(host_.LayeredContent(flat.GetPaintManager().GetShadowUI().GetShadowWindow()), nullptr)
      << "a computed shadow of size 0 draws nothing";
}

TEST_F(WindowShadowTest, WindowOutlivingItsManagerKeepsWorking) {
  // A plain window with a manager of its own that goes away first.
  static std::vector<uint32_t> seen;
  seen.clear();
  host_.RegisterWindowClass(
      {L"ZuiShadowParent", 0,
       [](zui::WindowHandle window, uint32_t message, zui::WPARAM_T w, zui::LPARAM_T l) -> zui::LRESULT_T {
         seen.push_back(message);
         return zui::Host().DefaultProc(window, message, w, l);
       }});
  zui::HostWindowDesc desc;
  desc.className = L"ZuiShadowParent";
  desc.style = WS_POPUP | WS_VISIBLE;
  desc.rect = {10, 10, 110, 60};
  const zui::WindowHandle parent = host_.CreateHostWindow(desc, nullptr);
  auto manager = std::make_unique<zui::CPaintManagerUI>();
  manager->Init(parent);
  manager->GetShadow().enabled = true;
  manager->GetShadow().size = 4;
  manager->AttachDialog(new zui::CControlUI());
  const zui::WindowHandle shadow = Shadow();
  ASSERT_NE(shadow, nullptr);
  EXPECT_NE(host_.LayeredContent(shadow), nullptr);

  manager.reset();
  EXPECT_FALSE(host_.IsHostWindow(shadow));
  seen.clear();
  host_.MoveHostWindow(parent, {20, 20, 120, 70}, true);
  host_.ShowHostWindow(parent, SW_HIDE);
  auto saw = [](uint32_t message) { return std::find(seen.begin(), seen.end(), message) != seen.end(); };
  EXPECT_TRUE(saw(WM_MOVE)) << "still reaching its own procedure";
  EXPECT_TRUE(saw(WM_SHOWWINDOW));
  host_.DestroyHostWindow(parent);
}

}  // namespace
}  // namespace ztest

namespace ztest {
namespace {

TEST_F(WindowShadowTest, ComputedShadowAroundRoundCornersLooksRight) {
  Open(L"<Window size=\"60,40\" roundcorner=\"12,12\" showshadow=\"true\" shadowsize=\"10\" shadowdarkness=\"160\""
       L" shadowsharpness=\"3\" shadowcolor=\"#FF203040\" shadowposition=\"3,4\"><Control/></Window>");
  const zui::WindowHandle shadow = host_.FindHostWindow(zui::CShadowUI::kClassName);
  ASSERT_NE(shadow, nullptr);
  const zui::Bitmap* content = host_.LayeredContent(shadow);
  ASSERT_NE(content, nullptr);
  EXPECT_TRUE(MatchesGolden(*content, "window_shadow_computed"));
}

}  // namespace
}  // namespace ztest
