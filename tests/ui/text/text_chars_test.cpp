#include "ui/text/text_chars.h"

#include <string>

#include <gtest/gtest.h>

#include "ui/text/text_format.h"

namespace zui {
namespace {

std::u32string Codes(const std::vector<TextChar>& chars) {
  std::u32string s;
  for (const TextChar& c : chars) s.push_back(c.code);
  return s;
}

std::u32string Underlined(const std::vector<TextChar>& chars) {
  std::u32string s;
  for (const TextChar& c : chars)
    if (c.prefixUnderline) s.push_back(c.code);
  return s;
}

TEST(TextChars, DecodesCharactersOutsideTheBasicPlaneAsOneCodePoint) {
  // On Windows the literal is a surrogate pair, elsewhere one wchar_t.
  EXPECT_EQ(DecodeWide(L"a\U00020000b\u4fee"), U"a\U00020000b\u4fee");
}

TEST(TextChars, LoneSurrogatesBecomeReplacementCharacters) {
  const std::wstring lone{static_cast<wchar_t>(0xD800), L'x', static_cast<wchar_t>(0xDC00)};
  EXPECT_EQ(DecodeWide(lone), U"\uFFFDx\uFFFD");
}

TEST(TextChars, PrefixAmpersandsFollowDrawText) {
  const std::vector<TextChar> chars = PrepareTextChars(L"&Save a&&b end&", 0);
  EXPECT_EQ(Codes(chars), U"Save a&b end");
  EXPECT_EQ(Underlined(chars), U"S");
}

TEST(TextChars, HidePrefixAndNoPrefix) {
  const std::vector<TextChar> hidden = PrepareTextChars(L"&Save", DT_HIDEPREFIX);
  EXPECT_EQ(Codes(hidden), U"Save");
  EXPECT_EQ(Underlined(hidden), U"");
  const std::vector<TextChar> kept = PrepareTextChars(L"&Save a&&b&", DT_NOPREFIX);
  EXPECT_EQ(Codes(kept), U"&Save a&&b&");
  EXPECT_EQ(Underlined(kept), U"");
}

}  // namespace
}  // namespace zui
