// The GDI engine under Wine: fonts differ from real Windows, so these tests
// check properties of the drawing (ink inside the rectangle, the colour,
// valid premultiplied alpha) rather than exact pixels.

#include "ui/text/gdi/gdi_text_engine.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ui/text/text_format.h"

namespace zui {
namespace {

struct Ink {
  Rect box;
  int pixels = 0;
  int opaqueInColour = 0;
  bool premultiplied = true;
};

Ink Inspect(const Bitmap& bitmap, uint32_t colour) {
  Ink ink;
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x) {
      const uint32_t p = bitmap.at(x, y);
      if (p == 0) continue;
      ++ink.pixels;
      ink.box = ink.box.Union({x, y, x + 1, y + 1});
      const uint32_t a = p >> 24;
      if (((p >> 16) & 0xFF) > a || ((p >> 8) & 0xFF) > a || (p & 0xFF) > a) ink.premultiplied = false;
      if (p == colour) ++ink.opaqueInColour;
    }
  return ink;
}

class GdiEngineTest : public ::testing::Test {
 protected:
  ITextFont& Font(const std::wstring& face, int size, bool bold = false) {
    fonts_.push_back(engine_.CreateFont({face, size, bold, false, false}));
    EXPECT_NE(fonts_.back(), nullptr);
    return *fonts_.back();
  }

  // The process's engine: on Windows it must be this one.
  GdiTextEngine& engine_ = dynamic_cast<GdiTextEngine&>(PlatformTextEngine());
  std::vector<std::unique_ptr<ITextFont>> fonts_;
};

TEST_F(GdiEngineTest, DrawsChineseInTheTextColourInsideTheRect) {
  ITextFont& font = Font(L"微软雅黑", 20, true);
  EXPECT_GE(font.Metrics().height, 20);
  Bitmap bitmap(200, 60, 0);
  const Rect rect{20, 10, 180, 50};
  Rect layout = rect;
  const int height = engine_.DrawText(&bitmap, {0, 0, 200, 60}, font, L"修复成功", layout, 0xFF00BBF3,
                                      DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  EXPECT_GT(height, 0);
  const Ink ink = Inspect(bitmap, 0xFF00BBF3);
  EXPECT_GT(ink.pixels, 100) << "four bold ideographs leave plenty of ink";
  EXPECT_GT(ink.opaqueInColour, 10);
  EXPECT_TRUE(ink.premultiplied);
  EXPECT_EQ(ink.box.Intersect(rect), ink.box);
  EXPECT_NEAR((ink.box.left + ink.box.right) / 2, 100, 6);
}

TEST_F(GdiEngineTest, ClipsToTheClipRectangle) {
  ITextFont& font = Font(L"微软雅黑", 16);
  Bitmap bitmap(200, 30, 0);
  Rect rect{0, 0, 200, 30};
  engine_.DrawText(&bitmap, {30, 0, 60, 30}, font, L"WWWWWWWWWWWWWWWW", rect, 0xFF000000, DT_SINGLELINE);
  const Ink ink = Inspect(bitmap, 0xFF000000);
  EXPECT_GT(ink.pixels, 0);
  EXPECT_GE(ink.box.left, 30);
  EXPECT_LE(ink.box.right, 60);
}

TEST_F(GdiEngineTest, MeasuresAndWraps) {
  ITextFont& font = Font(L"微软雅黑", 12);
  Rect one{0, 0, 0, 0};
  const int lineHeight =
      engine_.DrawText(nullptr, {}, font, L"修复过程中本机可能无法正常上网", one, 0, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(lineHeight, font.Metrics().height);
  EXPECT_GT(one.Width(), 100);
  Rect wrapped{0, 0, 100, 0};
  engine_.DrawText(nullptr, {}, font, L"修复过程中本机可能无法正常上网", wrapped, 0, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_LE(wrapped.Width(), 100);
  EXPECT_GE(wrapped.Height(), 2 * lineHeight);
}

}  // namespace
}  // namespace zui
