#include "ui/text/text_chars.h"

#include <algorithm>
#include <iterator>

#include "sys/text_encoding.h"
#include "ui/text/text_format.h"

namespace zui {
namespace {

bool InSortedList(const char32_t* first, const char32_t* last, char32_t c) {
  return std::binary_search(first, last, c);
}

}  // namespace

std::u32string DecodeWide(std::wstring_view text) { return zsys::WideToCodePoints(text); }

std::vector<TextChar> PrepareTextChars(std::wstring_view text, unsigned format) {
  const std::u32string codes = DecodeWide(text);
  std::vector<TextChar> chars;
  chars.reserve(codes.size());
  const bool prefixes = (format & DT_NOPREFIX) == 0;
  const bool showUnderline = (format & DT_HIDEPREFIX) == 0;
  for (size_t i = 0; i < codes.size(); ++i) {
    if (prefixes && codes[i] == U'&') {
      if (i + 1 == codes.size()) break;
      ++i;
      chars.push_back({codes[i], codes[i] != U'&' && showUnderline});
      continue;
    }
    chars.push_back({codes[i], false});
  }
  return chars;
}

bool IsBreakingSpace(char32_t c) { return c == U' ' || c == U'\t' || c == 0x3000; }

bool IsLineBreak(char32_t c) { return c == U'\n' || c == U'\r'; }

bool IsWideBreakable(char32_t c) {
  return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
         (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

bool IsNoLineStart(char32_t c) {
  // Sorted: ASCII closers matter only next to ideographs, where a break
  // would otherwise be allowed before them.
  static constexpr char32_t kClosing[] = {0x21,   0x29,   0x2C,   0x2E,   0x3A,   0x3B,   0x3F,   0x5D,
                                          0x7D,   0x3001, 0x3002, 0x3009, 0x300B, 0x300D, 0x300F, 0x3011,
                                          0x3015, 0x3017, 0x301E, 0x30FC, 0xFF01, 0xFF09, 0xFF0C, 0xFF0E,
                                          0xFF1A, 0xFF1B, 0xFF1F, 0xFF3D, 0xFF5D, 0xFF60, 0xFF64};
  return InSortedList(std::begin(kClosing), std::end(kClosing), c);
}

bool IsNoLineEnd(char32_t c) {
  static constexpr char32_t kOpening[] = {0x3008, 0x300A, 0x300C, 0x300E, 0x3010, 0x3014,
                                          0x3016, 0x301D, 0xFF08, 0xFF3B, 0xFF5B, 0xFF5F};
  return InSortedList(std::begin(kOpening), std::end(kOpening), c);
}

}  // namespace zui
