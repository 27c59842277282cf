#include "ui/render/value_format.h"

#include "ui/base/saturate.h"
#include "ui/base/wide_text.h"

#include <climits>

namespace zui {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Scales the corner and, separately, the extent, as the skins' numbers are
// meant: a 14-pixel-wide piece stays 14 * percent / 100 wide wherever it sits.
Rect ScaleBy(const Rect& r, int mul, int div) {
  Rect s;
  s.left = MulDiv(r.left, mul, div);
  s.top = MulDiv(r.top, mul, div);
  s.right = SaturatedAdd(s.left, MulDiv(SaturatedSub(r.right, r.left), mul, div));
  s.bottom = SaturatedAdd(s.top, MulDiv(SaturatedSub(r.bottom, r.top), mul, div));
  return s;
}

}  // namespace

int ParseIntValue(std::wstring_view text, size_t* consumed) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  const size_t digits = i;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
    if (value <= INT_MAX) value = value * 10 + (text[i] - L'0');
  if (consumed) *consumed = i == digits ? 0 : i;
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

uint32_t ParseHexValue(std::wstring_view text, size_t* consumed) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const size_t digits = i;
  uint64_t value = 0;
  for (int d; i < text.size() && (d = HexDigit(text[i])) >= 0; ++i)
    if (value <= 0xFFFFFFFFu) value = value * 16 + static_cast<uint64_t>(d);
  if (consumed) *consumed = i == digits ? 0 : i;
  return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(value);
}

void ParseIntList(std::wstring_view text, int* values, int count) {
  size_t pos = 0;
  for (int n = 0; n < count; ++n) {
    if (pos >= text.size()) {
      values[n] = 0;
      continue;
    }
    size_t used = 0;
    values[n] = ParseIntValue(text.substr(pos), &used);
    // The separator is whatever single character follows the number.
    pos += used + 1;
  }
}

Rect ParseRectValue(std::wstring_view text) {
  int v[4];
  ParseIntList(text, v, 4);
  return {v[0], v[1], v[2], v[3]};
}

Size ParseSizeValue(std::wstring_view text) {
  int v[2];
  ParseIntList(text, v, 2);
  return {v[0], v[1]};
}

bool ParseBoolValue(std::wstring_view text) { return EqualsIgnoreAsciiCase(text, L"true"); }

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t num = static_cast<int64_t>(a) * b;
  const int64_t den = c;
  const bool negative = (num < 0) != (den < 0);
  const uint64_t n = num < 0 ? static_cast<uint64_t>(-num) : static_cast<uint64_t>(num);
  const uint64_t d = den < 0 ? static_cast<uint64_t>(-den) : static_cast<uint64_t>(den);
  const uint64_t q = (n + d / 2) / d;
  if (q > static_cast<uint64_t>(INT_MAX)) return -1;
  return negative ? -static_cast<int>(q) : static_cast<int>(q);
}

Rect ScaleRect(const Rect& r, int percent) { return ScaleBy(r, percent, 100); }

Rect UnscaleRect(const Rect& r, int percent) { return ScaleBy(r, 100, percent); }

}  // namespace zui
