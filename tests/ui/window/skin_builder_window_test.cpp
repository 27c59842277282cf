// The window pass: a root Window element's attributes as the paint manager
// receives them.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/skin_test_window.h"
#include "ui/window/skin_builder.h"

namespace {

using zui::CSkinBuilder;
using zui::Rect;
using zui::Size;

class SkinBuilderWindowTest : public ::testing::Test {
 protected:
  zui::CPaintManagerUI& Build(const std::wstring& xml) {
    CSkinBuilder builder;
    EXPECT_EQ(builder.Create(xml, {}, nullptr, &window_.Manager()), nullptr);
    return window_.Manager();
  }

  ztest::SkinTestWindow window_;
};

TEST_F(SkinBuilderWindowTest, SizeFollowsTheDisplayScale) {
  EXPECT_EQ(Build(L"<Window size=\"484,306\"/>").GetInitSize(), (Size{484, 306}));
  EXPECT_EQ(window_.Host().GetClientRect(window_.Handle()), (Rect{0, 0, 484, 306}));

  window_.Manager().SetDisplayScale(150);
  EXPECT_EQ(Build(L"<WINDOW Size=\"484,306\"/>").GetInitSize(), (Size{726, 459}));
  // The limits, caption, corners and size box scale with it, or the scaled
  // window would be clipped to its 100 % size.
  zui::CPaintManagerUI& scaled = Build(
      L"<Window mininfo=\"484,306\" maxinfo=\"484,306\" caption=\"0,0,0,50\" roundcorner=\"4,4\" sizebox=\"4,4,4,4\"/>");
  EXPECT_EQ(scaled.GetMinInfo(), (Size{726, 459}));
  EXPECT_EQ(scaled.GetMaxInfo(), (Size{726, 459}));
  EXPECT_EQ(scaled.GetCaptionRect(), (Rect{0, 0, 0, 75}));
  EXPECT_EQ(scaled.GetRoundCorner(), (Size{6, 6}));
  EXPECT_EQ(scaled.GetSizeBox(), (Rect{6, 6, 6, 6}));
  // Halves round away from zero: 3 x 1.5 = 4.5 -> 5.
  EXPECT_EQ(Build(L"<Window size=\"3,1\"/>").GetInitSize(), (Size{5, 2}));
  // No window is larger than 32767 or smaller than nothing, however it is scaled.
  EXPECT_EQ(Build(L"<Window size=\"2147483647,-3\"/>").GetInitSize(), (Size{32767, 0}));
}

TEST_F(SkinBuilderWindowTest, PairsAndRectanglesReadOneSeparatorAfterEachNumber) {
  zui::CPaintManagerUI& m =
      Build(L"<Window sizebox=\"4,5,6,7\" caption=\"0,0,0,30\" roundcorner=\"5x6\" mininfo=\"10,,20\" maxinfo=\"800\""
            L" shadowcorner=\"1, 2,3,4\" shadowrect=\"9,8,7,6,5\"/>");
  EXPECT_EQ(m.GetSizeBox(), (Rect{4, 5, 6, 7}));
  EXPECT_EQ(m.GetCaptionRect(), (Rect{0, 0, 0, 30}));
  EXPECT_EQ(m.GetRoundCorner(), (Size{5, 6}));
  EXPECT_EQ(m.GetMinInfo(), (Size{10, 0}));
  EXPECT_EQ(m.GetMaxInfo(), (Size{800, 0}));
  EXPECT_EQ(m.GetShadow().imageCorner, (Rect{1, 2, 3, 4}));
  EXPECT_EQ(m.GetShadow().extents, (Rect{9, 8, 7, 6}));
}

TEST_F(SkinBuilderWindowTest, LayeredNamesMatchOnlyInTheirExactCase) {
  zui::CPaintManagerUI& m =
      Build(L"<Window Layered=\"true\" NoActivate=\"true\" LAYEREDOPACITY=\"7\" BkTrans=\"true\" SHOWDIRTY=\"TRUE\"/>");
  EXPECT_FALSE(m.IsLayered());
  EXPECT_FALSE(m.IsNoActivate());
  EXPECT_EQ(m.GetLayeredOpacity(), 255);
  EXPECT_TRUE(m.IsShowUpdateRect());

  Build(L"<Window layered=\"true\" noactivate=\"true\" layeredopacity=\"7\"/>");
  EXPECT_TRUE(m.IsLayered());
  EXPECT_TRUE(m.IsNoActivate());
  EXPECT_EQ(m.GetLayeredOpacity(), 7);

  Build(L"<Window bktrans=\"false\"/>");
  EXPECT_FALSE(m.IsLayered());
  Build(L"<Window layeredimage=\"file='bk.png'\"/>");
  EXPECT_TRUE(m.IsLayered());
  EXPECT_EQ(m.GetLayeredImage(), L"file='bk.png'");
}

TEST_F(SkinBuilderWindowTest, ColoursShadowAndTextSettings) {
  zui::CPaintManagerUI& m =
      Build(L"<Window defaultfontcolor=\"#FF112233\" disabledfontcolor=\"FF445566\" linkfontcolor=\"#FF0000FF\""
            L" linkhoverfontcolor=\"#FFD3215F\" selectedcolor=\"#80BAE4FF\" shadowcolor=\"#FF000000\""
            L" showshadow=\"true\" shadowimage=\"img\\bgshadw.png\" shadowsize=\"19\" shadowsharpness=\"4\""
            L" shadowdarkness=\"150\" shadowposition=\"2,-3\" gdiplustext=\"true\" textrenderinghint=\"4\""
            L" tooltiphovertime=\"250\" unknown=\"1\"/>");
  EXPECT_EQ(m.GetDefaultColors().text, 0xFF112233u);
  EXPECT_EQ(m.GetDefaultColors().disabledText, 0xFF445566u);
  EXPECT_EQ(m.GetDefaultColors().selectedBk, 0x80BAE4FFu);
  const zui::ShadowSettings& shadow = m.GetShadow();
  EXPECT_TRUE(shadow.enabled);
  EXPECT_EQ(shadow.image, L"img\\bgshadw.png");
  EXPECT_EQ(shadow.size, 19);
  EXPECT_EQ(shadow.sharpness, 4);
  EXPECT_EQ(shadow.darkness, 150);
  EXPECT_EQ(shadow.offsetX, 2);
  EXPECT_EQ(shadow.offsetY, -3);
  EXPECT_TRUE(m.UseGdiplusText());
  EXPECT_EQ(m.GetGdiplusTextRenderingHint(), 4);
  EXPECT_EQ(m.GetHoverTime(), 250u);
}

TEST_F(SkinBuilderWindowTest, NarrowSettingsTakeTheNearestValueInsteadOfWrapping) {
  zui::CPaintManagerUI& m = Build(L"<Window opacity=\"300\" shadowsize=\"300\" shadowdarkness=\"-1\""
                                  L" shadowposition=\"-200,128\" tooltiphovertime=\"-5\"/>");
  EXPECT_EQ(m.GetOpacity(), 255);
  EXPECT_EQ(window_.Host().Opacity(window_.Handle()), 255);
  EXPECT_EQ(m.GetShadow().size, 127);
  EXPECT_EQ(m.GetShadow().darkness, 0);
  EXPECT_EQ(m.GetShadow().offsetX, -128);
  EXPECT_EQ(m.GetShadow().offsetY, 127);
  EXPECT_EQ(m.GetHoverTime(), 0u);
  Build(L"<Window alpha=\"128\"/>");
  EXPECT_EQ(m.GetOpacity(), 128);
}

TEST_F(SkinBuilderWindowTest, OnlyAWindowRootOfABoundManagerIsRead) {
  zui::CPaintManagerUI& m = Build(L"<Dialog size=\"1,2\"/>");
  EXPECT_EQ(m.GetInitSize(), (Size{}));
  zui::CPaintManagerUI unbound;
  CSkinBuilder builder;
  builder.Create(L"<Window size=\"1,2\"/>", {}, nullptr, &unbound);
  EXPECT_EQ(unbound.GetInitSize(), (Size{}));
}

}  // namespace
