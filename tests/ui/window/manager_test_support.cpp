#include "manager_test_support.h"

#include <algorithm>

namespace zui::test {

void RecordingControl::DoEvent(InputEvent& event) {
  seen.push_back({event.type, event.point, event.wParam, event.key});
  CControlUI::DoEvent(event);
}

bool RecordingControl::Activate() {
  if (!CControlUI::Activate()) return false;
  ++activations;
  return true;
}

std::vector<int> RecordingControl::Kinds() const {
  std::vector<int> kinds;
  for (const Seen& s : seen) kinds.push_back(s.type);
  return kinds;
}

int RecordingControl::Count(int kind) const {
  return static_cast<int>(std::count_if(seen.begin(), seen.end(), [kind](const Seen& s) { return s.type == kind; }));
}

const RecordingControl::Seen* RecordingControl::Last(int kind) const {
  for (auto it = seen.rbegin(); it != seen.rend(); ++it)
    if (it->type == kind) return &*it;
  return nullptr;
}

TestWindow::TestWindow(Rect rect, uint32_t style, WindowHandle parent) {
  WindowClassDesc cls;
  cls.name = L"ZuiManagerTestWindow";
  cls.style = CS_DBLCLKS;
  cls.proc = &TestWindow::Proc;
  Host().RegisterWindowClass(cls);
  HostWindowDesc desc;
  desc.className = cls.name;
  desc.title = L"manager test";
  desc.style = style;
  desc.rect = rect;
  desc.parent = parent;
  handle_ = Host().CreateHostWindow(desc, this);
  manager_.Init(handle_, L"test");
}

TestWindow::~TestWindow() {
  if (handle_ != nullptr && Host().IsHostWindow(handle_)) Host().DestroyHostWindow(handle_);
}

LRESULT_T TestWindow::Proc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  if (message == WM_NCCREATE) {
    auto* cs = reinterpret_cast<HostCreateStruct*>(lParam);
    Host().SetUserData(window, cs->createParam);
  }
  auto* self = static_cast<TestWindow*>(Host().GetUserData(window));
  if (self == nullptr) return Host().DefaultProc(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    Host().SetUserData(window, nullptr);
    self->handle_ = nullptr;
    return Host().DefaultProc(window, message, wParam, lParam);
  }
  self->received.push_back(message);
  LRESULT_T result = 0;
  if (self->own && self->own(message, wParam, lParam, result)) return result;
  if (self->manager_.MessageHandler(message, wParam, lParam, result)) return result;
  self->unhandled.push_back(message);
  return Host().DefaultProc(window, message, wParam, lParam);
}

void NotifyLog::Notify(NotifyRecord& msg) {
  entries.push_back(msg.type + L":" + (msg.sender != nullptr ? msg.sender->GetName() : std::wstring(L"-")));
  if (then) then(msg);
}

std::vector<std::wstring> NotifyLog::Of(std::wstring_view type) const {
  std::vector<std::wstring> out;
  const std::wstring prefix = std::wstring(type) + L":";
  for (const std::wstring& e : entries)
    if (e.compare(0, prefix.size(), prefix) == 0) out.push_back(e);
  return out;
}

ManagerTest::ManagerTest() : window_(std::make_unique<TestWindow>()), root_(new CContainerUI()) {
  root_->SetAttribute(L"name", L"root");
  manager().AttachDialog(root_);
  manager().AddNotifier(&log_);
}

int ManagerTest::Pump() {
  return host_.PumpPending([](HostMessage& msg) { return CPaintManagerUI::TranslateMessage(msg); });
}

void ManagerTest::ShowWindow() {
  host_.ShowHostWindow(handle(), SW_SHOWNORMAL);
  Pump();
  log_.entries.clear();
}

}  // namespace zui::test
