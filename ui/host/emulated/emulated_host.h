#pragma once
// The user32 emulation: windows, activation, focus, capture, the message
// queue, timers, input cooking and default processing behave the way user32
// does wherever the toolkit could tell the difference. What only a platform
// can do (native surfaces, pixels on screen, time, waiting for events, system
// services) comes from an IHostBackend: in memory for tests, SDL2 on Linux.
//
// Thread use: PostMessage and PostQuitMessage may be called from any thread
// and wake a GetMessage that waits. Everything else belongs to the UI thread.
//
// Re-entrancy: every message the emulation sends runs a window procedure,
// and that procedure may destroy the window it got (or any other): a
// WM_SIZE handler that closes, a WM_KILLFOCUS that ends a modal loop. The
// window's record is freed then and there. So after a send, directly or
// through a function that sends, nothing may use a WindowRecord pointer or a
// reference into a record that was fetched before it. Code that goes on
// with the window after sending it something sends through SendAndFind,
// which answers the record again or null when the window is gone; functions
// that send on the way answer whether the window outlived them.

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "ui/host/emulated/host_backend.h"
#include "ui/host/host.h"

namespace zui {

class EmulatedHost : public IUiHost, private IHostEvents {
 public:
  // What the toolkit's pre-translation answers: true consumes the message.
  using PreTranslate = std::function<bool(HostMessage&)>;

  struct RoundRegion {
    bool set = false;
    Rect rect;
    Size ellipse;
  };
  // Runs over `backend` (kept for the host's life).
  explicit EmulatedHost(std::unique_ptr<IHostBackend> backend);
  ~EmulatedHost() override;
  EmulatedHost(const EmulatedHost&) = delete;
  EmulatedHost& operator=(const EmulatedHost&) = delete;

  // --- IUiHost ---
  bool RegisterWindowClass(const WindowClassDesc& desc) override;
  WindowHandle CreateHostWindow(const HostWindowDesc& desc, void* createParam) override;
  bool DestroyHostWindow(WindowHandle window) override;
  bool IsHostWindow(WindowHandle window) const override;
  LRESULT_T DefaultProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) override;
  void* GetUserData(WindowHandle window) const override;
  void SetUserData(WindowHandle window, void* data) override;
  bool SetProp(WindowHandle window, std::wstring_view name, void* value) override;
  void* GetProp(WindowHandle window, std::wstring_view name) const override;
  void* RemoveProp(WindowHandle window, std::wstring_view name) override;
  WindowProc SetWindowProc(WindowHandle window, WindowProc proc) override;
  LRESULT_T CallWindowProc(WindowProc proc, WindowHandle window, uint32_t message, WPARAM_T wParam,
                           LPARAM_T lParam) override;
  bool GetClassInfo(std::wstring_view className, WindowClassDesc& out) const override;
  bool ShowHostWindow(WindowHandle window, int showCommand) override;
  bool IsVisible(WindowHandle window) const override;
  bool IsMaximized(WindowHandle window) const override;
  bool IsMinimized(WindowHandle window) const override;
  bool MoveHostWindow(WindowHandle window, const Rect& rect, bool repaint) override;
  Rect GetWindowRect(WindowHandle window) const override;
  Rect GetClientRect(WindowHandle window) const override;
  void SetRoundRegion(WindowHandle window, const Rect* rect, Size ellipse) override;
  bool EnableHostWindow(WindowHandle window, bool enable) override;
  bool IsEnabled(WindowHandle window) const override;
  WindowHandle GetOwner(WindowHandle window) const override;
  WindowHandle GetParent(WindowHandle window) const override;
  uint32_t GetStyle(WindowHandle window, bool extended) const override;
  void SetStyle(WindowHandle window, bool extended, uint32_t style) override;
  void SetOpacity(WindowHandle window, uint8_t alpha) override;
  void UpdateLayered(WindowHandle window, const Bitmap& pixels, Point screenTopLeft) override;
  void PlaceBehind(WindowHandle window, WindowHandle above) override;
  bool SetIcon(WindowHandle window, int resourceId) override;
  WindowHandle SetFocus(WindowHandle window) override;
  WindowHandle GetFocus() const override;
  WindowHandle GetActiveWindow() const override;
  bool PostMessage(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) override;
  void PostQuitMessage(int exitCode) override;
  LRESULT_T SendMessage(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) override;
  bool GetMessage(HostMessage& msg) override;
  bool PeekMessage(HostMessage& msg, bool remove) override;
  void TranslateMessage(const HostMessage& msg) override;
  LRESULT_T DispatchMessage(const HostMessage& msg) override;
  bool SetTimer(WindowHandle window, uintptr_t id, uint32_t elapseMs) override;
  bool KillTimer(WindowHandle window, uintptr_t id) override;
  WindowHandle SetCapture(WindowHandle window) override;
  bool ReleaseCapture() override;
  WindowHandle GetCapture() const override;
  bool TrackMouseEvent(WindowHandle window, uint32_t hoverMs) override;
  void SetCursor(int systemCursor) override;
  Point GetCursorPos() const override;
  Point ScreenToClient(WindowHandle window, Point screen) const override;
  Point ClientToScreen(WindowHandle window, Point client) const override;
  int16_t GetKeyState(int virtualKey) const override;
  void InvalidateRect(WindowHandle window, const Rect* rect) override;
  Rect BeginPaint(WindowHandle window) override;
  void EndPaint(WindowHandle window) override;
  void Present(WindowHandle window, const Bitmap& frame, const Rect& area) override;
  uint32_t GetTickCount() const override;
  MonitorArea GetMonitorArea(WindowHandle window) const override;
  int GetDisplayDpi(WindowHandle window) const override;
  int MessageBox(WindowHandle owner, std::wstring_view text, std::wstring_view caption, uint32_t flags) override;

