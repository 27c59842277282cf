#pragma once
// Window shapes for rounded corners. The rows of a round-rectangle region
// are computed here without the platform; the X shape extension applies
// them (other video drivers keep windows square).

#include <vector>

#include "ui/base/geometry.h"

struct SDL_Window;

namespace zui::sdl {

// The pixels of a round-rectangle region as horizontal bands, top to
// bottom. Like CreateRoundRectRgn, the region leaves out the right column
// and the bottom row of `rect` (so (0, 0, w + 1, h + 1) covers a w×h
// window); `ellipse` is the corner ellipse's width and height, clamped to
// the rectangle. An empty rectangle gives no bands: nothing is visible.
std::vector<Rect> RoundRegionBands(const Rect& rect, Size ellipse);

// On X11: requests about windows that are already gone are not fatal.
void TolerateVanishedWindows();

// Sets the window's shape to `bands` (null: the whole window again).
// False when the platform has no shaped windows.
bool ApplyWindowShape(SDL_Window* window, const std::vector<Rect>* bands);

}  // namespace zui::sdl
