#pragma once
// The alignment words of the list's text attributes (`itemalign`,
// `itemvalign`, a header item's `align`): each word found in the value
// changes the DT_* text style, in a fixed order.

#include <cstdint>
#include <string_view>

namespace zui {

// "left", "center", "right".
unsigned ApplyAlignWords(unsigned style, std::wstring_view value);
// "top", "vcenter", "bottom".
unsigned ApplyVAlignWords(unsigned style, std::wstring_view value);
unsigned WithEndEllipsis(unsigned style, bool on);

class Canvas;
class IControlManagerUI;
struct Rect;

// `rect` less a text padding, saturating (paddings are skin numbers).
Rect ShrinkByPadding(const Rect& rect, const Rect& padding);

// One text of the list family in `rect`: plain, or as formatted text (links
// in the link colours of the window) when `formatted` is on.
void PaintListText(Canvas& canvas, IControlManagerUI* manager, Rect rect, std::wstring_view text, uint32_t argb,
                   int font, unsigned style, bool formatted);

}  // namespace zui
