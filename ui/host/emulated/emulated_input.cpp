// Input of the emulation: the backend's reports and the synthesis helpers
// queue raw mouse and key events; at retrieval they become the messages
// user32 would deliver (capture, hit-testing, WM_SETCURSOR, activation by
// click, system keys), and the key state that GetKeyState reports moves with
// them. Mouse tracking (hover and leave) and capture live here too.

#include <algorithm>

#include "ui/host/emulated/emulated_host.h"
#include "ui/host/emulated/emulated_window.h"

namespace zui {
namespace {

constexpr uint8_t kKeyDown = 0x80;
constexpr uint8_t kKeyToggled = 0x01;
constexpr uint32_t kDefaultHoverMs = 400;  // SPI_GETMOUSEHOVERTIME out of the box
constexpr LPARAM_T kAltContext = LPARAM_T{1} << 29;
constexpr LPARAM_T kPreviouslyDown = LPARAM_T{1} << 30;
constexpr LPARAM_T kReleased = LPARAM_T{1} << 31;

LPARAM_T PointParam(Point p) { return MakeLParam(p.x, p.y); }

struct ButtonMessages {
  uint32_t down, up, dblclk, ncDown, ncUp, ncDblclk;
};

ButtonMessages MessagesOf(int button) {
  switch (button) {
    case VK_RBUTTON:
      return {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCRBUTTONDBLCLK};
    case VK_MBUTTON:
      return {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, WM_NCMBUTTONDOWN, WM_NCMBUTTONUP, WM_NCMBUTTONDBLCLK};
    default:
      return {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK};
  }
}

uint16_t FlagsOf(const uint8_t* keys) {
  uint16_t flags = 0;
  if (keys[VK_LBUTTON] & kKeyDown) flags |= MK_LBUTTON;
  if (keys[VK_RBUTTON] & kKeyDown) flags |= MK_RBUTTON;
  if (keys[VK_MBUTTON] & kKeyDown) flags |= MK_MBUTTON;
  if (keys[VK_SHIFT] & kKeyDown) flags |= MK_SHIFT;
  if (keys[VK_CONTROL] & kKeyDown) flags |= MK_CONTROL;
  return flags;
}

// The character a US keyboard makes for a key, or 0.
wchar_t CharOfKey(int vk, bool shift, bool ctrl, bool capsLock) {
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return static_cast<wchar_t>(vk - 'A' + 1);
    bool upper = shift != capsLock;
    return static_cast<wchar_t>(upper ? vk : vk - 'A' + 'a');
  }
  if (ctrl) {
    if (vk == VK_RETURN) return L'\n';
    if (vk == VK_BACK) return 0x7F;
    if (vk == VK_ESCAPE) return 0x1B;
    return 0;
  }
  if (vk >= '0' && vk <= '9') return shift ? L")!@#$%^&*("[vk - '0'] : static_cast<wchar_t>(vk);
  if (vk >= 0x60 && vk <= 0x69) return static_cast<wchar_t>(L'0' + vk - 0x60);  // numeric keypad
  switch (vk) {
    case VK_SPACE: return L' ';
    case VK_RETURN: return L'\r';
    case VK_BACK: return 0x08;
    case VK_TAB: return L'\t';
    case VK_ESCAPE: return 0x1B;
    case 0xBA: return shift ? L':' : L';';
    case 0xBB: return shift ? L'+' : L'=';
    case 0xBC: return shift ? L'<' : L',';
    case 0xBD: return shift ? L'_' : L'-';
    case 0xBE: return shift ? L'>' : L'.';
    case 0xBF: return shift ? L'?' : L'/';
    case 0xC0: return shift ? L'~' : L'`';
    case 0xDB: return shift ? L'{' : L'[';
    case 0xDC: return shift ? L'|' : L'\\';
    case 0xDD: return shift ? L'}' : L']';
    case 0xDE: return shift ? L'"' : L'\'';
    default: return 0;
  }
}

}  // namespace

