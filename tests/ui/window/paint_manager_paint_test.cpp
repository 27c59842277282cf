// Painting: the tree is drawn off-screen and the host gets exactly those
// pixels for the update rectangle, unless the window presents them itself.

#include "manager_test_support.h"

namespace zui::test {
namespace {

constexpr uint32_t kRootColour = 0xFF202020;
constexpr uint32_t kChildColour = 0xFF3060C0;

class PaintTest : public ManagerTest {
 protected:
  void SetUp() override {
    root_->SetBkColor(kRootColour);
    child_ = AddChild<CControlUI>(*root_, L"child", {10, 20, 110, 70});
    child_->SetBkColor(kChildColour);
  }
  // The presented frame and the manager's bitmap agree inside `area`.
  void ExpectFrameMatchesBitmap(const Rect& area) {
    const Bitmap* frame = host_.Frame(handle());
    ASSERT_NE(frame, nullptr);
    const Bitmap& own = manager().GetOffscreenBitmap();
    ASSERT_EQ(frame->width(), own.width());
    ASSERT_EQ(frame->height(), own.height());
    int differing = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) differing += frame->at(x, y) != own.at(x, y);
    EXPECT_EQ(differing, 0);
  }
  CControlUI* child_ = nullptr;
};

TEST_F(PaintTest, FirstPaintLaysOutAndPresentsTheWholeClientArea) {
  ShowWindow();
  EXPECT_EQ(child_->GetPos(), (Rect{10, 20, 110, 70}));
  ExpectFrameMatchesBitmap({0, 0, 400, 300});
  const Bitmap* frame = host_.Frame(handle());
  EXPECT_EQ(frame->at(0, 0), kRootColour);
  EXPECT_EQ(frame->at(10, 20), kChildColour);
  EXPECT_EQ(frame->at(109, 69), kChildColour);
  EXPECT_EQ(frame->at(110, 70), kRootColour);
}

TEST_F(PaintTest, RepaintCoversOnlyTheInvalidatedRectangle) {
  ShowWindow();
  const int before = host_.PresentCount(handle());
  child_->SetBkColor(0xFFFFFFFF);  // invalidates the child only
  Pump();
  EXPECT_EQ(host_.PresentCount(handle()), before + 1);
  ExpectFrameMatchesBitmap({0, 0, 400, 300});
  EXPECT_EQ(host_.Frame(handle())->at(50, 50), 0xFFFFFFFFu);
  std::vector<Rect> areas = host_.PresentedAreas(handle());
  ASSERT_EQ(areas.size(), static_cast<size_t>(before + 1));
  EXPECT_EQ(areas.front(), (Rect{0, 0, 400, 300}));
  EXPECT_EQ(areas.back(), (Rect{10, 20, 110, 70}));
}

TEST_F(PaintTest, TranslucentControlsDoNotPileUpOverRepaints) {
  child_->SetBkColor(0x80FFFFFF);
  ShowWindow();
  const uint32_t first = host_.Frame(handle())->at(50, 50);
  for (int i = 0; i < 3; ++i) {
    child_->Invalidate();
    Pump();
  }
  EXPECT_EQ(host_.Frame(handle())->at(50, 50), first);
}

TEST_F(PaintTest, AWindowThatPresentsTheFrameItselfGetsTheUpdateRectangleAndBitmap) {
  Rect seenArea;
  const Bitmap* seenBitmap = nullptr;
  window_->own = [&](uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result) {
    if (message != CPaintManagerUI::kMsgPresentFrame) return false;
    seenArea = *reinterpret_cast<const Rect*>(wParam);
    seenBitmap = reinterpret_cast<const Bitmap*>(lParam);
    result = 1;
    return true;
  };
  ShowWindow();
  EXPECT_EQ(host_.PresentCount(handle()), 0);
  EXPECT_EQ(seenArea, (Rect{0, 0, 400, 300}));
  EXPECT_EQ(seenBitmap, &manager().GetOffscreenBitmap());
}

TEST(PaintWithoutTree, AWindowWithoutControlsIsPaintedBlack) {
  HeadlessHost host;
  ScopedHost scoped(host);
  TestWindow window({0, 0, 40, 30});
  host.ShowHostWindow(window.handle(), SW_SHOWNORMAL);
  host.PumpPending();
  const Bitmap* frame = host.Frame(window.handle());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->at(0, 0), 0xFF000000u);
  EXPECT_EQ(frame->at(39, 29), 0xFF000000u);
}

}  // namespace
}  // namespace zui::test
