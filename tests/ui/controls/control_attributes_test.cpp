// The attribute vocabulary of every control as skins write it: number and
// rectangle formats, the pos / float / floatalign / bordersize / cursor
// forms, attribute lists, custom attributes and values that overflow.

#include <climits>

#include <gtest/gtest.h>

#include "ui/controls/control.h"
#include "ui/base/messages.h"

namespace zui {
namespace {

TEST(ControlAttributes, RectanglesReadFourNumbersAndZeroTheMissingOnes) {
  CControlUI a, b, c;
  a.SetAttribute(L"padding", L"15,0,0,");
  b.SetAttribute(L"padding", L"15,0,0,0");
  c.SetAttribute(L"padding", L"163,8");
  EXPECT_EQ(a.GetPadding(), (Rect{15, 0, 0, 0}));
  EXPECT_EQ(b.GetPadding(), a.GetPadding());
  EXPECT_EQ(c.GetPadding(), (Rect{163, 8, 0, 0}));
}

TEST(ControlAttributes, NamesIgnoreCaseAndUnknownOnesBecomeCustomKeepingTheFirstValue) {
  CControlUI c;
  c.SetAttribute(L"BkColor", L"#FF212121");
  c.SetAttribute(L"BKCOLOR1", L"#FF313131");
  EXPECT_EQ(c.GetBkColor(), 0xFF313131u);
  c.SetAttribute(L"sepwidth", L"4");
  c.SetAttribute(L"sepwidth", L"9");
  ASSERT_NE(c.GetCustomAttribute(L"sepwidth"), nullptr);
  EXPECT_EQ(*c.GetCustomAttribute(L"sepwidth"), L"4");
  EXPECT_EQ(c.GetFixedWidth(), 0);
  EXPECT_TRUE(c.RemoveCustomAttribute(L"sepwidth"));
  EXPECT_EQ(c.GetCustomAttribute(L"sepwidth"), nullptr);
  // Without a manager there is no style table: the name is kept.
  c.SetAttribute(L"style", L"big");
  ASSERT_NE(c.GetCustomAttribute(L"style"), nullptr);
  EXPECT_EQ(*c.GetCustomAttribute(L"style"), L"big");
}

TEST(ControlAttributes, PosGivesTheCornerAndTheSizeIgnoringNegativeExtents) {
  CControlUI sized;
  sized.SetAttribute(L"width", L"86");
  sized.SetAttribute(L"height", L"25");
  sized.SetAttribute(L"pos", L"163,8");
  EXPECT_EQ(sized.GetFixedXY(), (Point{163, 8}));
  EXPECT_EQ(sized.GetFixedSize(), (Size{86, 25}));

  CControlUI negative;
  negative.SetAttribute(L"pos", L"-30,0,-10,20");
  EXPECT_EQ(negative.GetFixedXY(), (Point{-10, 0}));
  EXPECT_EQ(negative.GetFixedSize(), (Size{20, 20}));

  // pos after width/height: r - l = 0 is taken, b - t = -274 is not.
  CControlUI late;
  late.SetAttribute(L"width", L"484");
  late.SetAttribute(L"height", L"14");
  late.SetAttribute(L"pos", L"0,274,0,0");
  EXPECT_EQ(late.GetFixedXY(), (Point{0, 274}));
  EXPECT_EQ(late.GetFixedSize(), (Size{0, 14}));
}

TEST(ControlAttributes, SizeLimitsIgnoreNegativeValues) {
  CControlUI c;
  EXPECT_EQ(c.GetMaxWidth(), 9999);
  c.SetAttribute(L"minwidth", L"10");
  c.SetAttribute(L"minwidth", L"-5");
  c.SetAttribute(L"maxheight", L"40");
  c.SetAttribute(L"width", L"-1");
  EXPECT_EQ(c.GetMinWidth(), 10);
  EXPECT_EQ(c.GetMaxHeight(), 40);
  EXPECT_EQ(c.GetFixedWidth(), 0);
}

TEST(ControlAttributes, FloatIsABooleanOrFourFractions) {
  CControlUI c;
  c.SetAttribute(L"float", L"TRUE");
  EXPECT_TRUE(c.IsFloat());
  c.SetAttribute(L"float", L"yes");
  EXPECT_FALSE(c.IsFloat());
  c.SetAttribute(L"float", L"0.5, 0.25,1,+1");
  EXPECT_TRUE(c.IsFloat());
  const auto p = c.GetFloatPercent();
  EXPECT_DOUBLE_EQ(p.left, 0.5);
  EXPECT_DOUBLE_EQ(p.top, 0.25);
  EXPECT_DOUBLE_EQ(p.right, 1.0);
  EXPECT_DOUBLE_EQ(p.bottom, 1.0);
  // Unreadable, infinite and not-a-number fractions count as 0.
  c.SetAttribute(L"float", L"x,1e999,nan,0.75");
  const auto q = c.GetFloatPercent();
  EXPECT_EQ(q.left, 0);
  EXPECT_EQ(q.top, 0);
  EXPECT_EQ(q.right, 0);
  EXPECT_DOUBLE_EQ(q.bottom, 0.75);
}

TEST(ControlAttributes, FloatAlignWordsWorkFromTheCurrentAlignment) {
  CControlUI c;
  c.SetAttribute(L"floatalign", L"center,vcenter");
  EXPECT_EQ(c.GetFloatAlign(), kFloatAlignCenter | kFloatAlignVCenter);
  c.SetAttribute(L"floatalign", L"right");
  EXPECT_EQ(c.GetFloatAlign(), kFloatAlignRight | kFloatAlignVCenter);
  c.SetAttribute(L"floatalign", L"bottom left");
  EXPECT_EQ(c.GetFloatAlign(), kFloatAlignBottom);
  c.SetAttribute(L"floatalign", L"top");
  EXPECT_EQ(c.GetFloatAlign(), 0u);
  c.SetAttribute(L"floatalign", L"right,bottom");
  c.SetAttribute(L"floatalign", L"null");
  EXPECT_EQ(c.GetFloatAlign(), 0u);
}

TEST(ControlAttributes, BorderSizeIsUniformOrPerSide) {
  CControlUI c;
  c.SetAttribute(L"bordersize", L"1,2,3,4");
  EXPECT_EQ(c.GetBorderSides(), (Rect{1, 2, 3, 4}));
  EXPECT_EQ(c.GetBorderSize(), 0);
  c.SetAttribute(L"bordersize", L"2");
  EXPECT_EQ(c.GetBorderSize(), 2);
  EXPECT_EQ(c.GetBorderSides(), (Rect{}));
  c.SetAttribute(L"rightbordersize", L"5");
  c.SetAttribute(L"topbordersize", L"1");
  EXPECT_EQ(c.GetBorderSides(), (Rect{0, 1, 5, 0}));
  c.SetAttribute(L"borderround", L"6,4");
  EXPECT_EQ(c.GetBorderRound(), (Size{6, 4}));
}

TEST(ControlAttributes, CursorWordsMapToSystemCursorsAndOthersChangeNothing) {
  CControlUI c;
  EXPECT_EQ(c.GetCursor(), 0);
  c.SetAttribute(L"cursor", L"hand");
  EXPECT_EQ(c.GetCursor(), kCursorHand);
  c.SetAttribute(L"cursor", L"pointer");
  EXPECT_EQ(c.GetCursor(), kCursorHand);
  c.SetAttribute(L"cursor", L"sizewe");
  EXPECT_EQ(c.GetCursor(), kCursorSizeWE);
}

TEST(ControlAttributes, TextShortcutAndFlags) {
  CControlUI c;
  c.SetAttribute(L"text", L"line one{\\n}line two{\\n}");
  EXPECT_EQ(c.GetText(), L"line one\nline two\n");
  c.SetAttribute(L"shortcut", L"Save");
  EXPECT_EQ(c.GetShortcut(), L'S');
  c.SetAttribute(L"shortcut", L"");
  EXPECT_EQ(c.GetShortcut(), L'\0');
  c.SetAttribute(L"enabled", L"false");
  c.SetAttribute(L"mouse", L"False");
  c.SetAttribute(L"menu", L"true");
  c.SetAttribute(L"visible", L"0");  // only "true" is true
  EXPECT_FALSE(c.IsEnabled());
  EXPECT_FALSE(c.IsMouseEnabled());
  EXPECT_TRUE(c.IsContextMenuUsed());
  EXPECT_FALSE(c.IsVisible());
}

TEST(ControlAttributes, ValuesBeyondTheIntRangeSaturate) {
  CControlUI c;
  c.SetAttribute(L"width", L"99999999999999999999");
  EXPECT_EQ(c.GetFixedWidth(), INT_MAX);
  c.SetAttribute(L"pos", L"-2147483648,-5,2147483647,2147483647");
  EXPECT_EQ(c.GetFixedXY(), (Point{2147483647, 2147483647}));
  EXPECT_EQ(c.GetFixedWidth(), INT_MAX);
  EXPECT_EQ(c.GetFixedHeight(), INT_MAX);
  c.Move({INT_MAX, INT_MIN});
  EXPECT_EQ(c.GetFixedXY(), (Point{INT_MAX, 2147483647 + INT_MIN}));
}

TEST(ControlAttributeLists, ItemsAreSeparatedByExactlyOneCommaOrBlank) {
  CControlUI c;
  c.ApplyAttributeList(L"name=\"ok\",text=\"Hi there\" width=\"12\"");
  EXPECT_EQ(c.GetName(), L"ok");
  EXPECT_EQ(c.GetText(), L"Hi there");
  EXPECT_EQ(c.GetFixedWidth(), 12);

  // Two blanks: the second one belongs to the next name.
  CControlUI d;
  d.ApplyAttributeList(L"a=\"1\"  b=\"2\"");
  ASSERT_NE(d.GetCustomAttribute(L"a"), nullptr);
  EXPECT_EQ(*d.GetCustomAttribute(L"a"), L"1");
  ASSERT_NE(d.GetCustomAttribute(L" b"), nullptr);
  EXPECT_EQ(*d.GetCustomAttribute(L" b"), L"2");
  EXPECT_EQ(d.GetCustomAttribute(L"b"), nullptr);
}

TEST(ControlAttributeLists, MalformedListsStopQuietly) {
  CControlUI c;
  c.ApplyAttributeList(L"width=\"10\"height=\"20\"");  // nothing after the quote
  EXPECT_EQ(c.GetFixedSize(), (Size{10, 0}));
  c.ApplyAttributeList(L"height=20 width=\"30\"");  // no opening quote
  EXPECT_EQ(c.GetFixedSize(), (Size{10, 0}));
  c.ApplyAttributeList(L"height=\"40");  // no closing quote
  EXPECT_EQ(c.GetFixedHeight(), 0);
  c.ApplyAttributeList(L"");
  c.ApplyAttributeList(L"height=\"7\",");
  EXPECT_EQ(c.GetFixedHeight(), 7);
}

TEST(ControlAttributeLists, QuotEntitiesStandForQuotesSoListsNestInAttributes) {
  CControlUI c;
  c.ApplyAttributeList(L"name=&quot;x&quot; text=&quot;y&quot;");
  EXPECT_EQ(c.GetName(), L"x");
  EXPECT_EQ(c.GetText(), L"y");
  c.SetAttribute(L"innerstyle", L"width=&quot;5&quot;,height=&quot;6&quot;");
  EXPECT_EQ(c.GetFixedSize(), (Size{5, 6}));
}

}  // namespace
}  // namespace zui
