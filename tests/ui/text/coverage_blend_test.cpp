#include "ui/text/coverage_blend.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace zui {
namespace {

int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

TEST(CoverageBlend, FullCoverageOnTransparentGivesTheColour) {
  Bitmap bitmap(2, 1, 0);
  const uint8_t mask[] = {255, 0};
  BlendCoverage(bitmap, {0, 0, 2, 1}, 0, 0, {mask, 2, 1, 2}, 0xFF123456);
  EXPECT_EQ(bitmap.at(0, 0), 0xFF123456u);
  EXPECT_EQ(bitmap.at(1, 0), 0u);
}

TEST(CoverageBlend, PartialCoverageIsPremultiplied) {
  Bitmap bitmap(1, 1, 0);
  const uint8_t mask[] = {128};
  BlendCoverage(bitmap, {0, 0, 1, 1}, 0, 0, {mask, 1, 1, 1}, 0xFFFF8000);
  const uint32_t p = bitmap.at(0, 0);
  EXPECT_EQ(Channel(p, 24), 128);
  EXPECT_EQ(Channel(p, 16), 128);  // red 255 premultiplied by 128
  EXPECT_EQ(Channel(p, 8), 64);
  EXPECT_EQ(Channel(p, 0), 0);
}

TEST(CoverageBlend, TranslucentColourOverOpaqueBackgroundStaysOpaque) {
  Bitmap bitmap(1, 1, 0xFFFFFFFF);
  const uint8_t mask[] = {255};
  BlendCoverage(bitmap, {0, 0, 1, 1}, 0, 0, {mask, 1, 1, 1}, 0x80000000);
  const uint32_t p = bitmap.at(0, 0);
  EXPECT_EQ(Channel(p, 24), 255);
  EXPECT_NEAR(Channel(p, 16), 127, 1);
  EXPECT_NEAR(Channel(p, 0), 127, 1);
}

TEST(CoverageBlend, TouchesOnlyPixelsInsideTheClip) {
  Bitmap bitmap(4, 4, 0);
  const std::vector<uint8_t> mask(16, 255);
  BlendCoverage(bitmap, {1, 1, 3, 3}, -1, -1, {mask.data(), 4, 4, 4}, 0xFFFFFFFF);
  BlendSolidRect(bitmap, {1, 1, 3, 3}, {0, 3, 4, 4}, 0xFFFFFFFF);  // wholly outside
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(bitmap.at(x, y), (x >= 1 && x < 3 && y >= 1 && y < 3) ? 0xFFFFFFFFu : 0u);
}

}  // namespace
}  // namespace zui
