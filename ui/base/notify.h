#pragma once
// What travels between controls, the paint manager and the windows: the
// notification record, the input event handed to one control, and the small
// listener interfaces a window registers with its paint manager.

#include <cstdint>
#include <string>

#include "ui/base/geometry.h"
#include "ui/base/messages.h"

namespace zui {

class CControlUI;
struct HostMessage;

// Kinds of InputEvent; the numbers are fixed, the gaps are kinds no control
// of ours sends.
enum InputEventKind : int {
  kEventKeyDown = 3,
  kEventKeyUp = 4,
  kEventChar = 5,
  kEventSysKey = 6,
  kEventMouseMove = 9,
  kEventMouseLeave = 10,
  kEventMouseEnter = 11,
  kEventMouseHover = 12,
  kEventButtonDown = 13,
  kEventButtonUp = 14,
  kEventRButtonDown = 15,
  kEventRButtonUp = 16,
  kEventMButtonDown = 17,
  kEventMButtonUp = 18,
  kEventDoubleClick = 19,
  kEventContextMenu = 20,
  kEventScrollWheel = 21,
  kEventKillFocus = 23,
  kEventSetFocus = 24,
  kEventWindowSize = 25,
  kEventSetCursor = 26,
  kEventTimer = 27,
};

// The mouse kinds, mouse move to scroll wheel: what a control whose mouse
// input is off passes on.
constexpr bool IsMouseEventKind(int type) { return type >= kEventMouseMove && type <= kEventScrollWheel; }

// Modifier bits of InputEvent::keyState.
enum InputKeyState : uint16_t {
  kKeyStateLButton = 0x01,
  kKeyStateRButton = 0x02,
  kKeyStateShift = 0x04,
  kKeyStateControl = 0x08,
  kKeyStateAlt = 0x20,
};

// One notification, e.g. "click" from a button, "windowinit" from the root.
struct NotifyRecord {
  std::wstring type;
  std::wstring virtualWindow;  // filled only when the manager routes by virtual window
  CControlUI* sender = nullptr;
  uint32_t timestamp = 0;
  Point point;  // last mouse point at sending, client coordinates
  WPARAM_T wParam = 0;
  LPARAM_T lParam = 0;
};

// One input event addressed to one control.
struct InputEvent {
  int type = 0;  // InputEventKind
  CControlUI* sender = nullptr;
  uint32_t timestamp = 0;
  Point point;
  wchar_t key = 0;  // virtual key or character; wheel direction for the wheel
  uint16_t keyState = 0;
  WPARAM_T wParam = 0;
  LPARAM_T lParam = 0;
};

class INotifyUI {
 public:
  virtual ~INotifyUI() = default;
  virtual void Notify(NotifyRecord& msg) = 0;
};

// Sees window messages before the toolkit does; setting `handled` consumes
// the message with the answered result.
class IMessageFilterUI {
 public:
  virtual ~IMessageFilterUI() = default;
  virtual LRESULT_T MessageHandler(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled) = 0;
};

// Asked first in the message loop; answering 0 consumes the message.
class ITranslateAccelerator {
 public:
  virtual ~ITranslateAccelerator() = default;
  virtual LRESULT_T TranslateAccelerator(HostMessage& msg) = 0;
};

}  // namespace zui
