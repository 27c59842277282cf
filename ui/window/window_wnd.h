#pragma once
// CWindowWnd: the thin object wrapper over one native window. It registers
// the window class on demand, creates the window with itself as the creation
// parameter, and routes every message of that window to its virtual
// HandleMessage. It can also take over (subclass) a window made elsewhere,
// run a window modally, centre it and close it with a result.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/base/geometry.h"
#include "ui/base/messages.h"
#include "ui/host/host.h"

namespace zui {

class CWindowWnd {
 public:
  // A creation coordinate the system chooses (CW_USEDEFAULT). The window
  // then starts at the work area's top left with no size; a skinned window
  // takes its size from its skin while it is created.
  static constexpr int kUseDefault = static_cast<int>(0x80000000u);
  // The property that holds the object of a superclassed or subclassed
  // window (their user data belongs to the class they borrow from).
  static constexpr const wchar_t* kObjectProperty = L"WndX";

  CWindowWnd();
  // A window that outlives its object falls back to the default procedure.
  virtual ~CWindowWnd();
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  WindowHandle GetHWND() const { return window_; }
  operator WindowHandle() const { return window_; }

  // Registers the class named by GetWindowClassName (an existing class
  // counts as registered). The superclass form copies the class named by
  // GetSuperClassName under the own name; false when it does not exist.
  bool RegisterWindowClass();
  bool RegisterSuperclass();

  // Null when the class cannot be registered or the window refuses to be
  // created. WM_CREATE has been handled when it returns.
  WindowHandle Create(WindowHandle parent, std::wstring_view title, uint32_t style, uint32_t exStyle, const Rect& rect);
  WindowHandle Create(WindowHandle parent, std::wstring_view title, uint32_t style, uint32_t exStyle,
                      int x = kUseDefault, int y = kUseDefault, int width = kUseDefault, int height = kUseDefault);

  // Takes over an existing window: its messages reach HandleMessage, and
  // the procedure it had becomes the previous procedure. Null when
  // `window` is no window.
  WindowHandle Subclass(WindowHandle window);
  void Unsubclass();

  // Hides, or shows normally (taking the focus) or without activating.
  void ShowWindow(bool show = true, bool takeFocus = true);
  // Shows the window and runs a message loop until it is gone; the owner
  // is disabled meanwhile. Answers the result given to Close, 0 when the
  // window was closed without one.
  int ShowModal();
  // Posts WM_CLOSE carrying `result`.
  void Close(int result = IDOK);
  // Over the owner, or in the work area without one, kept inside the work
  // area.
  void CenterWindow();
  // Big and small icon from the program's icon resource; false for none.
  bool SetIcon(int resourceId);

  LRESULT_T SendMessage(uint32_t message, WPARAM_T wParam = 0, LPARAM_T lParam = 0);
  bool PostMessage(uint32_t message, WPARAM_T wParam = 0, LPARAM_T lParam = 0);

 protected:
  virtual std::wstring_view GetWindowClassName() const = 0;
  // Empty: a class of its own.
  virtual std::wstring_view GetSuperClassName() const { return {}; }
  virtual uint32_t GetClassStyle() const { return 0; }
  // The previous window procedure by default.
  virtual LRESULT_T HandleMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam);
  // After WM_NCDESTROY, when the object no longer has a window.
  virtual void OnFinalMessage(WindowHandle window) {}

  // Calls the procedure the window had before this object took it over
  // (the default procedure for a class of its own).
  LRESULT_T CallPreviousProc(uint32_t message, WPARAM_T wParam, LPARAM_T lParam);
  // Stops routing the window's messages to this object; the window stays.
  void ReleaseWindow();

 private:
  static LRESULT_T UserDataProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam);
  static LRESULT_T PropertyProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam);
  // What both procedures do once they have found the object.
  static LRESULT_T Route(CWindowWnd* self, WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam,
                         bool byProperty);

  WindowHandle window_ = nullptr;
  WindowProc previousProc_;
  bool subclassed_ = false;
};

}  // namespace zui
