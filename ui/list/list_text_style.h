#pragma once
// The alignment words of the list's text attributes (`itemalign`,
// `itemvalign`, a header item's `align`): each word found in the value
// changes the DT_* text style, in a fixed order.

#include <string_view>

namespace zui {

// "left", "center", "right".
unsigned ApplyAlignWords(unsigned style, std::wstring_view value);
// "top", "vcenter", "bottom".
unsigned ApplyVAlignWords(unsigned style, std::wstring_view value);
unsigned WithEndEllipsis(unsigned style, bool on);

}  // namespace zui