  // --- Pumping ---
  // Retrieves and dispatches every message available now without waiting:
  // `preTranslate` first (true = consumed), else TranslateMessage and
  // DispatchMessage. Stops at WM_QUIT (see LastQuit) or after `limit`
  // messages (a window that never validates its paint would loop forever).
  // Answers the number of messages handled, WM_QUIT not counted.
  int PumpPending(const PreTranslate& preTranslate = {}, int limit = 10000);
  // The exit code of the WM_QUIT that stopped the last PumpPending.
  std::optional<int> LastQuit() const { return lastQuit_; }

  // --- Input synthesis ---
  // Every helper queues what a real window would receive; pump to deliver.
  // `point` is in client coordinates of `window`; with a null window it is a
  // screen point over no window of ours. The cursor moves there at once.
  // Mouse messages go to the capture window at retrieval time when there is
  // one. Two single clicks never make a double click: ask for it.
  void MoveMouse(WindowHandle window, Point point);
  void PressLeft(WindowHandle window, Point point);
  void ReleaseLeft(WindowHandle window, Point point);
  void ClickLeft(WindowHandle window, Point point);
  void DoubleClickLeft(WindowHandle window, Point point);
  void PressRight(WindowHandle window, Point point);
  void ReleaseRight(WindowHandle window, Point point);
  void ClickRight(WindowHandle window, Point point);
  void PressMiddle(WindowHandle window, Point point);
  void ReleaseMiddle(WindowHandle window, Point point);
  void ClickMiddle(WindowHandle window, Point point);
  // `delta` in wheel units: WHEEL_DELTA (120) is one notch away from the user.
  void Wheel(WindowHandle window, Point point, int delta);
  // Keys go to the focus window (or, without focus, to the active window as
  // system keys); GetKeyState follows them as they are retrieved.
  void KeyDown(int virtualKey);
  void KeyUp(int virtualKey);
  void PressKey(int virtualKey);  // down and up
  // Presses the keys in order and releases them in reverse: {VK_MENU, VK_F4}.
  void PressKeys(std::initializer_list<int> virtualKeys);
  // One WM_CHAR per UTF-16 unit, to the focus window.
  void TypeText(std::wstring_view text);

  // --- Inspection (tests, tools) ---
  Rect UpdateRect(WindowHandle window) const;
  RoundRegion Region(WindowHandle window) const;
  uint8_t Opacity(WindowHandle window) const;
  // The window it was last placed behind, and the icon resource it was
  // given (0 for none).
  WindowHandle PlacedBehind(WindowHandle window) const;
  int IconId(WindowHandle window) const;
  std::wstring Title(WindowHandle window) const;
  size_t WindowCount() const;
  // Live windows in creation order, and the newest one of a class (null for
  // none): how a test finds a window that the code under test created.
  std::vector<WindowHandle> Windows() const;
  WindowHandle FindHostWindow(std::wstring_view className) const;
  std::wstring ClassName(WindowHandle window) const;
  size_t TimerCount() const { return timers_.size(); }
  // The period of a live timer; nullopt when there is none.
  std::optional<uint32_t> TimerPeriod(WindowHandle window, uintptr_t id) const;

 protected:
  IHostBackend& Backend() const { return *backend_; }

 private:
  struct WindowRecord;
  struct ClassRecord {
    uint32_t style = 0;
    WindowProc proc = nullptr;
  };
  enum class InputKind { kNone, kMouse, kKey, kChar };
  enum class MouseAction { kMove, kDown, kUp, kDoubleDown, kWheel };
  // One queue entry: a ready message, or raw input that becomes one (or
  // none) when it is retrieved, because hit-testing, capture and focus are
  // decided then, as user32 does.
  struct QueueItem {
    HostMessage msg;
    InputKind input = InputKind::kNone;
    MouseAction action = MouseAction::kMove;
    int button = 0;  // VK_LBUTTON, VK_RBUTTON, VK_MBUTTON
    int wheelDelta = 0;
    int key = 0;
    bool keyDown = false;
  };
  struct TimerRecord {
    WindowHandle window = nullptr;
    uintptr_t id = 0;
    uint32_t elapse = 0;
    uint32_t due = 0;
    uint64_t order = 0;
  };
  struct Tracking {
    WindowHandle window = nullptr;
    bool hover = false;
    bool leave = false;
    uint32_t hoverMs = 0;
    uint32_t hoverStart = 0;
  };

