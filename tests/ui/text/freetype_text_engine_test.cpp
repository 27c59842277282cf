#include "ui/text/freetype/freetype_text_engine.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ui/text/freetype/freetype_font.h"
#include "ui/text/text_format.h"

namespace zui {
namespace {

constexpr uint32_t kInk = 0xFF212121;
const wchar_t kTips[] = L"修复过程中本机可能无法正常上网，修复完成后恢复";

class FreeTypeEngineTest : public ::testing::Test {
 protected:
  FreeTypeFont& Font(const std::wstring& face, int size, bool bold = false, bool underline = false,
                     bool italic = false) {
    fonts_.push_back(engine_.CreateFont({face, size, bold, underline, italic}));
    EXPECT_NE(fonts_.back(), nullptr) << "no font for the face";
    return static_cast<FreeTypeFont&>(*fonts_.back());
  }

  Rect Measure(FreeTypeFont& font, const std::wstring& text, Rect rect, unsigned format) {
    engine_.DrawText(nullptr, {}, font, text, rect, kInk, format | DT_CALCRECT);
    return rect;
  }

  // Bounding box of the pixels that differ from `background`.
  static Rect InkBox(const Bitmap& bitmap, uint32_t background) {
    Rect box;
    for (int y = 0; y < bitmap.height(); ++y)
      for (int x = 0; x < bitmap.width(); ++x)
        if (bitmap.at(x, y) != background) box = box.Union({x, y, x + 1, y + 1});
    return box;
  }

