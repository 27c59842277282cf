// Progress bars and rings in a real window: the foreground's share of the
// bar, the value rules, range repair, and the ring's turning on the
// window's timer.

#include <climits>

#include <gtest/gtest.h>

#include "leaf_window.h"
#include "ui/controls/progress.h"
#include "ui/controls/ring.h"
#include "ui/layout/container.h"
#include "ui/render/skin_renderer.h"

namespace ztest {
namespace {

constexpr uint32_t kBack = 0xFF202020, kFore = 0xFF00C000;

class ProgressTest : public LeafWindowTest {
 protected:
  void SetUp() override {
    LeafWindowTest::SetUp();
    WriteSolid("back", 4, 4, kBack);
    WriteSolid("fore", 4, 4, kFore);
  }
  zui::CProgressUI* ShowBar(const std::wstring& attributes) {
    Show(L"<Window size=\"440,40\"><Container bkcolor=\"#FFFFFFFF\">"
         L"<Progress name=\"p\" float=\"true\" pos=\"8,10,432,24\" bkimage=\"img\\back.png\""
         L" foreimage=\"img\\fore.png\" " +
             attributes +
             L"/>"
             L"</Container></Window>",
         {440, 40});
    return Find<zui::CProgressUI>(L"p");
  }
  // Where the foreground colour ends, relative to the bar's left.
  int ForeWidth() {
    const zui::Bitmap& frame = Pump();
    int x = 8;
    while (x < 432 && frame.at(x, 17) == kFore) ++x;
    return x - 8;
  }
};

TEST_F(ProgressTest, ForegroundCoversTheValuesShareOfTheWidth) {
  zui::CProgressUI* bar = ShowBar(L"value=\"50\"");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->GetFixedHeight(), 14);
  EXPECT_EQ(bar->GetForeModifier(), L"dest='0,0,212,14'");
  EXPECT_EQ(ForeWidth(), 212);
  EXPECT_EQ(Pump().at(8 + 212, 17), kBack);
  bar->SetValue(100);
  EXPECT_EQ(ForeWidth(), 424);
  EXPECT_EQ(bar->GetForeModifier(), L"dest='0,0,424,14'");
  bar->SetValue(0);
  EXPECT_EQ(ForeWidth(), 0);
  EXPECT_EQ(Pump().at(8, 17), kBack);
  EXPECT_EQ(bar->GetForeModifier(), L"dest='0,0,0,14'");
}

TEST_F(ProgressTest, UnstretchedForegroundShowsTheMatchingPartOfTheImage) {
  // Left half of the image green, right half red: a bar at 50 shows green only.
  WriteImage("halves", 424, 14, [](int x, int) { return x < 212 ? kFore : 0xFFFF0000u; });
  zui::CProgressUI* bar = ShowBar(L"value=\"50\" isstretchfore=\"false\" foreimage=\"img\\halves.png\"");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->GetForeModifier(), L"dest='0,0,212,14' source='0,0,212,14'");
  EXPECT_EQ(ForeWidth(), 212);
}

TEST_F(ProgressTest, ValuesOutsideTheRangeOrUnchangedAreIgnored) {
  zui::CProgressUI* bar = ShowBar(L"value=\"50\"");
  ASSERT_NE(bar, nullptr);
  bar->SetValue(150);
  bar->SetValue(-1);
  EXPECT_EQ(bar->GetValue(), 50);
  Host().BeginPaint(Handle());  // nothing left to repaint
  bar->SetValue(50);
  EXPECT_TRUE(Host().UpdateRect(Handle()).IsEmpty());
  bar->SetValue(60);
  EXPECT_FALSE(Host().UpdateRect(Handle()).IsEmpty());
}