// --- Clock and hover ---

void EmulatedHost::PostDueHover() {
  if (!tracking_.hover || cursorWindow_ != tracking_.window || Find(tracking_.window) == nullptr) return;
  if (backend_->Now() - tracking_.hoverStart < tracking_.hoverMs) return;
  tracking_.hover = false;
  Point client = ScreenToClient(tracking_.window, GetCursorPos());
  PostMessage(tracking_.window, WM_MOUSEHOVER, AsyncMouseKeyFlags(), PointParam(client));
}

bool EmulatedHost::TrackMouseEvent(WindowHandle window, uint32_t hoverMs) {
  if (Find(window) == nullptr) return false;
  if (cursorWindow_ != window && capture_ != window) {
    // Like user32: the mouse is not there, so it has already left.
    tracking_ = Tracking{};
    PostMessage(window, WM_MOUSELEAVE, 0, 0);
    return true;
  }
  uint32_t hover = hoverMs == HOVER_DEFAULT ? kDefaultHoverMs : hoverMs;
  tracking_ = Tracking{window, true, true, hover, backend_->Now()};
  return true;
}

void EmulatedHost::CheckLeave(WindowHandle window, bool client, std::vector<HostMessage>& out) {
  if (!tracking_.leave || capture_ == tracking_.window) return;
  if (tracking_.window == window && client) return;
  std::lock_guard<std::mutex> lock(mutex_);
  out.push_back(StampLocked(tracking_.window, WM_MOUSELEAVE, 0, 0));
  tracking_ = Tracking{};
}

void EmulatedHost::MaybePostLeaveAfterCapture(WindowHandle lostCapture) {
  if (tracking_.leave && tracking_.window == lostCapture && cursorWindow_ != lostCapture) {
    tracking_ = Tracking{};
    PostMessage(lostCapture, WM_MOUSELEAVE, 0, 0);
  }
}

// --- Capture, cursor, keys ---

WindowHandle EmulatedHost::SetCapture(WindowHandle window) {
  if (window == nullptr) {
    WindowHandle old = capture_;
    ReleaseCapture();
    return old;
  }
  if (Find(window) == nullptr) return nullptr;
  WindowHandle old = capture_;
  capture_ = window;
  if (old != nullptr && old != window &&
      SendAndFind(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM_T>(window)) != nullptr) {
    MaybePostLeaveAfterCapture(old);
  }
  return old;
}

bool EmulatedHost::ReleaseCapture() {
  WindowHandle old = capture_;
  capture_ = nullptr;
  if (SendAndFind(old, WM_CAPTURECHANGED, 0, 0) != nullptr) MaybePostLeaveAfterCapture(old);
  return true;
}

WindowHandle EmulatedHost::GetCapture() const { return capture_; }

Point EmulatedHost::GetCursorPos() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return cursorPos_;
}

Point EmulatedHost::ScreenToClient(WindowHandle window, Point screen) const {
  Rect r = GetWindowRect(window);
  return {screen.x - r.left, screen.y - r.top};
}

Point EmulatedHost::ClientToScreen(WindowHandle window, Point client) const {
  Rect r = GetWindowRect(window);
  return {client.x + r.left, client.y + r.top};
}

int16_t EmulatedHost::GetKeyState(int virtualKey) const {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  uint8_t state = keys_[virtualKey];
  uint16_t value = ((state & kKeyDown) ? 0x8000 : 0) | ((state & kKeyToggled) ? 1 : 0);
  return static_cast<int16_t>(value);
}

uint16_t EmulatedHost::MouseKeyFlags() const { return FlagsOf(keys_); }

uint16_t EmulatedHost::AsyncMouseKeyFlags() const { return FlagsOf(asyncKeys_); }

// --- Synthesis ---

