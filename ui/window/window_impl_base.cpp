// The skinned window's life: building the skin at WM_CREATE, the order in
// which a message meets its handlers, notifications into the notify maps,
// the standard buttons, and letting go of the framework parts at the end.

#include "ui/window/window_impl_base.h"

#include <cstdlib>

#include "ui/controls/control.h"
#include "ui/render/value_format.h"

namespace zui {

ZUI_BEGIN_NOTIFY_MAP(WindowImplBase, CNotifyPump)
ZUI_ON_NOTIFY(L"click", L"", &WindowImplBase::OnClick)
ZUI_END_NOTIFY_MAP()

WindowImplBase::~WindowImplBase() {
  if (GetHWND() != nullptr) {
    paintManager_.RemovePreMessageFilter(this);
    paintManager_.RemoveNotifier(this);
  }
  ReleaseWindow();
}

LRESULT_T WindowImplBase::HandleMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  bool handled = true;
  LRESULT_T result = DispatchOwn(message, wParam, lParam, handled);
  if (handled) return result;
  handled = true;
  result = HandleCustomMessage(message, wParam, lParam, handled);
  if (handled) return result;
  if (paintManager_.MessageHandler(message, wParam, lParam, result)) return result;
  return CWindowWnd::HandleMessage(message, wParam, lParam);
}

LRESULT_T WindowImplBase::DispatchOwn(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled) {
  using Handler = LRESULT_T (WindowImplBase::*)(uint32_t, WPARAM_T, LPARAM_T, bool&);
  struct Entry {
    uint32_t message;
    Handler handler;
  };
  static constexpr Entry kHandlers[] = {
      {WM_CREATE, &WindowImplBase::OnCreate},
      {WM_DESTROY, &WindowImplBase::OnDestroy},
      {WM_SIZE, &WindowImplBase::OnSize},
      {WM_DPICHANGED, &WindowImplBase::OnDpiChanged},
      {WM_SETFOCUS, &WindowImplBase::OnSetFocus},
      {WM_KILLFOCUS, &WindowImplBase::OnKillFocus},
      {WM_CLOSE, &WindowImplBase::OnClose},
      {WM_GETMINMAXINFO, &WindowImplBase::OnGetMinMaxInfo},
      {WM_NCCALCSIZE, &WindowImplBase::OnNcCalcSize},
      {WM_NCHITTEST, &WindowImplBase::OnNcHitTest},
      {WM_NCPAINT, &WindowImplBase::OnNcPaint},
      {WM_NCACTIVATE, &WindowImplBase::OnNcActivate},
      {WM_KEYDOWN, &WindowImplBase::OnKeyDown},
      {WM_CHAR, &WindowImplBase::OnChar},
      {WM_SYSCOMMAND, &WindowImplBase::OnSysCommand},
      {WM_MOUSEMOVE, &WindowImplBase::OnMouseMove},
      {WM_LBUTTONDOWN, &WindowImplBase::OnLButtonDown},
      {WM_LBUTTONUP, &WindowImplBase::OnLButtonUp},
      {WM_MOUSEWHEEL, &WindowImplBase::OnMouseWheel},
      {WM_MOUSEHOVER, &WindowImplBase::OnMouseHover},
  };
  for (const Entry& entry : kHandlers)
    if (entry.message == message) return (this->*entry.handler)(message, wParam, lParam, handled);
  handled = false;
  return 0;
}