TEST_F(ProgressTest, AttributeOrderDecidesWhetherTheValueFits) {
  Show(L"<Window><Container>"
       L"<Progress name=\"a\" max=\"100\" min=\"0\" value=\"50\"/>"
       L"<Progress name=\"b\" min=\"0\" max=\"100\" value=\"50\"/>"
       L"<Progress name=\"c\" value=\"150\" max=\"200\"/>"
       L"<Progress name=\"d\" max=\"200\" value=\"150\"/>"
       L"<Progress name=\"e\" min=\"10\" value=\"5\"/>"
       L"</Container></Window>");
  EXPECT_EQ(Find<zui::CProgressUI>(L"a")->GetValue(), 50);
  EXPECT_EQ(Find<zui::CProgressUI>(L"b")->GetValue(), 50);
  EXPECT_EQ(Find<zui::CProgressUI>(L"c")->GetValue(), 0);
  EXPECT_EQ(Find<zui::CProgressUI>(L"d")->GetValue(), 150);
  // Refused at first (below the minimum), then held to the range by painting.
  EXPECT_EQ(Find<zui::CProgressUI>(L"e")->GetValue(), 10);
}

TEST_F(ProgressTest, PaintingRepairsAnEmptyOrInvertedRangeAndSurvivesExtremes) {
  Show(L"<Window size=\"440,40\"><Container bkcolor=\"#FFFFFFFF\">"
       L"<Progress name=\"same\" float=\"true\" pos=\"0,0,100,10\" min=\"5\" max=\"5\" forecolor=\"#FF00C000\"/>"
       L"<Progress name=\"top\" float=\"true\" pos=\"0,10,100,20\" min=\"2147483647\" max=\"2147483647\""
       L" forecolor=\"#FF00C000\"/>"
       L"<Progress name=\"wide\" float=\"true\" pos=\"0,20,100,30\" min=\"-2147483648\" max=\"2147483647\""
       L" value=\"0\" forecolor=\"#FF00C000\" foreimage=\"img\\fore.png\"/>"
       L"</Container></Window>",
       {440, 40});
  auto* same = Find<zui::CProgressUI>(L"same");
  EXPECT_EQ(same->GetMaxValue(), 6);
  EXPECT_EQ(same->GetValue(), 5);
  auto* top = Find<zui::CProgressUI>(L"top");
  EXPECT_EQ(top->GetMinValue(), INT_MAX - 1);
  EXPECT_EQ(top->GetMaxValue(), INT_MAX);
  EXPECT_EQ(top->GetValue(), INT_MAX - 1);
  // Half of the whole int range: the bar is half full, not wrapped around.
  EXPECT_EQ(Find<zui::CProgressUI>(L"wide")->GetForeModifier(), L"dest='0,0,50,10'");
  const zui::Bitmap& frame = Pump();
  EXPECT_EQ(frame.at(49, 25), kFore);
  EXPECT_EQ(frame.at(50, 25), 0xFFFFFFFFu);
}

TEST_F(ProgressTest, ForeColourFillsTheShareWithoutAnImage) {
  zui::CProgressUI* bar = ShowBar(L"value=\"25\" foreimage=\"\" forecolor=\"#FF00C000\"");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(ForeWidth(), 106);
  bar->SetMinValue(20);
  EXPECT_EQ(ForeWidth(), 26);  // 424 * 5 / 80
}

TEST_F(ProgressTest, VerticalBarFillsFromTheBottomWithColourAndImageAlike) {
  Show(L"<Window size=\"40,110\"><Container bkcolor=\"#FFFFFFFF\">"
       L"<Progress name=\"c\" float=\"true\" pos=\"0,0,10,100\" hor=\"false\" value=\"30\" forecolor=\"#FF00C000\"/>"
       L"<Progress name=\"i\" float=\"true\" pos=\"20,0,30,100\" hor=\"false\" value=\"30\""
       L" foreimage=\"img\\fore.png\"/>"
       L"</Container></Window>",
       {40, 110});
  EXPECT_EQ(Find<zui::CProgressUI>(L"i")->GetForeModifier(), L"dest='0,70,10,100'");
  const zui::Bitmap& frame = Pump();
  for (int x : {5, 25}) {
    EXPECT_EQ(frame.at(x, 69), 0xFFFFFFFFu) << x;
    EXPECT_EQ(frame.at(x, 70), kFore) << x;
    EXPECT_EQ(frame.at(x, 99), kFore) << x;
  }
}

