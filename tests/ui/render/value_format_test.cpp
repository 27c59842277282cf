#include "ui/render/value_format.h"

#include <climits>

#include <gtest/gtest.h>

#include "ui/render/skin_renderer.h"

namespace {

using zui::CSkinRenderer;
using zui::Rect;

TEST(ValueFormat, RectanglesFillMissingNumbersWithZero) {
  EXPECT_EQ(zui::ParseRectValue(L"15,0,0,"), (Rect{15, 0, 0, 0}));
  EXPECT_EQ(zui::ParseRectValue(L"15,0,0,0"), (Rect{15, 0, 0, 0}));
  EXPECT_EQ(zui::ParseRectValue(L"163,8"), (Rect{163, 8, 0, 0}));
  EXPECT_EQ(zui::ParseRectValue(L"-30,0,-10,20"), (Rect{-30, 0, -10, 20}));
  EXPECT_EQ(zui::ParseRectValue(L""), (Rect{}));
  // Any single separator works; a second one makes the next number empty.
  EXPECT_EQ(zui::ParseRectValue(L"1 2;3x4"), (Rect{1, 2, 3, 4}));
  EXPECT_EQ(zui::ParseRectValue(L"1,,3,4"), (Rect{1, 0, 3, 4}));
  EXPECT_EQ(zui::ParseSizeValue(L"76,44"), (zui::Size{76, 44}));
}

TEST(ValueFormat, NumbersSaturateInsteadOfOverflowing) {
  EXPECT_EQ(zui::ParseIntValue(L"99999999999999999999"), INT_MAX);
  EXPECT_EQ(zui::ParseIntValue(L"-99999999999999999999"), INT_MIN);
  EXPECT_EQ(zui::ParseIntValue(L"  +42px"), 42);
  EXPECT_EQ(zui::ParseHexValue(L"1FFFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(zui::ParseRectValue(L"2147483647,0,-2147483648,0"), (Rect{INT_MAX, 0, INT_MIN, 0}));
}

TEST(ValueFormat, MulDivRoundsHalfAwayFromZeroAndRefusesNonsense) {
  EXPECT_EQ(zui::MulDiv(3, 150, 100), 5);  // 4.5
  EXPECT_EQ(zui::MulDiv(-3, 150, 100), -5);
  EXPECT_EQ(zui::MulDiv(7, 1, 0), -1);
  EXPECT_EQ(zui::MulDiv(INT_MAX, 2, 1), -1);
  EXPECT_EQ(zui::ScaleRect({5, 14, 19, 28}, 150), (Rect{8, 21, 29, 42}));  // 14 wide -> 21 wide
  EXPECT_EQ(zui::UnscaleRect({8, 21, 29, 42}, 150), (Rect{5, 14, 19, 28}));
}

TEST(ValueFormat, BooleansAreTrueOnlyForTheWordTrue) {
  EXPECT_TRUE(zui::ParseBoolValue(L"TRUE"));
  EXPECT_TRUE(zui::ParseBoolValue(L"true"));
  EXPECT_FALSE(zui::ParseBoolValue(L"1"));
  EXPECT_FALSE(zui::ParseBoolValue(L"true "));
}

TEST(ColorValue, ReadsAllFourBytesAsWritten) {
  EXPECT_EQ(CSkinRenderer::ParseColorValue(L"#FFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(CSkinRenderer::ParseColorValue(L"#FF212121"), 0xFF212121u);
  EXPECT_EQ(CSkinRenderer::ParseColorValue(L"  #80FFFFFF"), 0x80FFFFFFu);
  // Six digits leave the alpha byte 0: fully transparent.
  EXPECT_EQ(CSkinRenderer::ParseColorValue(L"#FFFFFF"), 0x00FFFFFFu);
  EXPECT_EQ(CSkinRenderer::ParseColorValue(L"ff0000zz"), 0x00FF0000u);
  EXPECT_EQ(CSkinRenderer::ParseColorValue(L""), 0u);
}

TEST(ColorValue, PercentageSetsAlpha) {
  EXPECT_EQ(CSkinRenderer::ParseColorValue(L"#FF0000 50%"), 0x7FFF0000u);
  EXPECT_EQ(CSkinRenderer::ParseColorValue(L"#00FF00 100%"), 0xFF00FF00u);
  EXPECT_EQ(CSkinRenderer::ParseColorValue(L"#0000FF %"), 0xFF0000FFu);  // percentage missing: 100
  // Percentages outside 0..100 are held to the range.
  EXPECT_EQ(CSkinRenderer::ParseColorValue(L"#0000FF 400%"), 0xFF0000FFu);
  EXPECT_EQ(CSkinRenderer::ParseColorValue(L"#0000FF -20%"), 0x000000FFu);
}

}  // namespace
