#include "ui/text/text_layout.h"

#include <string>

#include <gtest/gtest.h>

#include "ui/text/text_format.h"

namespace zui {
namespace {

// A font whose widths are easy to add up: ideographs 20, '.' 4, the rest 10;
// lines are 16 pixels high.
class FakeMeasure final : public ITextMeasure {
 public:
  int Advance(char32_t code) override {
    if (IsWideBreakable(code)) return 20;
    if (code == U'.') return 4;
    return 10;
  }
};

FontMetrics FakeMetrics() {
  FontMetrics m;
  m.ascent = 13;
  m.descent = 3;
  m.height = 16;
  m.externalLeading = 2;
  m.aveCharWidth = 10;
  return m;
}

struct Laid {
  TextLayout layout;
  std::vector<std::u32string> texts;
};

Laid Lay(const std::wstring& text, Rect rect, unsigned format) {
  FakeMeasure measure;
  Laid laid;
  laid.layout = LayoutText(PrepareTextChars(text, format), measure, FakeMetrics(), rect, format);
  for (const PlacedLine& line : laid.layout.lines) {
    std::u32string s;
    for (const PlacedChar& c : line.chars) s.push_back(c.code);
    laid.texts.push_back(s);
  }
  return laid;
}

using Lines = std::vector<std::u32string>;

TEST(TextLayout, MeasuresOneLine) {
  const Laid laid = Lay(L"Hello", {5, 7, 5, 7}, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(laid.layout.extent, (Rect{5, 7, 55, 23}));
  EXPECT_EQ(laid.layout.height, 16);
}

TEST(TextLayout, EmptyTextHasNoLines) {
  const Laid laid = Lay(L"", {0, 0, 100, 100}, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_TRUE(laid.layout.lines.empty());
  EXPECT_EQ(laid.layout.extent, (Rect{0, 0, 0, 0}));
  EXPECT_EQ(laid.layout.height, 0);
}

TEST(TextLayout, LatinWrapsAtSpacesAndDropsTheSpacesAtTheBreak) {
  const Laid laid = Lay(L"aaa bbb ccc", {0, 0, 75, 100}, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(laid.texts, (Lines{U"aaa bbb", U"ccc"}));
  EXPECT_EQ(laid.layout.extent, (Rect{0, 0, 70, 32}));
  EXPECT_EQ(laid.layout.height, 32);
}

TEST(TextLayout, ChineseBreaksBetweenAnyTwoCharacters) {
  const Laid laid = Lay(L"修复中请勿退出", {0, 0, 65, 100}, DT_WORDBREAK);
  EXPECT_EQ(laid.texts, (Lines{U"修复中", U"请勿退", U"出"}));
  EXPECT_EQ(laid.layout.lines[0].width, 60);
}

TEST(TextLayout, ClosingPunctuationStaysWithThePreviousCharacter) {
  const Laid laid = Lay(L"修复中，请勿", {0, 0, 60, 100}, DT_WORDBREAK);
  EXPECT_EQ(laid.texts, (Lines{U"修复", U"中，请", U"勿"}));
}

TEST(TextLayout, OpeningPunctuationDoesNotEndALine) {
  const Laid laid = Lay(L"修复【Reset】", {0, 0, 60, 100}, DT_WORDBREAK);
  EXPECT_EQ(laid.texts.front(), U"修复");
}

TEST(TextLayout, LatinNextToChineseBreaksAtTheScriptChange) {
  const Laid laid = Lay(L"Vombel修复", {0, 0, 80, 100}, DT_WORDBREAK);
  EXPECT_EQ(laid.texts, (Lines{U"Vombel修", U"复"}));
}

TEST(TextLayout, LongWordOverflowsAndWidensTheMeasuredRect) {
  const Laid laid = Lay(L"abcdefghij xy", {0, 0, 50, 100}, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(laid.texts, (Lines{U"abcdefghij", U"xy"}));
  EXPECT_EQ(laid.layout.extent.right, 100);
}

TEST(TextLayout, EditControlBreakingCutsLongWords) {
  const Laid laid = Lay(L"abcdefghij xy", {0, 0, 50, 100}, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT);
  EXPECT_EQ(laid.texts, (Lines{U"abcde", U"fghij", U"xy"}));
  EXPECT_EQ(laid.layout.extent, (Rect{0, 0, 50, 48}));
}

TEST(TextLayout, LineBreakCharactersStartNewLinesUnlessSingleLine) {
  EXPECT_EQ(Lay(L"ab\r\ncd\nef\rgh\n", {0, 0, 200, 100}, 0).texts, (Lines{U"ab", U"cd", U"ef", U"gh"}));
  EXPECT_EQ(Lay(L"a\n\nb", {0, 0, 200, 100}, 0).texts, (Lines{U"a", U"", U"b"}));
  EXPECT_EQ(Lay(L"ab\r\ncd\n", {0, 0, 200, 100}, DT_SINGLELINE).texts, (Lines{U"abcd"}));
}

TEST(TextLayout, EndEllipsisCutsAWideSingleLine) {
  const Laid laid = Lay(L"abcdefghij", {0, 0, 55, 20}, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(laid.texts, (Lines{U"abcd..."}));
  EXPECT_EQ(laid.layout.lines[0].width, 52);
  EXPECT_EQ(Lay(L"abcde", {0, 0, 55, 20}, DT_SINGLELINE | DT_END_ELLIPSIS).texts, (Lines{U"abcde"}));
}

TEST(TextLayout, EndEllipsisWithMeasuringReportsTheCutWidth) {
  const Laid laid = Lay(L"abcdefghij", {0, 0, 55, 20}, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
  EXPECT_EQ(laid.layout.extent, (Rect{0, 0, 52, 16}));
}

TEST(TextLayout, WrappedTextTallerThanTheRectEndsWithEllipsisOnTheLastLineThatFits) {
  const Laid laid = Lay(L"aaa bbb ccc ddd", {0, 0, 35, 40}, DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS);
  EXPECT_EQ(laid.texts, (Lines{U"aaa", U"bb..."}));
  EXPECT_EQ(laid.layout.height, 64);  // the return value still counts every line
}

TEST(TextLayout, EditControlHidesAPartlyVisibleLastLine) {
  EXPECT_EQ(Lay(L"aaa bbb ccc ddd", {0, 0, 35, 40}, DT_WORDBREAK | DT_EDITCONTROL).texts.size(), 2u);
  EXPECT_EQ(Lay(L"aaa bbb ccc ddd", {0, 0, 35, 40}, DT_WORDBREAK).texts.size(), 4u);
  // Never less than one line, even in a rectangle too low for it.
  EXPECT_EQ(Lay(L"aaa bbb", {0, 0, 35, 5}, DT_WORDBREAK | DT_EDITCONTROL).texts.size(), 1u);
  const Laid measured = Lay(L"aaa bbb ccc ddd", {0, 0, 35, 40}, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT);
  EXPECT_EQ(measured.layout.extent.bottom, 64);
}

TEST(TextLayout, HorizontalAlignmentPlacesEachLine) {
  const Laid centred = Lay(L"ab cdef", {10, 0, 70, 100}, DT_WORDBREAK | DT_CENTER);
  ASSERT_EQ(centred.texts, (Lines{U"ab", U"cdef"}));
  EXPECT_EQ(centred.layout.lines[0].x, 10 + (60 - 20) / 2);
  EXPECT_EQ(centred.layout.lines[1].x, 10 + (60 - 40) / 2);
  const Laid right = Lay(L"ab", {10, 0, 70, 100}, DT_SINGLELINE | DT_RIGHT);
  EXPECT_EQ(right.layout.lines[0].x, 50);
}

TEST(TextLayout, VerticalPlacementAppliesToSingleLinesOnly) {
  const Rect rect{0, 10, 100, 50};
  const Laid centred = Lay(L"ab", rect, DT_SINGLELINE | DT_VCENTER);
  EXPECT_EQ(centred.layout.lines[0].y, 10 + (40 - 16) / 2);
  EXPECT_EQ(centred.layout.height, 12 + 16);  // from the top of the rect to the bottom of the text
  const Laid bottom = Lay(L"ab", rect, DT_SINGLELINE | DT_BOTTOM);
  EXPECT_EQ(bottom.layout.lines[0].y, 34);
  EXPECT_EQ(bottom.layout.height, 40);
  EXPECT_EQ(Lay(L"ab", rect, DT_VCENTER | DT_WORDBREAK).layout.lines[0].y, 10);
  // Measuring ignores the vertical placement.
  EXPECT_EQ(Lay(L"ab", rect, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT).layout.extent, (Rect{0, 10, 20, 26}));
}

TEST(TextLayout, ExternalLeadingIsAddedOnlyWhenAsked) {
  EXPECT_EQ(Lay(L"a\nb", {0, 0, 100, 100}, DT_CALCRECT).layout.height, 32);
  EXPECT_EQ(Lay(L"a\nb", {0, 0, 100, 100}, DT_CALCRECT | DT_EXTERNALLEADING).layout.height, 36);
}

TEST(TextLayout, TabsExpandToEightAverageCharactersWhenAsked) {
  const Laid expanded = Lay(L"a\tb", {0, 0, 200, 20}, DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_EQ(expanded.layout.lines[0].chars[2].x, 80);
  const Laid plain = Lay(L"a\tb", {0, 0, 200, 20}, DT_SINGLELINE);
  EXPECT_EQ(plain.layout.lines[0].chars[2].x, 20);
}

TEST(TextLayout, PrefixUnderlineSurvivesLayout) {
  const Laid laid = Lay(L"&Open", {0, 0, 100, 20}, DT_SINGLELINE);
  ASSERT_EQ(laid.texts, (Lines{U"Open"}));
  EXPECT_TRUE(laid.layout.lines[0].chars[0].prefixUnderline);
  EXPECT_FALSE(laid.layout.lines[0].chars[1].prefixUnderline);
}

}  // namespace
}  // namespace zui
