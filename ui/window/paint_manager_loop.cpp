// The process's message loop and the pre-translation every message gets
// before it is dispatched: accelerators, pre-message filters, Tab moves and
// Alt shortcuts of the window it is meant for.

#include <algorithm>

#include "ui/controls/control.h"
#include "ui/window/paint_manager.h"
#include "ui/host/host.h"

namespace zui {

namespace {

bool StillBound(const CPaintManagerUI* manager) {
  const auto& managers = CPaintManagerUI::GetPaintManagers();
  return std::find(managers.begin(), managers.end(), manager) != managers.end();
}

// The first accelerator answering 0 consumes the message.
bool AskAccelerators(const std::vector<ITranslateAccelerator*>& accelerators, HostMessage& msg) {
  for (ITranslateAccelerator* accelerator : accelerators)
    if (accelerator->TranslateAccelerator(msg) == 0) return true;
  return false;
}

}  // namespace

void CPaintManagerUI::MessageLoop() {
  HostMessage msg;
  while (Host().GetMessage(msg)) {
    if (!TranslateMessage(msg)) {
      Host().TranslateMessage(msg);
      Host().DispatchMessage(msg);
    }
  }
}

bool CPaintManagerUI::TranslateMessage(HostMessage& msg) {
  if (msg.window == nullptr) return false;
  // Managers may go away while a message is being pre-translated (a dialog
  // closing), so each one is checked before it is asked.
  const std::vector<CPaintManagerUI*> managers = GetPaintManagers();
  LRESULT_T result = 0;
  if ((Host().GetStyle(msg.window, false) & WS_CHILD) == 0) {
    for (CPaintManagerUI* m : managers) {
      if (!StillBound(m) || m->window_ != msg.window) continue;
      if (AskAccelerators(m->translateAccelerators_, msg)) return true;
      return m->PreMessageHandler(msg.message, msg.wParam, msg.lParam, result);
    }
    return false;
  }
  // A native child window (an edit box, say): the managers of the window
  // itself and of its ancestors see its keys, each once, nearest first.
  std::vector<CPaintManagerUI*> asked;
  int depth = 0;
  for (WindowHandle w = msg.window; w != nullptr && depth < 64; w = Host().GetParent(w), ++depth) {
    for (CPaintManagerUI* m : managers) {
      if (m->window_ != w || !StillBound(m)) continue;
      if (std::find(asked.begin(), asked.end(), m) != asked.end()) continue;
      asked.push_back(m);
      if (AskAccelerators(m->translateAccelerators_, msg)) return true;
      m->PreMessageHandler(msg.message, msg.wParam, msg.lParam, result);
    }
  }
  return false;
}

bool CPaintManagerUI::PreMessageHandler(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result) {
  const std::vector<IMessageFilterUI*> filters = preMessageFilters_;
  for (IMessageFilterUI* filter : filters) {
    bool handled = false;
    const LRESULT_T answer = filter->MessageHandler(message, wParam, lParam, handled);
    if (handled) {
      result = answer;
      return true;
    }
  }
  switch (message) {
    case WM_KEYDOWN:
      if (wParam != VK_TAB) return false;
      SetNextTabControl(Host().GetKeyState(VK_SHIFT) >= 0);
      return true;
    case WM_SYSKEYDOWN:
      if (focus_ != nullptr) SendEvent(focus_, kEventSysKey, wParam, lParam, static_cast<wchar_t>(wParam));
      return false;
    case WM_SYSCHAR: {
      CControlUI* control = FindShortcut(static_cast<wchar_t>(wParam));
      if (control == nullptr) return false;
      const ControlRef watch = control;
      control->SetFocus();
      if (watch.get() != nullptr) watch.get()->Activate();
      return true;
    }
    default: return false;
  }
}

}  // namespace zui
