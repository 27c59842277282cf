#pragma once
// Small wide-text helpers shared by the markup reader, the archive lookup and
// the resource tables. They behave the same on both platforms (wchar_t is 16
// bits on Windows and 32 on Linux), whatever the C locale says.

#include <cstdint>
#include <string>
#include <string_view>

namespace zui {

// Whitespace for the skin reader: every code from 1 to 32.
inline bool IsMarkupBlank(wchar_t c) { return c >= 1 && c <= 32; }

// A letter-or-digit test that knows the Latin, Greek, Cyrillic and CJK
// letters and treats the common Unicode punctuation blocks as non-letters.
bool IsLetterOrDigit(wchar_t c);

// Upper to lower case for ASCII and the Latin-1 / Latin Extended letters.
wchar_t FoldCase(wchar_t c);
bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b);
// The text with every character folded, for case-blind map keys.
std::wstring FoldCaseCopy(std::wstring_view text);

// ASCII letters only, as attribute names and words of the skin vocabulary
// are compared.
constexpr wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }
constexpr bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

}  // namespace zui
