#include "ui/host/sdl/sdl_keys.h"

#include <SDL_keyboard.h>
#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include "sys/text_encoding.h"
#include "ui/base/messages.h"

namespace zui::sdl {
namespace {

// Win32 numbers of the keys that ui/base does not name.
constexpr int kVkInsert = 0x2D;
constexpr int kVkF1 = 0x70;
constexpr int kVkF13 = 0x7C;
constexpr int kVkNumpad0 = 0x60;
constexpr int kVkMultiply = 0x6A;
constexpr int kVkAdd = 0x6B;
constexpr int kVkSubtract = 0x6D;
constexpr int kVkDecimal = 0x6E;
constexpr int kVkDivide = 0x6F;
constexpr int kVkNumLock = 0x90;
constexpr int kVkScroll = 0x91;
constexpr int kVkPause = 0x13;
constexpr int kVkSnapshot = 0x2C;
constexpr int kVkLWin = 0x5B;
constexpr int kVkRWin = 0x5C;
constexpr int kVkApps = 0x5D;
constexpr int kVkOem1 = 0xBA;     // ;:
constexpr int kVkOemPlus = 0xBB;  // =+
constexpr int kVkOemComma = 0xBC;
constexpr int kVkOemMinus = 0xBD;
constexpr int kVkOemPeriod = 0xBE;
constexpr int kVkOem2 = 0xBF;    // /?
constexpr int kVkOem3 = 0xC0;    // `~
constexpr int kVkOem4 = 0xDB;    // [{
constexpr int kVkOem5 = 0xDC;    // \|
constexpr int kVkOem6 = 0xDD;    // ]}
constexpr int kVkOem7 = 0xDE;    // '"
constexpr int kVkOem102 = 0xE2;  // the extra key beside left Shift

int VirtualKeyOfPosition(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) return kVkF1 + (scancode - SDL_SCANCODE_F1);
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) return kVkF13 + (scancode - SDL_SCANCODE_F13);
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
    return kVkNumpad0 + 1 + (scancode - SDL_SCANCODE_KP_1);
  }
  switch (scancode) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
    case SDL_SCANCODE_RETURN2: return VK_RETURN;
    case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
    case SDL_SCANCODE_BACKSPACE: return VK_BACK;
    case SDL_SCANCODE_TAB: return VK_TAB;
    case SDL_SCANCODE_SPACE: return VK_SPACE;
    case SDL_SCANCODE_DELETE: return VK_DELETE;
    case SDL_SCANCODE_INSERT: return kVkInsert;
    case SDL_SCANCODE_HOME: return VK_HOME;
    case SDL_SCANCODE_END: return VK_END;
    case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
    case SDL_SCANCODE_LEFT: return VK_LEFT;
    case SDL_SCANCODE_RIGHT: return VK_RIGHT;
    case SDL_SCANCODE_UP: return VK_UP;
    case SDL_SCANCODE_DOWN: return VK_DOWN;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return VK_SHIFT;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return VK_CONTROL;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return VK_MENU;
    case SDL_SCANCODE_LGUI: return kVkLWin;
    case SDL_SCANCODE_RGUI: return kVkRWin;
    case SDL_SCANCODE_APPLICATION: return kVkApps;
    case SDL_SCANCODE_CAPSLOCK: return VK_CAPITAL;
    case SDL_SCANCODE_NUMLOCKCLEAR: return kVkNumLock;
    case SDL_SCANCODE_SCROLLLOCK: return kVkScroll;
    case SDL_SCANCODE_PAUSE: return kVkPause;
    case SDL_SCANCODE_PRINTSCREEN: return kVkSnapshot;
    case SDL_SCANCODE_KP_0: return kVkNumpad0;
    case SDL_SCANCODE_KP_PERIOD: return kVkDecimal;
    case SDL_SCANCODE_KP_PLUS: return kVkAdd;
    case SDL_SCANCODE_KP_MINUS: return kVkSubtract;
    case SDL_SCANCODE_KP_MULTIPLY: return kVkMultiply;
    case SDL_SCANCODE_KP_DIVIDE: return kVkDivide;
    case SDL_SCANCODE_SEMICOLON: return kVkOem1;
    case SDL_SCANCODE_EQUALS: return kVkOemPlus;
    case SDL_SCANCODE_COMMA: return kVkOemComma;
    case SDL_SCANCODE_MINUS: return kVkOemMinus;
    case SDL_SCANCODE_PERIOD: return kVkOemPeriod;
    case SDL_SCANCODE_SLASH: return kVkOem2;
    case SDL_SCANCODE_GRAVE: return kVkOem3;
    case SDL_SCANCODE_LEFTBRACKET: return kVkOem4;
    case SDL_SCANCODE_BACKSLASH: return kVkOem5;
    case SDL_SCANCODE_RIGHTBRACKET: return kVkOem6;
    case SDL_SCANCODE_APOSTROPHE: return kVkOem7;
    case SDL_SCANCODE_NONUSBACKSLASH: return kVkOem102;
    default: return 0;
  }
}

}  // namespace

int VirtualKeyOf(int32_t keycode, int scancode) {
  // A layout that moves letters (AZERTY's A sits on QWERTY's Q) moves their
  // virtual keys too, as on Windows; letters of other scripts keep the
  // position's Latin name.
  if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + (keycode - SDLK_a);
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return '0' + (keycode - SDLK_0);
  return VirtualKeyOfPosition(scancode);
}

bool ModifiersAllowText(uint16_t modifiers) {
  const bool altGr = (modifiers & (KMOD_RALT | KMOD_MODE)) != 0;
  if ((modifiers & KMOD_LALT) != 0) return false;
  if ((modifiers & KMOD_CTRL) != 0 && !altGr) return false;
  return true;
}

std::wstring Utf16UnitsOf(std::string_view utf8) {
  const std::wstring wide = zsys::Utf8ToWide(utf8);
  if constexpr (sizeof(wchar_t) == 2) {
    return wide;
  } else {
    std::wstring units;
    units.reserve(wide.size());
    for (wchar_t ch : wide) {
      auto cp = static_cast<uint32_t>(ch);
      if (cp >= 0x10000) {
        cp -= 0x10000;
        units.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        units.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
      } else {
        units.push_back(ch);
      }
    }
    return units;
  }
}

}  // namespace zui::sdl