void EmulatedHost::QueueMouse(WindowHandle window, Point point, MouseAction action, int button, int wheelDelta) {
  if (window != nullptr && Find(window) == nullptr) return;
  Point screen = window != nullptr ? ClientToScreen(window, point) : point;
  Point before = GetCursorPos();
  // Leaving the tracked window is noticed when the mouse gets elsewhere.
  if (tracking_.leave && tracking_.window != window && capture_ != tracking_.window) {
    PostMessage(tracking_.window, WM_MOUSELEAVE, 0, 0);
    tracking_ = Tracking{};
  }
  if (tracking_.hover && tracking_.window == window && !(before == screen)) tracking_.hoverStart = backend_->Now();
  cursorWindow_ = window;
  if (action == MouseAction::kDown || action == MouseAction::kDoubleDown) asyncKeys_[button] |= kKeyDown;
  if (action == MouseAction::kUp) asyncKeys_[button] &= static_cast<uint8_t>(~kKeyDown);

  QueueItem item;
  item.input = InputKind::kMouse;
  item.action = action;
  item.button = button;
  item.wheelDelta = wheelDelta;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    cursorPos_ = screen;
    item.msg = StampLocked(window, 0, 0, 0);
  }
  EnqueueInput(item);
}

void EmulatedHost::MoveMouse(WindowHandle window, Point point) { QueueMouse(window, point, MouseAction::kMove, 0); }

void EmulatedHost::Press(WindowHandle window, Point point, int button, bool doubleClick) {
  QueueMouse(window, point, doubleClick ? MouseAction::kDoubleDown : MouseAction::kDown, button);
}

void EmulatedHost::PressLeft(WindowHandle window, Point point) { Press(window, point, VK_LBUTTON, false); }
void EmulatedHost::ReleaseLeft(WindowHandle window, Point point) {
  QueueMouse(window, point, MouseAction::kUp, VK_LBUTTON);
}
void EmulatedHost::ClickLeft(WindowHandle window, Point point) {
  PressLeft(window, point);
  ReleaseLeft(window, point);
}
void EmulatedHost::DoubleClickLeft(WindowHandle window, Point point) {
  ClickLeft(window, point);
  Press(window, point, VK_LBUTTON, true);
  ReleaseLeft(window, point);
}
void EmulatedHost::PressRight(WindowHandle window, Point point) { Press(window, point, VK_RBUTTON, false); }
void EmulatedHost::ReleaseRight(WindowHandle window, Point point) {
  QueueMouse(window, point, MouseAction::kUp, VK_RBUTTON);
}
void EmulatedHost::ClickRight(WindowHandle window, Point point) {
  PressRight(window, point);
  ReleaseRight(window, point);
}
void EmulatedHost::PressMiddle(WindowHandle window, Point point) { Press(window, point, VK_MBUTTON, false); }
void EmulatedHost::ReleaseMiddle(WindowHandle window, Point point) {
  QueueMouse(window, point, MouseAction::kUp, VK_MBUTTON);
}
void EmulatedHost::ClickMiddle(WindowHandle window, Point point) {
  PressMiddle(window, point);
  ReleaseMiddle(window, point);
}
void EmulatedHost::Wheel(WindowHandle window, Point point, int delta) {
  QueueMouse(window, point, MouseAction::kWheel, 0, delta);
}

void EmulatedHost::KeyDown(int virtualKey) { QueueKey(virtualKey, true); }

void EmulatedHost::KeyUp(int virtualKey) { QueueKey(virtualKey, false); }

void EmulatedHost::QueueKey(int virtualKey, bool down) {
  if (virtualKey <= 0 || virtualKey > 255) return;
  if (down) asyncKeys_[virtualKey] |= kKeyDown;
  else asyncKeys_[virtualKey] &= static_cast<uint8_t>(~kKeyDown);
  QueueItem item;
  item.input = InputKind::kKey;
  item.key = virtualKey;
  item.keyDown = down;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    item.msg = StampLocked(nullptr, 0, 0, 0);
  }
  EnqueueInput(item);
}

