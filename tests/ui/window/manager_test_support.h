#pragma once
// What the paint manager tests share: a real headless window whose procedure
// hands messages to its manager, a control that records the input events it
// gets, and a notifier that records what it is told.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/controls/control.h"
#include "ui/window/paint_manager.h"
#include "ui/host/headless/headless_host.h"
#include "ui/layout/container.h"

namespace zui::test {

class RecordingControl : public CControlUI {
 public:
  struct Seen {
    int type;
    Point point;
    WPARAM_T wParam;
    wchar_t key;
  };

  uint32_t GetControlFlags() const override { return flags; }
  void DoEvent(InputEvent& event) override;
  bool Activate() override;

  // Kinds in the order they came.
  std::vector<int> Kinds() const;
  int Count(int kind) const;
  const Seen* Last(int kind) const;

  uint32_t flags = 0;
  int activations = 0;
  std::vector<Seen> seen;
};

// A floating child placed at `pos` (client coordinates when its parent
// covers the client area from the origin).
template <typename T = RecordingControl>
T* AddChild(CContainerUI& parent, std::wstring_view name, const Rect& pos) {
  auto* control = new T();
  control->SetAttribute(L"name", name);
  control->SetAttribute(L"float", L"true");
  control->SetAttribute(L"pos", std::to_wstring(pos.left) + L"," + std::to_wstring(pos.top) + L"," +
                                    std::to_wstring(pos.right) + L"," + std::to_wstring(pos.bottom));
  parent.Add(control);
  return control;
}

class TestWindow {
 public:
  // The window's own handlers, asked before the manager like a window base
  // does; true with `result` set ends the message there.
  using OwnHandler = std::function<bool(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result)>;

  explicit TestWindow(Rect rect = {100, 100, 500, 400}, uint32_t style = WS_POPUP, WindowHandle parent = nullptr);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  WindowHandle handle() const { return handle_; }
  CPaintManagerUI& manager() { return manager_; }

  OwnHandler own;
  // Every message that reached the default procedure.
  std::vector<uint32_t> unhandled;
  // Every message the procedure saw.
  std::vector<uint32_t> received;

 private:
  static LRESULT_T Proc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam);

  WindowHandle handle_ = nullptr;
  CPaintManagerUI manager_;
};

struct NotifyLog : INotifyUI {
  void Notify(NotifyRecord& msg) override;
  // "type:sender name" (sender name "-" when there is none).
  std::vector<std::wstring> entries;
  std::function<void(NotifyRecord&)> then;
  std::vector<std::wstring> Of(std::wstring_view type) const;
};

// A host, a shown window with a manager and a plain container as root.
class ManagerTest : public ::testing::Test {
 protected:
  ManagerTest();
  // Pumps the way the message loop does, pre-translation included.
  int Pump();
  // Shows the window and pumps its first paint; the log starts afterwards.
  void ShowWindow();
  CPaintManagerUI& manager() { return window_->manager(); }
  WindowHandle handle() const { return window_->handle(); }

  HeadlessHost host_;
  ScopedHost scoped_{host_};
  std::unique_ptr<TestWindow> window_;
  CContainerUI* root_ = nullptr;  // attached at once, owned by the manager
  NotifyLog log_;
};

}  // namespace zui::test
