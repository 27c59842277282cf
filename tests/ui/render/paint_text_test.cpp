#include <gtest/gtest.h>

#include "tests/ui/render/fake_resources.h"
#include "ui/render/skin_renderer.h"

namespace {

using zui::Bitmap;
using zui::Canvas;
using zui::CSkinRenderer;
using zui::Rect;

constexpr unsigned kLabelStyle = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;

TEST(PaintText, GdiPathPassesStyleFontAndOpaqueColour) {
  ztest::FakeResources res;
  Bitmap target(100, 20, 0xFFFFFFFFu);
  Canvas canvas(target);
  Rect rect{2, 2, 98, 18};
  CSkinRenderer::PaintText(&canvas, &res, rect, L"Hello", 0x80112233u, 3, kLabelStyle);
  ASSERT_EQ(res.engine.calls.size(), 1u);
  const ztest::TextCall& call = res.engine.calls[0];
  EXPECT_EQ(call.text, L"Hello");
  EXPECT_EQ(call.format, kLabelStyle);
  EXPECT_EQ(call.argb, 0xFF112233u);
  EXPECT_EQ(call.font, res.GetFont(3));
  EXPECT_EQ(call.clip, (Rect{0, 0, 100, 20}));
  EXPECT_TRUE(call.hadTarget);
  EXPECT_EQ(target.at(4, 6), 0xFF112233u);
}

TEST(PaintText, NothingWithoutTextOrResources) {
  ztest::FakeResources res;
  Bitmap target(10, 10);
  Canvas canvas(target);
  Rect rect{0, 0, 10, 10};
  CSkinRenderer::PaintText(&canvas, &res, rect, L"", 0xFF000000u, -1, 0);
  CSkinRenderer::PaintText(&canvas, nullptr, rect, L"x", 0xFF000000u, -1, 0);
  EXPECT_TRUE(res.engine.calls.empty());
}

TEST(PaintText, CharacterReferenceDrawsOneCharacter) {
  ztest::FakeResources res;
  Bitmap target(40, 20);
  Canvas canvas(target);
  struct Case {
    const wchar_t* text;
    std::wstring drawn;
  } cases[] = {
      {L"&#xe601;", std::wstring(1, wchar_t{0xE601})},
      {L"icon &#x41; ", L"A"},  // cut to "41; " then blank and ';' stripped
      {L"&#x4E2D", std::wstring(1, wchar_t{0x4E2D})},
      {L"&#x4E2D56", std::wstring(1, wchar_t{0x4E2D})},  // only four digits count
      {L"&#x4;", std::wstring(1, wchar_t{0x4})},
      {L"&#x", L""},  // no code: nothing drawn
      {L"&#x;", L""},
  };
  for (const Case& c : cases) {
    res.engine.calls.clear();
    Rect rect{0, 0, 40, 20};
    CSkinRenderer::PaintText(&canvas, &res, rect, c.text, 0xFF000000u, -1, kLabelStyle);
    if (c.drawn.empty()) {
      EXPECT_TRUE(res.engine.calls.empty()) << c.text;
    } else {
      ASSERT_EQ(res.engine.calls.size(), 1u) << c.text;
      EXPECT_EQ(res.engine.calls[0].text, c.drawn) << c.text;
    }
  }
}

TEST(PaintText, MeasuringUpdatesTheRectangleWithoutDrawing) {
  ztest::FakeResources res;
  Rect rect{10, 10, 500, 100};
  CSkinRenderer::PaintText(nullptr, &res, rect, L"abcd", 0xFF000000u, -1, DT_CALCRECT | DT_SINGLELINE);
  ASSERT_EQ(res.engine.calls.size(), 1u);
  EXPECT_FALSE(res.engine.calls[0].hadTarget);
  EXPECT_EQ(rect, (Rect{10, 10, 38, 25}));

  // The anti-aliased path adds one pixel each way.
  res.gdiplusText = true;
  Rect smooth{10, 10, 500, 100};
  CSkinRenderer::PaintText(nullptr, &res, smooth, L"abcd", 0xFF000000u, -1, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(smooth, (Rect{10, 10, 39, 26}));
}

TEST(PaintText, AntiAliasedPathTranslatesTheStyle) {
  ztest::FakeResources res;
  res.layered = true;
  Bitmap target(60, 20);
  Canvas canvas(target);
  Rect rect{0, 0, 60, 20};
  CSkinRenderer::PaintText(&canvas, &res, rect, L"a&b", 0xFF336699u, -1, DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
  CSkinRenderer::PaintText(&canvas, &res, rect, L"&#x41;", 0x10336699u, -1, DT_SINGLELINE | DT_RIGHT | DT_EDITCONTROL);
  ASSERT_EQ(res.engine.calls.size(), 2u);
  EXPECT_EQ(res.engine.calls[0].format,
            unsigned{DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_WORDBREAK | DT_NOPREFIX});
  EXPECT_EQ(res.engine.calls[0].argb, 0xFE336699u);
  // No character references here, and edit-control breaking is not carried over.
  EXPECT_EQ(res.engine.calls[1].text, L"&#x41;");
  EXPECT_EQ(res.engine.calls[1].format, unsigned{DT_SINGLELINE | DT_RIGHT | DT_NOPREFIX});
  EXPECT_EQ(res.engine.calls[1].argb, 0xFE336699u);
}

TEST(PaintText, RightToLeftLanguageAddsReadingOrder) {
  ztest::FakeResources res;
  res.rightToLeft = true;
  Bitmap target(20, 20);
  Canvas canvas(target);
  Rect rect{0, 0, 20, 20};
  CSkinRenderer::PaintText(&canvas, &res, rect, L"x", 0xFF000000u, -1, DT_SINGLELINE);
  ASSERT_EQ(res.engine.calls.size(), 1u);
  EXPECT_EQ(res.engine.calls[0].format, unsigned{DT_SINGLELINE | DT_RTLREADING});
}

TEST(PaintText, RoundClipShapesTheText) {
  ztest::FakeResources res;
  Bitmap target(40, 20, 0xFFFFFFFFu);
  Canvas canvas(target);
  zui::ClipRecord clip;
  CSkinRenderer::ClipToRoundRect(canvas, {0, 0, 40, 20}, {0, 0, 20, 20}, 20, 20, clip);
  Rect rect{0, 0, 40, 20};
  CSkinRenderer::PaintText(&canvas, &res, rect, L"WWWW", 0xFF000000u, -1, 0);
  EXPECT_EQ(target.at(1, 3), 0xFFFFFFFFu);   // cut by the rounded corner
  EXPECT_EQ(target.at(4, 8), 0xFF000000u);   // inside
  EXPECT_EQ(target.at(22, 8), 0xFFFFFFFFu);  // outside the clip box
}

}  // namespace