void EmulatedHost::PressKey(int virtualKey) {
  KeyDown(virtualKey);
  KeyUp(virtualKey);
}

void EmulatedHost::PressKeys(std::initializer_list<int> virtualKeys) {
  for (int vk : virtualKeys) KeyDown(vk);
  for (auto it = std::rbegin(virtualKeys); it != std::rend(virtualKeys); ++it) KeyUp(*it);
}

void EmulatedHost::TypeText(std::wstring_view text) {
  for (wchar_t ch : text) {
    QueueItem item;
    item.input = InputKind::kChar;
    item.key = static_cast<int>(static_cast<uint16_t>(ch));
    {
      std::lock_guard<std::mutex> lock(mutex_);
      item.msg = StampLocked(nullptr, 0, 0, 0);
    }
    EnqueueInput(item);
  }
}

// --- Retrieval ---

std::vector<HostMessage> EmulatedHost::Cook(const QueueItem& item) {
  switch (item.input) {
    case InputKind::kMouse: return CookMouse(item);
    case InputKind::kKey: return CookKey(item);
    case InputKind::kChar: {
      if (Find(focus_) == nullptr) return {};
      HostMessage msg = item.msg;
      msg.window = focus_;
      msg.message = WM_CHAR;
      msg.wParam = static_cast<WPARAM_T>(item.key);
      msg.lParam = 1;
      return {msg};
    }
    default: return {};
  }
}

std::vector<HostMessage> EmulatedHost::CookMouse(const QueueItem& item) {
  bool down = item.action == MouseAction::kDown || item.action == MouseAction::kDoubleDown;
  if (down) keys_[item.button] |= kKeyDown;
  if (item.action == MouseAction::kUp) keys_[item.button] &= static_cast<uint8_t>(~kKeyDown);

  WindowHandle target = capture_ != nullptr ? capture_ : item.msg.window;
  WindowRecord* rec = Find(target);
  std::vector<HostMessage> out;
  if (rec == nullptr) {
    CheckLeave(nullptr, false, out);
    return out;
  }
  Point screen = item.msg.point;
  HostMessage msg = item.msg;
  msg.window = target;
  if (item.action == MouseAction::kWheel) {
    if (capture_ == nullptr && !rec->Enabled()) return out;
    msg.message = WM_MOUSEWHEEL;
    msg.wParam = MakeWParam(MouseKeyFlags(), item.wheelDelta);
    msg.lParam = PointParam(screen);
    out.push_back(msg);
    return out;
  }

  ButtonMessages names = MessagesOf(item.button);
  bool dblclkClass = (rec->cls.style & CS_DBLCLKS) != 0;
  uint32_t clientMessage = WM_MOUSEMOVE;
  uint32_t ncMessage = WM_NCMOUSEMOVE;
  if (item.action == MouseAction::kDown || (item.action == MouseAction::kDoubleDown && !dblclkClass)) {
    clientMessage = names.down;
  } else if (item.action == MouseAction::kDoubleDown) {
    clientMessage = names.dblclk;
  } else if (item.action == MouseAction::kUp) {
    clientMessage = names.up;
  }
  if (item.action == MouseAction::kDown) ncMessage = names.ncDown;
  if (item.action == MouseAction::kDoubleDown) ncMessage = names.ncDblclk;  // whatever the class style
  if (item.action == MouseAction::kUp) ncMessage = names.ncUp;

  if (capture_ != nullptr) {
    // The captured window gets client messages wherever the mouse is.
    msg.message = clientMessage;
    msg.wParam = MouseKeyFlags();
    msg.lParam = PointParam(ScreenToClient(target, screen));
    out.push_back(msg);
    return out;
  }
  for (WindowRecord* r = rec; r != nullptr; r = r->Child() ? Find(r->parent) : nullptr) {
    if (!r->Enabled()) return out;  // disabled windows take no mouse input
  }
  LRESULT_T hitAnswer = 0;
  if (SendAndFind(target, WM_NCHITTEST, 0, PointParam(screen), &hitAnswer) == nullptr) return out;
  int hit = static_cast<int>(hitAnswer);
  bool client = hit == HTCLIENT;
  if (down && MouseActivateEats(target, hit, client ? clientMessage : ncMessage)) return out;
  if (SendAndFind(target, WM_SETCURSOR, reinterpret_cast<WPARAM_T>(target),
                  MakeLParam(hit, static_cast<int>(clientMessage))) == nullptr) {
    return out;
  }
  CheckLeave(target, client, out);
  if (client) {
    msg.message = clientMessage;
    msg.wParam = MouseKeyFlags();
    msg.lParam = PointParam(ScreenToClient(target, screen));
  } else {
    msg.message = ncMessage;
    msg.wParam = static_cast<WPARAM_T>(static_cast<intptr_t>(hit));
    msg.lParam = PointParam(screen);
  }
  out.push_back(msg);
  return out;
}

