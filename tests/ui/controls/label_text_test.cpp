// Labels and text controls in a real window: alignment seen in the pixels,
// the size estimate and its cache, default colours, and links.

#include <cstdint>

#include <gtest/gtest.h>

#include "leaf_window.h"
#include "ui/controls/label.h"
#include "ui/controls/text.h"
#include "ui/render/skin_renderer.h"

namespace ztest {
namespace {

using zui::Rect;

bool Dark(uint32_t p) { return (p & 0xFF) < 0x80; }

// Rows of `area` holding dark pixels, grouped into lines of text.
std::vector<Rect> TextLines(const zui::Bitmap& frame, const Rect& area) {
  std::vector<Rect> lines;
  bool inLine = false;
  for (int y = area.top; y <= area.bottom; ++y) {
    const Rect row = y < area.bottom ? BoundsWhere(frame, {area.left, y, area.right, y + 1}, Dark) : Rect{};
    if (!row.IsEmpty()) {
      if (!inLine) lines.push_back(row);
      else lines.back() = lines.back().Union(row);
      inLine = true;
    } else {
      inLine = false;
    }
  }
  return lines;
}

class LabelTest : public LeafWindowTest {};

TEST_F(LabelTest, CenterAlignCentresOneLineBothWaysAndTopValignMovesItUp) {
  const zui::Bitmap* frame =
      Show(L"<Window size=\"200,100\"><Container bkcolor=\"#FFFFFFFF\">"
           L"<Label float=\"true\" pos=\"0,0,200,50\" align=\"center\" text=\"Hello\" textcolor=\"#FF000000\"/>"
           L"<Label float=\"true\" pos=\"0,50,200,100\" align=\"center\" valign=\"top\" text=\"Hello\""
           L" textcolor=\"#FF000000\"/>"
           L"</Container></Window>");
  ASSERT_NE(frame, nullptr);
  const Rect centred = BoundsWhere(*frame, {0, 0, 200, 50}, Dark);
  const Rect top = BoundsWhere(*frame, {0, 50, 200, 100}, Dark);
  ASSERT_FALSE(centred.IsEmpty());
  ASSERT_FALSE(top.IsEmpty());
  EXPECT_NEAR((centred.left + centred.right) / 2.0, 100, 2);
  EXPECT_NEAR((centred.top + centred.bottom) / 2.0, 25, 3);
  EXPECT_NEAR((top.left + top.right) / 2.0, 100, 2);
  EXPECT_LT(top.top - 50, 6);
  EXPECT_EQ(top.Width(), centred.Width());
}

TEST_F(LabelTest, StyleWordsSetAndClearTheirBits) {
  Show(L"<Window><Container>"
       L"<Label name=\"a\" align=\"right\" valign=\"bottom\" endellipsis=\"true\"/>"
       L"<Label name=\"b\" align=\"center\" wordbreak=\"true\" noprefix=\"false\"/>"
       L"<Label name=\"c\" align=\"center\" align=\"left\"/>"
       L"</Container></Window>");
  EXPECT_EQ(Find<zui::CLabelUI>(L"a")->GetTextStyle(),
            unsigned{DT_NOPREFIX | DT_SINGLELINE | DT_RIGHT | DT_BOTTOM | DT_END_ELLIPSIS});
  EXPECT_EQ(Find<zui::CLabelUI>(L"b")->GetTextStyle(),
            unsigned{DT_VCENTER | DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL});
  EXPECT_EQ(Find<zui::CLabelUI>(L"c")->GetTextStyle() & (DT_CENTER | DT_RIGHT), 0u);
  EXPECT_TRUE(Find<zui::CLabelUI>(L"a")->HasInterface(L"label"));
}

TEST_F(LabelTest, EstimateFollowsTextFontAndPaddingAndIsCachedOtherwise) {
  Show(L"<Window><Container>"
       L"<Label name=\"auto\" autocalcwidth=\"true\" textpadding=\"3,2,5,4\" text=\"abc\"/>"
       L"</Container></Window>");
  auto* label = Find<zui::CLabelUI>(L"auto");
  ASSERT_NE(label, nullptr);
  const int charHeight = Manager().GetFont(-1)->Metrics().height;
  const zui::Size first = label->EstimateSize({500, 500});
  EXPECT_EQ(first.cy, 2 + charHeight + 4 + 8);
  Rect measured{0, 0, 9999, 9999};
  zui::CSkinRenderer::PaintText(nullptr, &Manager(), measured, L"abc", 0xFF000000, -1,
                                DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  EXPECT_EQ(first.cx, measured.Width() + 3 + 5);

  label->SetText(L"abcabc");
  const zui::Size longer = label->EstimateSize({500, 500});
  EXPECT_GT(longer.cx, first.cx);
  label->SetTextPadding({0, 0, 0, 0});
  EXPECT_EQ(label->EstimateSize({500, 500}).cx, longer.cx - 8);
  // A fixed width is honoured as soon as it is set, cache or not.
  label->SetFixedWidth(40);
  EXPECT_EQ(label->EstimateSize({500, 500}).cx, 40);
}

TEST_F(LabelTest, ExtremePaddingsSaturateInsteadOfWrapping) {
  const zui::Bitmap* frame =
      Show(L"<Window><Container bkcolor=\"#FFFFFFFF\">"
           L"<Label name=\"l\" float=\"true\" pos=\"0,0,200,50\" autocalcwidth=\"true\" text=\"abc\""
           L" textpadding=\"2147483647,2147483647,2147483647,2147483647\"/>"
           L"<Label name=\"w\" autocalcwidth=\"true\" text=\"abc\" textpadding=\"2147483647,0,2147483647,0\"/>"
           L"</Container></Window>");
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(BoundsWhere(*frame, {0, 0, 200, 50}, Dark).IsEmpty());
  const zui::Size size = Find<zui::CLabelUI>(L"w")->EstimateSize({100, 100});
  EXPECT_EQ(size.cx, INT32_MAX);
  EXPECT_GT(size.cy, 0);
}

TEST_F(LabelTest, MultiLineAutoHeightWrapsWithinTheWidth) {
  Show(L"<Window><Container>"
       L"<Label name=\"l\" wordbreak=\"true\" autocalcheight=\"true\" width=\"60\" text=\"one two three four five\"/>"
       L"<Label name=\"free\" wordbreak=\"true\" autocalcheight=\"true\" text=\"one two three four five\"/>"
       L"</Container></Window>");
  const int charHeight = Manager().GetFont(-1)->Metrics().height;
  const zui::Size size = Find<zui::CLabelUI>(L"l")->EstimateSize({300, 300});
  EXPECT_EQ(size.cx, 60);
  EXPECT_GE(size.cy, 2 * charHeight);
  // No fixed width: it wraps within the width offered instead of a negative one.
  EXPECT_EQ(Find<zui::CLabelUI>(L"free")->EstimateSize({1000, 300}).cy, charHeight);
}

TEST_F(LabelTest, DefaultColoursComeFromTheWindowAtFirstPaintAndDisabledUsesItsOwn) {
  const zui::Bitmap* frame =
      Show(L"<Window defaultfontcolor=\"#FF0000FF\" disabledfontcolor=\"#FFFF0000\"><Container bkcolor=\"#FFFFFFFF\">"
           L"<Label name=\"on\" float=\"true\" pos=\"0,0,200,50\" text=\"IIII\"/>"
           L"<Label name=\"off\" float=\"true\" pos=\"0,50,200,100\" text=\"IIII\" enabled=\"false\"/>"
           L"</Container></Window>");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(Find<zui::CLabelUI>(L"on")->GetTextColor(), 0xFF0000FFu);
  EXPECT_EQ(Find<zui::CLabelUI>(L"off")->GetDisabledTextColor(), 0xFFFF0000u);
  EXPECT_TRUE(HasTextColour(*frame, {0, 0, 200, 50}, 0xFFFFFFFF, 0xFF0000FF));
  EXPECT_TRUE(HasTextColour(*frame, {0, 50, 200, 100}, 0xFFFFFFFF, 0xFFFF0000));
  EXPECT_FALSE(HasTextColour(*frame, {0, 50, 200, 100}, 0xFFFFFFFF, 0xFF0000FF));
}

class TextTest : public LeafWindowTest {};

TEST_F(TextTest, CenteredTextCentresEveryWrappedLineFromTheTop) {
  const zui::Bitmap* frame =
      Show(L"<Window size=\"200,100\"><Container bkcolor=\"#FFFFFFFF\">"
           L"<Text name=\"t\" float=\"true\" pos=\"0,0,120,100\" align=\"center\" textcolor=\"#FF000000\""
           L" text=\"wide words here and a few\"/>"
           L"</Container></Window>");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(Find<zui::CTextUI>(L"t")->GetTextStyle(), unsigned{DT_WORDBREAK | DT_CENTER});
  const std::vector<Rect> lines = TextLines(*frame, {0, 0, 120, 100});
  ASSERT_GE(lines.size(), 2u);
  EXPECT_LT(lines[0].top, 6);
  // Padding 2,0,2,0 keeps the centre of the text rectangle at 60.
  for (const Rect& line : lines) EXPECT_NEAR((line.left + line.right) / 2.0, 60, 2);
  EXPECT_NE(lines[0].Width(), lines[1].Width());
}

TEST_F(TextTest, FormattedLinkIsFoundClickedAndShowsTheHand) {
  const zui::Bitmap* frame =
      Show(L"<Window size=\"200,60\" linkfontcolor=\"#FF0000FF\" linkhoverfontcolor=\"#FFFF0000\">"
           L"<Container bkcolor=\"#FFFFFFFF\">"
           L"<Text name=\"t\" float=\"true\" pos=\"0,0,200,60\" showhtml=\"true\" textcolor=\"#FF000000\""
           L" text=\"Go {a home}over here{/a} now {a}next{/a}\"/>"
           L"</Container></Window>",
           {200, 60});
  ASSERT_NE(frame, nullptr);
  auto* text = Find<zui::CTextUI>(L"t");
  ASSERT_EQ(text->GetLinkCount(), 2);
  EXPECT_EQ(*text->GetLinkContent(0), L"home");
  EXPECT_EQ(*text->GetLinkContent(1), L"next");
  const Rect link = text->GetLinkRect(0);
  const Rect blue =
      BoundsWhere(*frame, {0, 0, 200, 60}, [](uint32_t p) { return (p & 0xFF) > 0xC0 && ((p >> 16) & 0xFF) < 0x40; });
  EXPECT_TRUE(link.Intersects(blue));
  EXPECT_GT(text->GetLinkRect(1).left, link.right);

  const zui::Point inside{(link.left + link.right) / 2, (link.top + link.bottom) / 2};
  Host().MoveMouse(Handle(), inside);
  const zui::Bitmap& hot = Pump();
  EXPECT_EQ(text->GetHotLink(), 0);
  EXPECT_EQ(Host().Cursor(), zui::kCursorHand);
  EXPECT_FALSE(
      BoundsWhere(hot, link, [](uint32_t p) { return ((p >> 16) & 0xFF) > 0xC0 && (p & 0xFF) < 0x40; }).IsEmpty());

  Host().ClickLeft(Handle(), inside);
  Pump();
  ASSERT_EQ(Count(L"link"), 1);
  for (const auto& n : notes_)
    if (n.type == L"link") {
      EXPECT_EQ(n.wParam, 0u);
    }

  Host().MoveMouse(Handle(), {2, 50});
  Pump();
  EXPECT_EQ(text->GetHotLink(), -1);
  EXPECT_NE(Host().Cursor(), zui::kCursorHand);
}

TEST_F(TextTest, PlainTextHasNoLinksAndEmptyTextForgetsThem) {
  Show(L"<Window><Container>"
       L"<Text name=\"t\" float=\"true\" pos=\"0,0,200,60\" text=\"Go {a}x{/a}\"/>"
       L"<Text name=\"h\" float=\"true\" pos=\"0,60,200,100\" showhtml=\"true\" text=\"{a}x{/a}\"/>"
       L"</Container></Window>");
  EXPECT_EQ(Find<zui::CTextUI>(L"t")->GetLinkCount(), 0);
  auto* html = Find<zui::CTextUI>(L"h");
  EXPECT_EQ(html->GetLinkCount(), 1);
  html->SetText(L"");
  Pump();
  EXPECT_EQ(html->GetLinkCount(), 0);
}

}  // namespace
}  // namespace ztest