LRESULT_T WindowImplBase::OnCreate(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled) {
  const WindowHandle window = GetHWND();
  Host().SetStyle(window, false, GetStyle() | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  paintManager_.Init(window, GetManagerName());
  paintManager_.AddPreMessageFilter(this);

  CControlUI* root = BuildSkin();
  if (root == nullptr) {
    // The program has no window without its skin, so it cannot go on.
    const std::wstring text = std::wstring(kFailureText) + GetSkinFolder() + GetSkinFile();
    Host().MessageBox(nullptr, text, kFailureCaption, MB_ICONERROR);
    std::exit(1);
  }
  paintManager_.AttachDialog(root);
  paintManager_.AddNotifier(this);
  InitWindow();
  return 0;
}

CControlUI* WindowImplBase::BuildSkin() {
  CSkinBuilder builder;
  const std::wstring type = GetSkinType();
  const std::wstring file = GetSkinFolder() + GetSkinFile();
  if (type.empty()) return builder.Create(SkinDocument(file), {}, this, &paintManager_);
  // Read like a decimal number; 0 and below name no resource.
  const int id = ParseIntValue(file);
  if (id <= 0) return nullptr;
  return builder.Create(SkinDocument::Resource(static_cast<uint32_t>(id)), type, this, &paintManager_);
}

void WindowImplBase::OnFinalMessage(WindowHandle window) {
  paintManager_.RemovePreMessageFilter(this);
  paintManager_.RemoveNotifier(this);
  paintManager_.ReapObjects(paintManager_.GetRoot());
}

void WindowImplBase::Notify(NotifyRecord& msg) { NotifyPump(msg); }

LRESULT_T WindowImplBase::MessageHandler(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, bool& handled) {
  if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) ResponseDefaultKeyEvent(wParam);
  return 0;
}

void WindowImplBase::OnClick(NotifyRecord& msg) {
  if (msg.sender == nullptr) return;
  const std::wstring& name = msg.sender->GetName();
  if (name == L"closebtn") Close(1);
  else if (name == L"minbtn") SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  else if (name == L"maxbtn") SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  else if (name == L"restorebtn") SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
}

uint32_t WindowImplBase::GetStyle() { return Host().GetStyle(GetHWND(), false) & ~static_cast<uint32_t>(WS_CAPTION); }

// --- Messages the base leaves to the later stages ---

namespace {

LRESULT_T PassOn(bool& handled) {
  handled = false;
  return 0;
}

}  // namespace

LRESULT_T WindowImplBase::OnClose(uint32_t, WPARAM_T, LPARAM_T, bool& handled) { return PassOn(handled); }
LRESULT_T WindowImplBase::OnDestroy(uint32_t, WPARAM_T, LPARAM_T, bool& handled) { return PassOn(handled); }
LRESULT_T WindowImplBase::OnMouseWheel(uint32_t, WPARAM_T, LPARAM_T, bool& handled) { return PassOn(handled); }
LRESULT_T WindowImplBase::OnMouseHover(uint32_t, WPARAM_T, LPARAM_T, bool& handled) { return PassOn(handled); }
LRESULT_T WindowImplBase::OnChar(uint32_t, WPARAM_T, LPARAM_T, bool& handled) { return PassOn(handled); }
LRESULT_T WindowImplBase::OnKeyDown(uint32_t, WPARAM_T, LPARAM_T, bool& handled) { return PassOn(handled); }
LRESULT_T WindowImplBase::OnKillFocus(uint32_t, WPARAM_T, LPARAM_T, bool& handled) { return PassOn(handled); }
LRESULT_T WindowImplBase::OnSetFocus(uint32_t, WPARAM_T, LPARAM_T, bool& handled) { return PassOn(handled); }
LRESULT_T WindowImplBase::OnLButtonDown(uint32_t, WPARAM_T, LPARAM_T, bool& handled) { return PassOn(handled); }
LRESULT_T WindowImplBase::OnLButtonUp(uint32_t, WPARAM_T, LPARAM_T, bool& handled) { return PassOn(handled); }
LRESULT_T WindowImplBase::OnMouseMove(uint32_t, WPARAM_T, LPARAM_T, bool& handled) { return PassOn(handled); }
LRESULT_T WindowImplBase::HandleCustomMessage(uint32_t, WPARAM_T, LPARAM_T, bool& handled) { return PassOn(handled); }

}  // namespace zui
