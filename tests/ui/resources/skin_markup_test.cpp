#include "ui/resources/skin_markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zui {
namespace {

struct Parsed {
  bool ok;
  std::wstring message;
  std::wstring location;
};

Parsed Parse(CSkinMarkup& markup, const wchar_t* xml) {
  const bool ok = markup.Load(xml);
  return {ok, markup.GetLastErrorMessage(), markup.GetLastErrorLocation()};
}

TEST(SkinMarkup, SkipsDeclarationCommentsAndDoctypeWithoutReadingThem) {
  CSkinMarkup markup;
  ASSERT_TRUE(markup.Load(L"<?xml version=\"img\" encoding=\"utf-8\" standalone=\"yes\" ?>\n"
                          L"<!DOCTYPE skin>\n<!-- a -- b -->\n"
                          L"<Window size=\"484,306\"><!-- inside --><Font id=\"0\"/></Window>"));
  CSkinMarkupNode root = markup.GetRoot();
  ASSERT_TRUE(root.IsValid());
  EXPECT_STREQ(root.GetName(), L"Window");
  EXPECT_STREQ(root.GetAttributeValue(L"size"), L"484,306");
  CSkinMarkupNode font = root.GetChild();
  EXPECT_STREQ(font.GetName(), L"Font");
  EXPECT_FALSE(font.GetSibling().IsValid());
}

TEST(SkinMarkup, SectionWithoutEndConsumesTheRest) {
  CSkinMarkup markup;
  EXPECT_TRUE(markup.Load(L"<a x=\"1\"/><!-- never closed <b/>"));
  EXPECT_STREQ(markup.GetRoot().GetName(), L"a");
  EXPECT_EQ(markup.ElementCount(), 2u);
  // The section swallows the closing tag, so the deeper element ends open.
  EXPECT_FALSE(markup.Load(L"<a><b><!-- open </b></a>"));
  EXPECT_STREQ(markup.GetLastErrorMessage(), L"Expected start tag");
}

TEST(SkinMarkup, DocumentsWithoutElementsParseWithoutRoot) {
  CSkinMarkup markup;
  for (const wchar_t* xml : {L"", L"   \r\n\t ", L"<?xml version=\"1.0\"?>", L"<!-- only a comment -->"}) {
    EXPECT_TRUE(markup.Load(xml)) << "for: " << std::wstring(xml).size();
    EXPECT_FALSE(markup.GetRoot().IsValid());
    EXPECT_STREQ(markup.GetRoot().GetName(), L"");
  }
}

TEST(SkinMarkup, DecodesTheFiveEntitiesAndLeavesOthers) {
  CSkinMarkup markup;
  ASSERT_TRUE(
      markup.Load(L"<a v=\"x &amp;&lt; y\" t=\"AT&T\" n=\"&#65;\" q=\"say &quot;hi&quot; &apos;&gt;\" last=\"ok\"/>"));
  CSkinMarkupNode a = markup.GetRoot();
  EXPECT_STREQ(a.GetAttributeValue(L"v"), L"x &< y");
  EXPECT_STREQ(a.GetAttributeValue(L"t"), L"AT&T");
  EXPECT_STREQ(a.GetAttributeValue(L"n"), L"&#65;");
  EXPECT_STREQ(a.GetAttributeValue(L"q"), L"say \"hi\" '>");
  // A value shortened by decoding must not hide the attributes after it.
  EXPECT_EQ(a.GetAttributeCount(), 5);
  EXPECT_STREQ(a.GetAttributeName(4), L"last");
  EXPECT_STREQ(a.GetAttributeValue(4), L"ok");
}

TEST(SkinMarkup, AttributeSyntax) {
  CSkinMarkup markup;
  Parsed single = Parse(markup, L"<a v='x'/>");
  EXPECT_FALSE(single.ok);
  EXPECT_EQ(single.message, L"Expected attribute value");
  EXPECT_EQ(single.location, L"'x'/>");

  ASSERT_TRUE(markup.Load(L"<a v = \"x\" w=\"it's\"/>"));
  EXPECT_STREQ(markup.GetRoot().GetAttributeValue(L"v"), L"x");
  EXPECT_STREQ(markup.GetRoot().GetAttributeValue(L"w"), L"it's");

  Parsed dash = Parse(markup, L"<a b-c=\"1\"/>");
  EXPECT_FALSE(dash.ok);
  EXPECT_EQ(dash.message, L"Error while parsing attributes");
  EXPECT_EQ(dash.location, L"-c=\"1\"/>");

  Parsed open = Parse(markup, L"<a b=\"never closed/>");
  EXPECT_FALSE(open.ok);
  EXPECT_EQ(open.message, L"Error while parsing attribute string");
}

TEST(SkinMarkup, AttributeLookupIgnoresCaseAndRefusesBadIndexes) {
  CSkinMarkup markup;
  ASSERT_TRUE(markup.Load(L"<Button Name=\"close\" TEXTCOLOR=\"#FF000000\"/>"));
  CSkinMarkupNode node = markup.GetRoot();
  EXPECT_TRUE(node.HasAttributes());
  EXPECT_TRUE(node.HasAttribute(L"name"));
  EXPECT_FALSE(node.HasAttribute(L"nam"));
  EXPECT_STREQ(node.GetAttributeValue(L"textcolor"), L"#FF000000");
  EXPECT_STREQ(node.GetAttributeValue(L"missing"), L"");
  EXPECT_STREQ(node.GetAttributeName(-1), L"");
  EXPECT_STREQ(node.GetAttributeValue(2), L"");

  wchar_t buffer[4];
  EXPECT_TRUE(node.GetAttributeValue(L"name", buffer, 4));
  EXPECT_STREQ(buffer, L"clo");  // cut, and still terminated
  EXPECT_FALSE(node.GetAttributeValue(L"other", buffer, 4));

  CSkinMarkupNode invalid;
  EXPECT_EQ(invalid.GetAttributeCount(), 0);
  EXPECT_STREQ(invalid.GetAttributeValue(L"name"), L"");
  EXPECT_FALSE(invalid.GetChild().IsValid());
}

TEST(SkinMarkup, ExposesAtMost64Attributes) {
  std::wstring xml = L"<a";
  for (int i = 0; i < 65; ++i) xml += L" k" + std::to_wstring(i) + L"=\"" + std::to_wstring(i) + L"\"";
  xml += L"/>";
  CSkinMarkup markup;
  ASSERT_TRUE(markup.Load(xml.c_str()));
  CSkinMarkupNode a = markup.GetRoot();
  EXPECT_EQ(a.GetAttributeCount(), 64);
  EXPECT_STREQ(a.GetAttributeValue(63), L"63");
  EXPECT_STREQ(a.GetAttributeValue(L"k64"), L"");
}

TEST(SkinMarkup, UnclosedRootIsAcceptedButDeeperElementsAreNot) {
  CSkinMarkup markup;
  ASSERT_TRUE(markup.Load(L"<Window><Font id=\"0\"/>"));
  CSkinMarkupNode root = markup.GetRoot();
  EXPECT_STREQ(root.GetName(), L"Window");
  EXPECT_STREQ(root.GetChild().GetName(), L"Font");
  EXPECT_FALSE(root.GetChild().GetSibling().IsValid());

  // The name of an unclosed element ends at its own end.
  ASSERT_TRUE(markup.Load(L"<Window>trailing text"));
  EXPECT_STREQ(markup.GetRoot().GetName(), L"Window");
  EXPECT_EQ(markup.GetRoot().GetAttributeCount(), 0);

  Parsed deep = Parse(markup, L"<a><b><c/>");
  EXPECT_FALSE(deep.ok);
  EXPECT_EQ(deep.message, L"Expected start tag");
  EXPECT_FALSE(markup.GetRoot().IsValid());

  Parsed text = Parse(markup, L"<a><b><c>text");
  EXPECT_FALSE(text.ok);
  EXPECT_EQ(text.message, L"Expected end-tag start");
}

TEST(SkinMarkup, ClosingTagsMustMatch) {
  CSkinMarkup markup;
  Parsed mismatch = Parse(markup, L"<a><b></a>");
  EXPECT_FALSE(mismatch.ok);
  EXPECT_EQ(mismatch.message, L"Unmatched closing tag");
  EXPECT_EQ(mismatch.location, L"a>");

  Parsed noBracket = Parse(markup, L"<a><b></b x></a>");
  EXPECT_FALSE(noBracket.ok);
  EXPECT_EQ(noBracket.message, L"Unmatched closing tag");
  EXPECT_EQ(noBracket.location, L"></a>");

  Parsed atEnd = Parse(markup, L"<a><b></b");
  EXPECT_FALSE(atEnd.ok);
  EXPECT_EQ(atEnd.message, L"Unmatched closing tag");
  EXPECT_EQ(atEnd.location, L"");

  // Blanks may stand before the '>'; a longer closing name is not accepted.
  EXPECT_TRUE(markup.Load(L"<a><b></b  ></a>"));
  EXPECT_FALSE(markup.Load(L"<a><b></bc></a>"));
  // A closing tag at the top ends the document.
  ASSERT_TRUE(markup.Load(L"<a/></x> <<garbage"));
  EXPECT_STREQ(markup.GetRoot().GetName(), L"a");
}

TEST(SkinMarkup, OtherSyntaxErrors) {
  CSkinMarkup markup;
  Parsed name = Parse(markup, L"<Window");
  EXPECT_EQ(name.message, L"Error parsing element name");
  Parsed closing = Parse(markup, L"<a b=\"1\"/ >");
  EXPECT_EQ(closing.message, L"Expected start-tag closing");
  EXPECT_EQ(closing.location, L"/ >");
  Parsed start = Parse(markup, L"<a/>text");
  EXPECT_EQ(start.message, L"Expected start tag");
  EXPECT_EQ(start.location, L"text");
  // The location keeps 49 characters at most.
  Parsed longText = Parse(markup, (L"<a/>" + std::wstring(200, L'x')).c_str());
  EXPECT_EQ(longText.location, std::wstring(49, L'x'));
  EXPECT_FALSE(markup.GetRoot().IsValid());

  EXPECT_TRUE(markup.Load(L"<a/>"));
  EXPECT_STREQ(markup.GetLastErrorMessage(), L"");
}

TEST(SkinMarkup, TreeLinksChildrenAndSiblingsInOrder) {
  CSkinMarkup markup;
  ASSERT_TRUE(markup.Load(L"<w>text<a><a1/><a2>x</a2></a><b/><c></c></w>"));
  CSkinMarkupNode w = markup.GetRoot();
  std::vector<std::wstring> names;
  for (CSkinMarkupNode n = w.GetChild(); n.IsValid(); n = n.GetSibling()) names.push_back(n.GetName());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"a", L"b", L"c"}));
  CSkinMarkupNode a = w.GetChild();
  EXPECT_TRUE(a.HasChildren());
  EXPECT_STREQ(a.GetChild().GetSibling().GetName(), L"a2");
  EXPECT_FALSE(a.GetSibling().HasChildren());
}

