// The repair window's keyboard, its closes that are not its buttons, and
// coming to the front when a second start asks for it.
// Every close goes through the workflow, which knows whether the box is
// being changed and the question must come first; the WM_CLOSE that
// follows (and the one a signal posts) gives the card back and ends.

#include "app/repair/vxg_down.h"

#include <array>

#include "ui/controls/control.h"
#include "ui/host/host.h"
#include "ui/layout/tab_layout.h"

namespace zapp {
namespace {

constexpr uint32_t kSysCommandMask = 0xFFF0;
constexpr zui::LPARAM_T kKeyRepeat = zui::LPARAM_T{1} << 30;  // the key was down already

// The button each page starts on, by page; none where the page has nothing
// to press. The confirmation starts on its cancel: a stray Enter must not
// leave in the middle of a repair.
constexpr std::array<const wchar_t*, 6> kMainButtons = {
    L"begin_btn",        // Start: "下一步"
    nullptr,             // WaitingForDevice: its button is disabled
    nullptr,             // Downloading
    L"exit_btn",         // Finished
    L"cancel_exit_btn",  // ConfirmExit
    L"repair_retry",     // Failed
};

// Looked for inside the page: the name table holds only the last of two
// controls of one name.
zui::CControlUI* FindInPage(zui::CControlUI* page, const wchar_t* name) {
  if (page == nullptr) return nullptr;
  const std::wstring wanted = name;
  return page->FindControl(
      [&wanted](zui::CControlUI* c) -> zui::CControlUI* { return c->GetName() == wanted ? c : nullptr; },
      zui::kFindAll);
}

}  // namespace

void VXGDown::FocusMainButton(int page) {
  if (pageTab_ == nullptr || page < 0 || page >= static_cast<int>(kMainButtons.size())) return;
  zui::CControlUI* button = nullptr;
  if (const wchar_t* name = kMainButtons[static_cast<size_t>(page)])
    button = FindInPage(pageTab_->GetItemAt(page), name);
  // Only the control: a page that changes while the user works elsewhere
  // must not pull the window to the front.
  paintManager_.SetFocus(button != nullptr && button->IsEnabled() ? button : nullptr, false);
}

zui::LRESULT_T VXGDown::OnSysCommand(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam, bool& handled) {
  if ((wParam & kSysCommandMask) != SC_CLOSE) return WindowImplBase::OnSysCommand(message, wParam, lParam, handled);
  workflow_.RequestClose();
  return 0;
}

zui::LRESULT_T VXGDown::MessageHandler(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam, bool& handled) {
  if (message == WM_REPAIR_RAISE) {
    // Restored if minimised, shown and activated: the user started the
    // program again because they could not find this window.
    zui::Host().ShowHostWindow(GetHWND(), SW_RESTORE);
    handled = true;
    return 0;
  }
  // A held Escape repeats; only its first press counts, or the question
  // would come and go while the key is down.
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE && (lParam & kKeyRepeat) != 0) return 0;
  return WindowImplBase::MessageHandler(message, wParam, lParam, handled);
}

bool VXGDown::ResponseDefaultKeyEvent(zui::WPARAM_T key) {
  if (key != VK_ESCAPE) return false;
  workflow_.OnEscape();
  return true;
}

}  // namespace zapp
