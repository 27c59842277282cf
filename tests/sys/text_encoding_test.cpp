#include "sys/text_encoding.h"

#include <gtest/gtest.h>

using zsys::Utf8ToWide;
using zsys::WideToUtf8;

TEST(TextEncoding, RoundTripsChineseAndAstralText) {
  const std::string utf8 = "\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91 ok \xF0\x9F\x98\x80";  // 微软雅黑 ok 😀
  const std::wstring wide = Utf8ToWide(utf8);
  EXPECT_EQ(wide.substr(0, 4), L"\u5FAE\u8F6F\u96C5\u9ED1");
  EXPECT_EQ(WideToUtf8(wide), utf8);
}

TEST(TextEncoding, MalformedBytesBecomeReplacementCharacters) {
  // a lone continuation byte, a truncated three-byte sequence, an overlong slash
  const std::wstring wide = Utf8ToWide(std::string("a\x80"
                                                   "b\xE5\xBE"
                                                   "\xC0\xAF",
                                                   7));
  EXPECT_EQ(wide, std::wstring(L"a\uFFFDb\uFFFD\uFFFD\uFFFD\uFFFD"));
}

TEST(TextEncoding, EmptyStaysEmpty) {
  EXPECT_TRUE(Utf8ToWide("").empty());
  EXPECT_TRUE(WideToUtf8(L"").empty());
}