class RingTest : public LeafWindowTest {
 protected:
  // 14 x 14: a red bar along the top edge on transparent, so every turn looks different.
  void SetUp() override {
    LeafWindowTest::SetUp();
    WriteImage("ring", 14, 14, [](int x, int y) { return y < 4 && x >= 2 ? 0xFFFF0000u : 0u; });
  }
  zui::CRingUI* ShowRing() {
    Show(L"<Window size=\"40,40\"><Container bkcolor=\"#FFFFFFFF\">"
         L"<Ring name=\"r\" float=\"true\" pos=\"13,13,27,27\" bkimage=\"img\\ring.png\"/>"
         L"</Container></Window>",
         {40, 40});
    return Find<zui::CRingUI>(L"r");
  }
  // What the ring should look like at `degrees`.
  zui::Bitmap Expected(double degrees) {
    zui::Bitmap bitmap(40, 40, 0xFFFFFFFF);
    zui::Canvas canvas(bitmap);
    zui::Bitmap image(14, 14);
    for (int y = 0; y < 4; ++y)
      for (int x = 2; x < 14; ++x) image.at(x, y) = 0xFFFF0000u;
    zui::ClipRecord clip;
    zui::CSkinRenderer::ClipToRect(canvas, {13, 13, 27, 27}, clip);
    zui::CSkinRenderer::PaintRotatedImage(canvas, image, {13, 13, 27, 27}, {20, 20}, degrees);
    return bitmap;
  }
  static bool Same(const zui::Bitmap& a, const zui::Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        if (a.at(x, y) != b.at(x, y)) {
          return false;
        }
    return true;
  }
};

TEST_F(RingTest, TurnsThirtySixDegreesPerTickAndIsBackAfterTen) {
  zui::CRingUI* ring = ShowRing();
  ASSERT_NE(ring, nullptr);
  ASSERT_TRUE(ring->HasRingImage());
  EXPECT_TRUE(ring->HasInterface(L"Ring"));
  EXPECT_FALSE(ring->HasInterface(L"ring"));
  const zui::Bitmap first = Pump();
  EXPECT_TRUE(Same(first, Expected(0)));
  EXPECT_EQ(Host().TimerCount(), 1u);

  Tick(99);
  EXPECT_EQ(ring->GetAngle(), 0);
  const zui::Bitmap& second = Tick(1);
  EXPECT_EQ(ring->GetAngle(), 36);
  EXPECT_TRUE(Same(second, Expected(36)));
  EXPECT_FALSE(Same(second, first));
  for (int i = 2; i <= 10; ++i) {
    const zui::Bitmap& frame = Tick(100);
    EXPECT_EQ(ring->GetAngle(), 36.0 * i);
    if (i < 10) {
      EXPECT_FALSE(Same(frame, first)) << i;
    }
  }
  EXPECT_TRUE(Same(Pump(), first));
  Tick(100);
  EXPECT_EQ(ring->GetAngle(), 36);
}

TEST_F(RingTest, NewImageIsLoadedAgainAndDestroyingTheRingStopsItsTimer) {
  zui::CRingUI* ring = ShowRing();
  ASSERT_NE(ring, nullptr);
  WriteSolid("other", 14, 14, 0xFF0000FF);
  ring->SetBkImage(L"img\\other.png");
  EXPECT_FALSE(ring->HasRingImage());
  EXPECT_EQ(Pump().at(20, 20), 0xFF0000FFu);
  EXPECT_TRUE(ring->HasRingImage());
  EXPECT_EQ(Host().TimerCount(), 1u);

  dynamic_cast<zui::CContainerUI*>(Manager().GetRoot())->Remove(ring);
  EXPECT_EQ(Host().TimerCount(), 0u);
  Tick(500);
  EXPECT_EQ(Pump().at(20, 20), 0xFFFFFFFFu);
}

TEST_F(RingTest, MissingImageDrawsNothingAndStartsNoTimer) {
  Show(L"<Window size=\"40,40\"><Container bkcolor=\"#FFFFFFFF\">"
       L"<Ring name=\"r\" float=\"true\" pos=\"13,13,27,27\" bkimage=\"img\\none.png\"/>"
       L"</Container></Window>",
       {40, 40});
  EXPECT_FALSE(Find<zui::CRingUI>(L"r")->HasRingImage());
  EXPECT_EQ(Host().TimerCount(), 0u);
  EXPECT_EQ(Pump().at(20, 20), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace ztest