  FreeTypeTextEngine engine_;
  std::vector<std::unique_ptr<ITextFont>> fonts_;
};

TEST_F(FreeTypeEngineTest, MissingChineseFaceFallsBackToOneWithChineseGlyphs) {
  FreeTypeFont& font = Font(L"微软雅黑", 12);
  EXPECT_NE(font.FilePath().find("wqy"), std::string::npos) << font.FilePath();
  Bitmap bitmap(60, 20, 0xFFFFFFFF);
  Rect rect{0, 0, 60, 20};
  engine_.DrawText(&bitmap, rect, font, L"修复", rect, kInk, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_FALSE(InkBox(bitmap, 0xFFFFFFFF).IsEmpty());
}

TEST_F(FreeTypeEngineTest, LatinFaceBorrowsChineseGlyphsFromAnotherFile) {
  FreeTypeFont& latin = Font(L"DejaVu Sans", 14);
  FreeTypeFont& chinese = Font(L"WenQuanYi Micro Hei", 14);
  ASSERT_NE(latin.FilePath().find("DejaVuSans"), std::string::npos);
  // DejaVu has no ideographs; the borrowed glyph is WenQuanYi's.
  EXPECT_EQ(latin.Advance(U'修'), chinese.Advance(U'修'));
  EXPECT_FALSE(latin.Glyph(U'修').coverage.empty());
}

TEST_F(FreeTypeEngineTest, CharacterNoFileHasTakesTheFacesMissingGlyph) {
  FreeTypeFont& font = Font(L"DejaVu Sans", 14);
  const RenderedGlyph& missing = font.Glyph(0x10FFFD);
  EXPECT_GT(missing.advance, 0);
  EXPECT_FALSE(missing.coverage.empty()) << "the missing-glyph box is drawn, like GDI does";
  EXPECT_EQ(font.Advance(0x10FFFD), missing.advance);  // asked once, then cached
}

TEST_F(FreeTypeEngineTest, AbsurdSizesAreKeptSane) {
  EXPECT_EQ(Font(L"DejaVu Sans", 0).Request().pixelSize, 12);
  FreeTypeFont& huge = Font(L"DejaVu Sans", 50000000);
  EXPECT_EQ(huge.Request().pixelSize, FreeTypeFont::kMaxPixelSize);
  EXPECT_LE(huge.Glyph(U'W').width, 2 * FreeTypeFont::kMaxPixelSize);
}

TEST_F(FreeTypeEngineTest, MetricsAreConsistentAndFollowStyle) {
  FreeTypeFont& regular = Font(L"DejaVu Sans", 14);
  FreeTypeFont& bold = Font(L"DejaVu Sans", 14, true);
  FreeTypeFont& larger = Font(L"DejaVu Sans", 20);
  const FontMetrics& m = regular.Metrics();
  EXPECT_EQ(m.height, m.ascent + m.descent);
  EXPECT_GE(m.height, 14);
  EXPECT_EQ(m.internalLeading, m.height - 14);
  EXPECT_GT(m.aveCharWidth, 0);
  EXPECT_GT(larger.Metrics().height, m.height);
  EXPECT_GT(Measure(bold, L"Vombel", {}, DT_SINGLELINE).Width(),
            Measure(regular, L"Vombel", {}, DT_SINGLELINE).Width());
  // WenQuanYi has no bold weight: emboldened synthetically, still wider.
  FreeTypeFont& cjk = Font(L"WenQuanYi Micro Hei", 14);
  FreeTypeFont& cjkBold = Font(L"WenQuanYi Micro Hei", 14, true);
  EXPECT_GT(Measure(cjkBold, L"修复工具", {}, DT_SINGLELINE).Width(),
            Measure(cjk, L"修复工具", {}, DT_SINGLELINE).Width());
}

TEST_F(FreeTypeEngineTest, SingleLineMeasureIsTheSumOfAdvances) {
  FreeTypeFont& font = Font(L"DejaVu Sans", 13);
  int sum = 0;
  for (char32_t c : std::u32string(U"Vombel 99%")) sum += font.Advance(c);
  const Rect measured = Measure(font, L"Vombel 99%", {3, 4, 3, 4}, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(measured, (Rect{3, 4, 3 + sum, 4 + font.Metrics().height}));
}

TEST_F(FreeTypeEngineTest, WrappedChineseStaysWithinTheWidth) {
  FreeTypeFont& font = Font(L"WenQuanYi Micro Hei", 12);
  const Rect measured = Measure(font, kTips, {0, 0, 100, 0}, DT_WORDBREAK);
  const int oneLine = Measure(font, kTips, {}, DT_SINGLELINE).Width();
  EXPECT_LE(measured.Width(), 100);
  const int lines = measured.Height() / font.Metrics().height;
  EXPECT_EQ(measured.Height() % font.Metrics().height, 0);
  EXPECT_GE(lines, (oneLine + 99) / 100);
  EXPECT_LE(lines, oneLine / 100 + 2);
}

TEST_F(FreeTypeEngineTest, EllipsisKeepsTheTextInsideTheRect) {
  FreeTypeFont& font = Font(L"DejaVu Sans", 13);
  const Rect measured = Measure(font, L"Realtek PCIe GbE Family Controller", {0, 0, 120, 20},
                                DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  EXPECT_LE(measured.Width(), 120);
  EXPECT_GT(measured.Width(), 120 - 3 * font.Advance(U'W'));
  Bitmap bitmap(200, 20, 0);
  Rect rect{0, 0, 120, 20};
  engine_.DrawText(&bitmap, {0, 0, 200, 20}, font, L"Realtek PCIe GbE Family Controller", rect, kInk,
                   DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  EXPECT_LE(InkBox(bitmap, 0).right, 121);
}

TEST_F(FreeTypeEngineTest, VerticalPlacementMovesTheInk) {
  FreeTypeFont& font = Font(L"WenQuanYi Micro Hei", 12);
  const Rect rect{0, 0, 80, 60};
  auto inkFor = [&](unsigned format) {
    Bitmap bitmap(80, 60, 0);
    Rect r = rect;
    const int height = engine_.DrawText(&bitmap, rect, font, L"正在下载", r, kInk, format);
    return std::make_pair(InkBox(bitmap, 0), height);
  };
  const auto [top, topHeight] = inkFor(DT_SINGLELINE);
  const auto [middle, middleHeight] = inkFor(DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  const auto [bottom, bottomHeight] = inkFor(DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
  const int h = font.Metrics().height;
  EXPECT_LT(top.bottom, h + 1);
  EXPECT_EQ(topHeight, h);
  EXPECT_NEAR((middle.top + middle.bottom) / 2, 30, 3);
  EXPECT_NEAR((middle.left + middle.right) / 2, 40, 2);
  EXPECT_EQ(middleHeight, (60 - h) / 2 + h);
  EXPECT_GT(bottom.top, 60 - h - 1);
  EXPECT_EQ(bottomHeight, 60);
  EXPECT_GE(bottom.right, 78);
}

TEST_F(FreeTypeEngineTest, DrawsOnlyInsideTheClipAndTheRect) {
  FreeTypeFont& font = Font(L"DejaVu Sans", 16);
  const std::wstring text = L"WWWWWWWWWWWW";
  Bitmap clipped(120, 30, 0);
  Rect rect{0, 0, 120, 30};
  engine_.DrawText(&clipped, {10, 5, 50, 25}, font, text, rect, kInk, DT_SINGLELINE);
  const Rect box = InkBox(clipped, 0);
  EXPECT_FALSE(box.IsEmpty());
  EXPECT_EQ(box.Intersect({10, 5, 50, 25}), box);

  Bitmap narrow(120, 30, 0);
  Rect small{0, 0, 30, 30};
  engine_.DrawText(&narrow, {0, 0, 120, 30}, font, text, small, kInk, DT_SINGLELINE);
  EXPECT_LE(InkBox(narrow, 0).right, 30);
  Bitmap unclipped(120, 30, 0);
  small = {0, 0, 30, 30};
  engine_.DrawText(&unclipped, {0, 0, 120, 30}, font, text, small, kInk, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(InkBox(unclipped, 0).right, 60);
}

TEST_F(FreeTypeEngineTest, InkIsTheTextColourPremultiplied) {
  FreeTypeFont& font = Font(L"DejaVu Sans", 20, true);
  Bitmap bitmap(40, 30, 0);
  Rect rect{0, 0, 40, 30};
  engine_.DrawText(&bitmap, rect, font, L"I", rect, 0xFF40B9EE, DT_SINGLELINE);
  bool solid = false;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const uint32_t p = bitmap.at(x, y);
      const uint32_t a = p >> 24;
      if (a == 255) solid = solid || p == 0xFF40B9EE;
      EXPECT_LE((p >> 16) & 0xFF, a);  // premultiplied: no channel above alpha
      EXPECT_LE(p & 0xFF, a);
    }
  EXPECT_TRUE(solid) << "a stem of a bold I at 20 px has fully covered pixels";

  Bitmap translucent(40, 30, 0);
  engine_.DrawText(&translucent, rect, font, L"I", rect, 0x8040B9EE, DT_SINGLELINE);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) EXPECT_LE(translucent.at(x, y) >> 24, 0x80u);
}

TEST_F(FreeTypeEngineTest, UnderlineAndPrefixDrawBelowTheBaseline) {
  FreeTypeFont& plain = Font(L"DejaVu Sans", 16);
  FreeTypeFont& underlined = Font(L"DejaVu Sans", 16, false, true);
  auto draw = [&](FreeTypeFont& font, const std::wstring& text, unsigned format) {
    Bitmap bitmap(100, 24, 0);
    Rect rect{0, 0, 100, 24};
    engine_.DrawText(&bitmap, rect, font, text, rect, kInk, DT_SINGLELINE | format);
    return bitmap;
  };
  const int baseline = plain.Metrics().ascent;
  auto inkBelowBaseline = [&](const Bitmap& b) {
    int count = 0;
    for (int y = baseline + 1; y < b.height(); ++y)
      for (int x = 0; x < b.width(); ++x) count += b.at(x, y) != 0;
    return count;
  };
  EXPECT_EQ(inkBelowBaseline(draw(plain, L"mnmn", 0)), 0);
  const int width = Measure(plain, L"mnmn", {}, DT_SINGLELINE).Width();
  EXPECT_GE(inkBelowBaseline(draw(underlined, L"mnmn", 0)), width - 2);
  const int prefixed = inkBelowBaseline(draw(plain, L"&mnmn", 0));
  EXPECT_GE(prefixed, plain.Advance(U'm'));
  EXPECT_LT(prefixed, 2 * plain.Advance(U'm'));
  EXPECT_EQ(inkBelowBaseline(draw(plain, L"&mnmn", DT_NOPREFIX)), 0);
}

TEST_F(FreeTypeEngineTest, GlyphCacheStaysBounded) {
  FreeTypeFont& font = Font(L"WenQuanYi Micro Hei", 12);
  std::wstring many;
  for (wchar_t c = 0x4E00; c < 0x4E00 + 1500; ++c) many.push_back(c);
  Rect rect{0, 0, 400, 400};
  engine_.DrawText(nullptr, {}, font, many, rect, kInk, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(font.CachedGlyphs(), FreeTypeFont::kGlyphCacheSize);
  // Large sizes keep fewer glyphs so the cache's memory stays bounded too.
  EXPECT_EQ(FreeTypeFont::GlyphCacheCapacity(200), FreeTypeFont::kGlyphCacheBytes / (200 * 200));
  EXPECT_EQ(FreeTypeFont::GlyphCacheCapacity(100000), 16u);
}

}  // namespace
}  // namespace zui
