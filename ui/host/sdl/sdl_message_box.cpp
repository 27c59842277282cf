#include "ui/host/sdl/sdl_message_box.h"

#include <SDL.h>

#include "sys/text_encoding.h"
#include "ui/base/messages.h"

namespace zui::sdl {
namespace {

// Win32 numbers that ui/base does not name.
constexpr uint32_t kTypeMask = 0x0000000F;
constexpr uint32_t kIconMask = 0x000000F0;
constexpr uint32_t kDefaultButtonMask = 0x00000F00;
constexpr uint32_t kAbortRetryIgnore = 2;
constexpr uint32_t kYesNoCancel = 3;
constexpr uint32_t kRetryCancel = 5;
constexpr uint32_t kCancelTryContinue = 6;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;
constexpr int kIdTryAgain = 10;
constexpr int kIdContinue = 11;

MessageBoxButton Button(int id) {
  switch (id) {
    case IDOK: return {id, "OK"};
    case IDCANCEL: return {id, "Cancel"};
    case kIdAbort: return {id, "Abort"};
    case kIdRetry: return {id, "Retry"};
    case kIdIgnore: return {id, "Ignore"};
    case IDYES: return {id, "Yes"};
    case IDNO: return {id, "No"};
    case kIdTryAgain: return {id, "Try Again"};
    default: return {id, "Continue"};
  }
}

}  // namespace

MessageBoxLayout MessageBoxLayoutOf(uint32_t flags) {
  MessageBoxLayout layout;
  std::vector<int> ids;
  switch (flags & kTypeMask) {
    case MB_OKCANCEL: ids = {IDOK, IDCANCEL}; break;
    case kAbortRetryIgnore: ids = {kIdAbort, kIdRetry, kIdIgnore}; break;
    case kYesNoCancel: ids = {IDYES, IDNO, IDCANCEL}; break;
    case MB_YESNO: ids = {IDYES, IDNO}; break;
    case kRetryCancel: ids = {kIdRetry, IDCANCEL}; break;
    case kCancelTryContinue: ids = {IDCANCEL, kIdTryAgain, kIdContinue}; break;
    default: ids = {IDOK}; break;
  }
  for (int id : ids) layout.buttons.push_back(Button(id));

  // MB_DEFBUTTON2 … 4; one past the buttons falls back to the first.
  size_t defaultIndex = (flags & kDefaultButtonMask) >> 8;
  if (defaultIndex >= layout.buttons.size()) defaultIndex = 0;
  layout.buttons[defaultIndex].returnKey = true;

  // Escape answers Cancel, or OK when it is the only button; a box without
  // either waits for a choice. Closing it from outside must still answer.
  int escape = 0;
  for (const MessageBoxButton& b : layout.buttons) {
    if (b.id == IDCANCEL) escape = IDCANCEL;
  }
  if (escape == 0 && ids.size() == 1) escape = IDOK;
  for (MessageBoxButton& b : layout.buttons) b.escapeKey = b.id == escape;
  if (escape != 0) {
    layout.closeAnswer = escape;
  } else {
    layout.closeAnswer = (flags & kTypeMask) == MB_YESNO ? IDNO : kIdAbort;
  }

  switch (flags & kIconMask) {
    case MB_ICONERROR: layout.icon = MessageBoxLayout::Icon::kError; break;
    case MB_ICONWARNING: layout.icon = MessageBoxLayout::Icon::kWarning; break;
    default: layout.icon = MessageBoxLayout::Icon::kInformation; break;
  }
  return layout;
}

int ShowMessageBox(SDL_Window* owner, std::wstring_view text, std::wstring_view caption, uint32_t flags) {
  const MessageBoxLayout layout = MessageBoxLayoutOf(flags);
  std::vector<SDL_MessageBoxButtonData> buttons;
  for (const MessageBoxButton& b : layout.buttons) {
    Uint32 buttonFlags = 0;
    if (b.returnKey) buttonFlags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (b.escapeKey) buttonFlags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    buttons.push_back({buttonFlags, b.id, b.label});
  }
  const std::string message = zsys::WideToUtf8(text);
  const std::string title = zsys::WideToUtf8(caption);

  SDL_MessageBoxData data{};
  switch (layout.icon) {
    case MessageBoxLayout::Icon::kError: data.flags = SDL_MESSAGEBOX_ERROR; break;
    case MessageBoxLayout::Icon::kWarning: data.flags = SDL_MESSAGEBOX_WARNING; break;
    default: data.flags = SDL_MESSAGEBOX_INFORMATION; break;
  }
  data.flags |= SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  data.window = owner;
  data.title = title.c_str();
  data.message = message.c_str();
  data.numbuttons = static_cast<int>(buttons.size());
  data.buttons = buttons.data();

  int chosen = -1;
  if (SDL_ShowMessageBox(&data, &chosen) != 0) return 0;
  return chosen < 0 ? layout.closeAnswer : chosen;
}

}  // namespace zui::sdl