TEST(SkinMarkup, WhitespaceIsKeptByDefault) {
  CSkinMarkup markup;
  ASSERT_TRUE(markup.Load(L"<a v=\"one\ntwo   three\"/>"));
  EXPECT_STREQ(markup.GetRoot().GetAttributeValue(L"v"), L"one\ntwo   three");

  markup.SetPreserveWhitespace(false);
  ASSERT_TRUE(markup.Load(L"<a v=\"two   three \n four\" w=\"x\"/>"));
  EXPECT_STREQ(markup.GetRoot().GetAttributeValue(L"v"), L"two three four");
  EXPECT_STREQ(markup.GetRoot().GetAttributeValue(L"w"), L"x");
}

TEST(SkinMarkup, DecodesTheByteEncodings) {
  const std::string utf8 = "<Label text=\"\xE5\xBC\x80\xE5\xA7\x8B\"/>";  // 开始
  CSkinMarkup markup;
  ASSERT_TRUE(markup.LoadFromMem(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size()));
  EXPECT_STREQ(markup.GetRoot().GetAttributeValue(L"text"), L"\u5F00\u59CB");

  const std::string bom = "\xEF\xBB\xBF" + utf8;
  ASSERT_TRUE(markup.LoadFromMem(reinterpret_cast<const uint8_t*>(bom.data()), bom.size(), CSkinMarkup::kUtf8));
  EXPECT_STREQ(markup.GetRoot().GetName(), L"Label");

  const std::wstring wide = L"<a t=\"\u5F00 \U0001F600\"/>";
  std::vector<uint8_t> le{0xFF, 0xFE}, be{0xFE, 0xFF};
  for (wchar_t c : wide) {
    std::vector<uint16_t> units{static_cast<uint16_t>(c)};
    if constexpr (sizeof(wchar_t) == 4) {
      const uint32_t code = static_cast<uint32_t>(c);
      if (code >= 0x10000) {
        units = {static_cast<uint16_t>(0xD800 + ((code - 0x10000) >> 10)),
                 static_cast<uint16_t>(0xDC00 + ((code - 0x10000) & 0x3FF))};
      }
    }
    for (uint16_t u : units) {
      le.insert(le.end(), {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8)});
      be.insert(be.end(), {static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u)});
    }
  }
  for (const auto* bytes : {&le, &be}) {
    ASSERT_TRUE(markup.LoadFromMem(bytes->data(), bytes->size(), CSkinMarkup::kUtf16));
    EXPECT_EQ(std::wstring(markup.GetRoot().GetAttributeValue(L"t")), L"\u5F00 \U0001F600");
  }

  const std::string ansi = "<a t=\"plain\"/>";
  ASSERT_TRUE(markup.LoadFromMem(reinterpret_cast<const uint8_t*>(ansi.data()), ansi.size(), CSkinMarkup::kAnsi));
  EXPECT_STREQ(markup.GetRoot().GetAttributeValue(L"t"), L"plain");
}

