#pragma once
// Pure translations between SDL's input vocabulary and the Win32 one the
// emulation speaks (the keyboard's are in sdl_keys.h).

#include <SDL_video.h>

#include <cstdint>

namespace zui::sdl {

// WM_NCHITTEST's answer as SDL's hit-test result: the caption drags, the
// size box's edges and corners size, everything else is the client's.
SDL_HitTestResult HitTestResultOf(int hitCode);

// VK_LBUTTON, VK_RBUTTON or VK_MBUTTON for SDL's button number; 0 for the
// buttons the toolkit does not handle.
int VirtualButtonOf(uint8_t sdlButton);

// SDL counts the clicks of a quick series; like Windows, the second, fourth,
// … press is a double click and the third a single one again.
bool IsDoubleClick(uint8_t clicks);

// WHEEL_DELTA units away from the user; SDL's "flipped" direction (natural
// scrolling) is undone so the content moves the way SDL reports it.
int WheelDeltaOf(int32_t notchesY, bool flipped);

}  // namespace zui::sdl