bool EmulatedHost::MouseActivateEats(WindowHandle window, int hit, uint32_t mouseMessage) {
  WindowHandle root = RootOf(window);
  WindowRecord* rootRec = Find(root);
  if (rootRec == nullptr || root == active_ || (rootRec->exStyle & WS_EX_NOACTIVATE) != 0) return false;
  LRESULT_T answer = SendMessage(window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM_T>(root),
                                 MakeLParam(hit, static_cast<int>(mouseMessage)));
  if (answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT) Activate(root, WA_CLICKACTIVE);
  return answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
}

std::vector<HostMessage> EmulatedHost::CookKey(const QueueItem& item) {
  int vk = item.key;
  bool wasDown = (keys_[vk] & kKeyDown) != 0;
  bool altBefore = (keys_[VK_MENU] & kKeyDown) != 0;
  if (item.keyDown) {
    if (!wasDown) keys_[vk] ^= kKeyToggled;
    keys_[vk] |= kKeyDown;
  } else {
    keys_[vk] &= static_cast<uint8_t>(~kKeyDown);
  }
  bool alt = vk == VK_MENU ? (item.keyDown || altBefore) : altBefore;
  bool ctrl = (keys_[VK_CONTROL] & kKeyDown) != 0;

  WindowHandle target = focus_;
  bool system = false;
  if (Find(target) == nullptr) {
    // Without a focus window keys reach the active window as system keys.
    target = active_;
    system = true;
  }
  if (Find(target) == nullptr) return {};
  if (vk == VK_MENU || vk == VK_F10 || (alt && !ctrl)) system = true;

  HostMessage msg = item.msg;
  msg.window = target;
  msg.message = item.keyDown ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  msg.wParam = static_cast<WPARAM_T>(vk);
  msg.lParam = 1 | (alt ? kAltContext : 0) | (wasDown ? kPreviouslyDown : 0) | (item.keyDown ? 0 : kReleased);
  return {msg};
}

void EmulatedHost::TranslateMessage(const HostMessage& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return;
  bool shift = (keys_[VK_SHIFT] & kKeyDown) != 0;
  bool ctrl = (keys_[VK_CONTROL] & kKeyDown) != 0;
  bool caps = (keys_[VK_CAPITAL] & kKeyToggled) != 0;
  int vk = static_cast<int>(msg.wParam);
  // Where the platform sends typed text of its own, keys make only the
  // characters that no text event carries.
  if (backend_->TextComesSeparately() && vk != VK_RETURN && vk != VK_ESCAPE && vk != VK_BACK && vk != VK_TAB) return;
  wchar_t ch = CharOfKey(vk, shift, ctrl, caps);
  if (ch == 0) return;
  HostMessage character = msg;
  character.message = msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  character.wParam = static_cast<WPARAM_T>(ch);
  PostFront(character);
}

}  // namespace zui