TEST(SkinMarkup, ElementTableGrowsByHalfPlus500) {
  std::wstring xml = L"<w>";
  for (int i = 0; i < 2000; ++i) xml += L"<e/>";
  xml += L"</w>";
  CSkinMarkup markup;
  ASSERT_TRUE(markup.Load(xml.c_str()));
  EXPECT_EQ(markup.ElementCount(), 2002u);
  EXPECT_EQ(markup.ElementCapacity(), 2375u);  // 500, 1250, 2375
  int children = 0;
  for (CSkinMarkupNode n = markup.GetRoot().GetChild(); n.IsValid(); n = n.GetSibling()) ++children;
  EXPECT_EQ(children, 2000);
  markup.Release();
  EXPECT_FALSE(markup.GetRoot().IsValid());
}

TEST(SkinMarkup, LargeAndDeeplyNestedSkinsParse) {
  // A wide skin of 4 MB and a chain nested 200000 deep: the reader must not
  // depend on the stack depth.
  std::wstring wide = L"<Window>";
  int items = 0;
  while (wide.size() < 4000000) {
    wide += L"<Button name=\"b" + std::to_wstring(items++) + L"\" text=\"&lt;go&gt;\" pos=\"1,2,3,4\"/>";
  }
  wide += L"</Window>";
  CSkinMarkup markup;
  ASSERT_TRUE(markup.Load(wide.c_str()));
  EXPECT_EQ(markup.ElementCount(), static_cast<uint32_t>(items) + 2);

  const int depth = 200000;
  std::wstring deep;
  for (int i = 0; i < depth; ++i) deep += L"<d>";
  for (int i = 0; i < depth; ++i) deep += L"</d>";
  ASSERT_TRUE(markup.Load(deep.c_str()));
  int levels = 0;
  for (CSkinMarkupNode n = markup.GetRoot(); n.IsValid(); n = n.GetChild()) ++levels;
  EXPECT_EQ(levels, depth);
}

}  // namespace
}  // namespace zui
