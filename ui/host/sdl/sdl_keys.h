#pragma once
// Keyboard translation of the SDL backend: SDL's key codes and modifier bits
// become Win32 virtual keys, and typed UTF-8 becomes the UTF-16 units that
// WM_CHAR carries. Plain integers keep SDL's headers out of this one.

#include <cstdint>
#include <string>
#include <string_view>

namespace zui::sdl {

// The virtual key of a key event: letters and digits follow the keyboard
// layout (SDL's key code), the other keys their position (scan code); 0 for
// a key the toolkit has no name for.
int VirtualKeyOf(int32_t keycode, int scancode);

// Whether text typed with these modifiers (SDL_Keymod bits) is text: with
// Alt or Ctrl down a key is a command (WM_SYSCHAR, a control character),
// except that AltGr (right Alt, or the mode switch) types characters.
bool ModifiersAllowText(uint16_t modifiers);

// UTF-8 as UTF-16 code units, one per wchar_t whatever its width, so a
// character beyond the basic plane becomes its two surrogates; malformed
// input becomes U+FFFD.
std::wstring Utf16UnitsOf(std::string_view utf8);

}  // namespace zui::sdl
