#pragma once
// MessageBox over SDL's message box: the MB_* flags decide the buttons, the
// default button and the icon; the answer is the IDOK / IDCANCEL / … of the
// button the user chose.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct SDL_Window;

namespace zui::sdl {

struct MessageBoxButton {
  int id = 0;  // IDOK, IDCANCEL, …
  const char* label = "";
  bool returnKey = false;  // the default button
  bool escapeKey = false;  // what Escape answers
};

struct MessageBoxLayout {
  enum class Icon { kInformation, kWarning, kError };
  Icon icon = Icon::kInformation;
  std::vector<MessageBoxButton> buttons;
  // The answer when the box is closed without a button (the window
  // manager's close): Cancel where there is one, else the answer that
  // changes least.
  int closeAnswer = 0;
};

MessageBoxLayout MessageBoxLayoutOf(uint32_t flags);

// Shows the box modally over `owner` (may be null) and answers the chosen
// button's id, or 0 when no box could be shown (like MessageBoxW).
int ShowMessageBox(SDL_Window* owner, std::wstring_view text, std::wstring_view caption, uint32_t flags);

}  // namespace zui::sdl
