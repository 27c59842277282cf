#pragma once
// The first step of every text layout: wide text becomes a list of code
// points, with DrawText's '&' prefix convention already applied.

#include <string_view>
#include <vector>

namespace zui {

struct TextChar {
  char32_t code = 0;
  bool prefixUnderline = false;  // the character after a single '&'
};

// Wide text as code points. wchar_t is UTF-16 on Windows (surrogate pairs are
// joined; a lone surrogate becomes U+FFFD) and UTF-32 elsewhere.
std::u32string DecodeWide(std::wstring_view text);

// Applies the prefix rule unless DT_NOPREFIX is in `format`: "&&" gives one
// '&', "&x" gives x marked for underlining (not marked with DT_HIDEPREFIX), a
// '&' at the very end is dropped.
std::vector<TextChar> PrepareTextChars(std::wstring_view text, unsigned format);

// Character classes the line breaker needs.
bool IsBreakingSpace(char32_t c);
bool IsLineBreak(char32_t c);
// Ideographic scripts (Chinese, Japanese, Korean, full-width forms): a line
// may break before or after any of them.
bool IsWideBreakable(char32_t c);
// Closing punctuation that must not start a line ("，" "。" "）" ...).
bool IsNoLineStart(char32_t c);
// Opening punctuation that must not end a line ("（" "【" ...).
bool IsNoLineEnd(char32_t c);

}  // namespace zui
