#pragma once
// WindowImplBase: the base of every skinned top-level window. When its
// native window is created it builds the control tree from the skin file
// the derived class names and hands it to its paint manager; it replaces the
// native frame by the skin's caption band, size box and round corners, runs
// the standard title-bar buttons, and routes notifications into the notify
// map of the derived class.
//
// A derived window supplies its class name and skin file, and overrides
// InitWindow, its notify map, OnClose and HandleCustomMessage as it needs.
// Every message handler answers with `handled` cleared when the message is
// to go on to the next stage: handler, custom handler, paint manager, the
// previous window procedure.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/base/notify.h"
#include "ui/window/notify_pump.h"
#include "ui/window/paint_manager.h"
#include "ui/window/query_control_text.h"
#include "ui/window/skin_builder.h"
#include "ui/window/window_wnd.h"

namespace zui {

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback,
                       public IQueryControlText {
 public:
  static constexpr const wchar_t* kFailureCaption = L"ZavizEraVaredu";
  // The colon is the full-width one (U+FF1A).
  static constexpr const wchar_t* kFailureText = L"Failed to load resource file\xFF1A";

  WindowImplBase() = default;
  // Lets go of a window that outlives the object before the paint manager
  // and the tree go.
  ~WindowImplBase() override;

  CPaintManagerUI& GetPaintManager() { return paintManager_; }

  // INotifyUI: into the notify maps.
  void Notify(NotifyRecord& msg) override;
  // IMessageFilterUI, registered as the paint manager's pre-message filter:
  // Return and Escape reach ResponseDefaultKeyEvent and then go on.
  LRESULT_T MessageHandler(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled) override;
  // IDialogBuilderCallback and IQueryControlText: none.
  CControlUI* CreateControl(std::wstring_view elementName) override { return nullptr; }
  const std::wstring* QueryControlText(std::wstring_view id, std::wstring_view type) override { return nullptr; }

  ZUI_DECLARE_NOTIFY_MAP();

 public:
  // After the skin has been attached.
  virtual void InitWindow() {}
  // "click" notifications no derived map entry claims: the standard
  // title-bar buttons "closebtn", "minbtn", "maxbtn", "restorebtn".
  virtual void OnClick(NotifyRecord& msg);
  // Whether a press on `control` inside the caption band drags the window:
  // only when it and all its ancestors are passive (labels, layouts).
  virtual bool IsInStaticControl(CControlUI* control);
  // Empty: the skin file is a file or archive name; otherwise the skin file
  // is a resource number of this native resource type.
  virtual std::wstring GetSkinType() { return {}; }
  // Put before the skin file name when not empty.
  virtual std::wstring GetSkinFolder() { return {}; }
  virtual std::wstring GetSkinFile() = 0;
  virtual std::wstring GetManagerName() { return {}; }
  // Return or Escape went down; the answer is not used to stop the key.
  virtual bool ResponseDefaultKeyEvent(WPARAM_T key) { return key == VK_ESCAPE; }

  virtual LRESULT_T OnClose(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnDestroy(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnNcActivate(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnNcCalcSize(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnNcPaint(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnNcHitTest(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnGetMinMaxInfo(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnMouseWheel(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnMouseHover(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnSize(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnDpiChanged(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnChar(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnSysCommand(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnCreate(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnKeyDown(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnKillFocus(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnSetFocus(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnLButtonDown(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnLButtonUp(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  virtual LRESULT_T OnMouseMove(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  // Every message without a handler of its own, and those whose handler
  // let them go on.
  virtual LRESULT_T HandleCustomMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  // The window style without a native caption.
  virtual uint32_t GetStyle();

 protected:
  uint32_t GetClassStyle() const override { return CS_DBLCLKS; }
  LRESULT_T HandleMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam) override;
  void OnFinalMessage(WindowHandle window) override;

  CPaintManagerUI paintManager_;

 private:
  // The table of handlers above; `handled` is false for messages it has
  // no handler for.
  LRESULT_T DispatchOwn(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled);
  CControlUI* BuildSkin();
  int HitTestSizeBox(Point point, const Rect& client) const;
  bool InCaption(Point point, const Rect& client) const;
  void SwapMaxRestoreButtons(bool maximized);
};

}  // namespace zui
