#pragma once
// The number formats of skin attribute values: integers, rectangles
// ("15,0,0," -> 15,0,0,0), sizes and hexadecimal colours. All readers stop at
// the end of the text and saturate instead of overflowing.

#include <cstdint>
#include <string_view>

#include "ui/base/geometry.h"

namespace zui {

// Decimal integer with optional leading blanks and sign; stops at the first
// non-digit. `consumed` (optional) receives the index just past the number,
// or the start index when no digit was read.
int ParseIntValue(std::wstring_view text, size_t* consumed = nullptr);

// Unsigned hexadecimal number with optional leading blanks; stops at the
// first non-hex character; saturates at 0xFFFFFFFF.
uint32_t ParseHexValue(std::wstring_view text, size_t* consumed = nullptr);

// Up to `count` numbers; each after the first starts one character after the
// end of the previous one; numbers past the end of the text are 0.
void ParseIntList(std::wstring_view text, int* values, int count);

Rect ParseRectValue(std::wstring_view text);
Size ParseSizeValue(std::wstring_view text);

// true exactly when the value is "true" ignoring case.
bool ParseBoolValue(std::wstring_view text);

// Win32 MulDiv: a * b / c rounded half away from zero; -1 when c is 0 or the
// result does not fit.
int MulDiv(int a, int b, int c);

// Rectangle scaled by a display scale in percent: the top-left corner is
// scaled, and the width and height are scaled separately and added to it.
Rect ScaleRect(const Rect& r, int percent);
// The inverse of ScaleRect (MulDiv by 100 / percent).
Rect UnscaleRect(const Rect& r, int percent);

}  // namespace zui