  // Windows (emulated_windows.cpp).
  WindowRecord* Find(WindowHandle window) const;
  WindowHandle RootOf(WindowHandle window) const;
  bool IsWithin(WindowHandle window, WindowHandle ancestor) const;
  bool SendCreation(WindowHandle handle, const HostWindowDesc& desc, void* createParam);
  void DestroyTree(WindowHandle window);
  void SendDestroy(WindowHandle window);
  void SendNcDestroy(WindowHandle window);
  void Forget(WindowHandle window);
  // These send, so each answers whether the window outlived it.
  bool Maximize(WindowHandle window);
  bool Minimize(WindowHandle window);
  bool Restore(WindowHandle window);
  bool ApplyPlacement(WindowHandle window, Rect rect, int sizeType, bool stateChanged, bool repaint);
  void MoveDescendants(WindowHandle window, int dx, int dy);
  void Activate(WindowHandle window, int how);
  void ActivateOtherThan(WindowHandle leaving);
  bool ActivatesOnShow(WindowHandle window, int showCommand) const;
  void ChangeFocus(WindowHandle window);
  LRESULT_T DefaultSysCommand(WindowHandle window, WPARAM_T command, LPARAM_T lParam);
  LRESULT_T DefaultSetCursor(WindowHandle window, WPARAM_T wParam, LPARAM_T lParam);

  // Queue, timers, painting (emulated_queue.cpp).
  // Sends `message` and answers the window's record when the window outlived
  // it, null when the message destroyed it (or it was gone already);
  // `answer`, when given, gets the procedure's answer.
  WindowRecord* SendAndFind(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam,
                            LRESULT_T* answer = nullptr);
  bool Retrieve(HostMessage& msg, bool remove);
  // How long GetMessage may wait before a timer or the hover comes due.
  std::optional<uint32_t> NextDueIn() const;
  void PostDueHover();
  bool TakePaint(HostMessage& msg) const;
  bool TakeTimer(HostMessage& msg, bool remove);
  void EnqueueInput(QueueItem item);
  void QueueKey(int virtualKey, bool down);
  void PostFront(const HostMessage& msg);
  void DropQueued(WindowHandle window);
  // Needs mutex_ held (reads the cursor).
  HostMessage StampLocked(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) const;

  // Input (emulated_input.cpp).
  std::vector<HostMessage> Cook(const QueueItem& item);
  std::vector<HostMessage> CookMouse(const QueueItem& item);
  std::vector<HostMessage> CookKey(const QueueItem& item);
  bool MouseActivateEats(WindowHandle window, int hit, uint32_t clientMessage);
  void CheckLeave(WindowHandle window, bool client, std::vector<HostMessage>& out);
  void QueueMouse(WindowHandle window, Point point, MouseAction action, int button, int wheelDelta = 0);
  void Press(WindowHandle window, Point point, int button, bool doubleClick);
  void MaybePostLeaveAfterCapture(WindowHandle lostCapture);
  uint16_t MouseKeyFlags() const;
  uint16_t AsyncMouseKeyFlags() const;

  // IHostEvents: what the backend reports (emulated_events.cpp).
  void OnMouseMove(WindowHandle window, Point client) override;
  void OnMouseButton(WindowHandle window, Point client, int button, bool down, bool doubleClick) override;
  void OnMouseWheel(WindowHandle window, Point client, int delta) override;
  void OnKey(int virtualKey, bool down) override;
  void OnText(std::wstring_view text) override;
  int HitTest(WindowHandle window, Point client) override;
  void OnSurfaceMoved(WindowHandle window, Point topLeft) override;
  void OnSurfaceResized(WindowHandle window, Size size) override;
  void OnSurfaceActivated(WindowHandle window, bool active) override;
  void OnSurfaceExposed(WindowHandle window) override;
  void OnSurfaceCloseRequested(WindowHandle window) override;
  bool HasSurface(WindowHandle window) const;

  std::unique_ptr<IHostBackend> backend_;

  // Guards the queue, the window table's shape, the cursor and the quit
  // flag: the parts another thread's PostMessage touches.
  mutable std::mutex mutex_;
  std::deque<QueueItem> queue_;
  bool quitPending_ = false;
  int quitCode_ = 0;
  Point cursorPos_;

  std::map<std::wstring, ClassRecord, std::less<>> classes_;
  std::map<WindowHandle, std::unique_ptr<WindowRecord>> windows_;
  uintptr_t nextHandle_ = 0x100;
  std::vector<TimerRecord> timers_;
  uint64_t timerOrder_ = 0;

  WindowHandle focus_ = nullptr;
  WindowHandle active_ = nullptr;
  WindowHandle capture_ = nullptr;
  WindowHandle cursorWindow_ = nullptr;  // the window the cursor is over
  Tracking tracking_;
  uint8_t keys_[256] = {};       // as retrieved: 0x80 down, 0x01 toggled
  uint8_t asyncKeys_[256] = {};  // as synthesised
  // Set while a backend report is applied, so the change is not echoed back.
  bool applyingSurfaceReport_ = false;

  std::optional<int> lastQuit_;
};

}  // namespace zui
