// Formatted text over the recording engine (7 pixels a character, 15 a
// line): where words and link boxes land, wrapping, breaks and colours.

#include <gtest/gtest.h>

#include "tests/ui/render/fake_resources.h"
#include "ui/render/skin_renderer.h"

namespace {

using zui::CSkinRenderer;
using zui::Rect;

const zui::FormattedTextColors kColors{0xFF000000, 0xFF0000FF, 0xFFFF0000};

// The words drawn (measuring calls left out), in order.
std::vector<ztest::TextCall> Drawn(const ztest::FakeResources& res) {
  std::vector<ztest::TextCall> out;
  for (const auto& c : res.engine.calls)
    if (!(c.format & DT_CALCRECT)) out.push_back(c);
  return out;
}

TEST(FormattedText, OneLineWordsAndALinkBoxWithItsTarget) {
  ztest::FakeResources res;
  zui::Bitmap target(200, 30);
  zui::Canvas canvas(target);
  Rect rect{0, 0, 200, 30};
  zui::TextLinks links;
  CSkinRenderer::PaintFormattedText(&canvas, &res, rect, L"ab {a t}cd ef{/a} gh", kColors, -1,
                                    DT_SINGLELINE | DT_VCENTER, &links);
  ASSERT_EQ(links.count, 1);
  EXPECT_EQ(links.rects[0], (Rect{21, 7, 56, 22}));
  EXPECT_EQ(links.targets[0], L"t");
  const auto drawn = Drawn(res);
  ASSERT_EQ(drawn.size(), 4u);
  EXPECT_EQ(drawn[0].text, L"ab");
  EXPECT_EQ(drawn[0].argb, 0xFF000000u);
  EXPECT_EQ(drawn[1].rect.left, 21);
  EXPECT_EQ(drawn[1].argb, 0xFF0000FFu);
  EXPECT_EQ(drawn[3].text, L"gh");
  EXPECT_EQ(drawn[3].rect.left, 63);
  EXPECT_EQ(links.HitTest({30, 10}), 0);
  EXPECT_EQ(links.HitTest({60, 10}), -1);
}

TEST(FormattedText, WrapsCentresAndMeasuresLines) {
  ztest::FakeResources res;
  Rect measure{0, 0, 30, 999};
  CSkinRenderer::PaintFormattedText(nullptr, &res, measure, L"aa bb{n}cc", kColors, -1, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(measure, (Rect{0, 0, 14, 45}));

  zui::Bitmap target(30, 60);
  zui::Canvas canvas(target);
  Rect rect{0, 0, 30, 60};
  CSkinRenderer::PaintFormattedText(&canvas, &res, rect, L"aa bb{n}cc", kColors, -1, DT_WORDBREAK | DT_CENTER);
  const auto drawn = Drawn(res);
  ASSERT_EQ(drawn.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(drawn[i].rect.left, 8) << i;
    EXPECT_EQ(drawn[i].rect.top, 15 * i) << i;
  }
}

TEST(FormattedText, LinkOverTwoLinesHasTwoBoxesAndHoverColoursBoth) {
  ztest::FakeResources res;
  zui::Bitmap target(40, 60);
  zui::Canvas canvas(target);
  Rect rect{0, 0, 40, 60};
  zui::TextLinks links;
  links.hot = 1;
  CSkinRenderer::PaintFormattedText(&canvas, &res, rect, L"x {a}aaa bbb{/a}", kColors, -1, DT_WORDBREAK, &links);
  ASSERT_EQ(links.count, 2);
  EXPECT_EQ(links.targets[0], L"aaa bbb");
  EXPECT_EQ(links.targets[1], L"aaa bbb");
  EXPECT_EQ(links.rects[1].top, 15);
  for (const auto& c : Drawn(res))
    EXPECT_EQ(c.argb, c.text == L"x" ? 0xFF000000u : 0xFFFF0000u) << std::string(c.text.begin(), c.text.end());
}

TEST(FormattedText, UnknownTagsStayTextAndLinksStopAtEight) {
  ztest::FakeResources res;
  zui::Bitmap target(400, 20);
  zui::Canvas canvas(target);
  Rect rect{0, 0, 400, 20};
  zui::TextLinks links;
  std::wstring text = L"{b}bold ";
  for (int i = 0; i < 10; ++i) text += L"{a}l{/a} ";
  CSkinRenderer::PaintFormattedText(&canvas, &res, rect, text, kColors, -1, DT_SINGLELINE, &links);
  EXPECT_EQ(links.count, zui::TextLinks::kMax);
  EXPECT_EQ(Drawn(res).front().text, L"{b}bold");
  // An unclosed tag is text too.
  res.engine.calls.clear();
  CSkinRenderer::PaintFormattedText(&canvas, &res, rect, L"a {a b", kColors, -1, DT_SINGLELINE, &links);
  EXPECT_EQ(links.count, 0);
  EXPECT_EQ(Drawn(res).back().text, L"b");
}

}  // namespace
