#include "recording_window.h"

namespace zui::test {
namespace {

RecordingWindows* current = nullptr;

}  // namespace

RecordingWindows::RecordingWindows(EmulatedHost& host) : host_(host) {
  current = this;
  host_.RegisterWindowClass({L"Recorder", CS_DBLCLKS, &RecordingWindows::Proc});
  host_.RegisterWindowClass({L"PlainRecorder", 0, &RecordingWindows::Proc});
}

RecordingWindows::~RecordingWindows() { current = nullptr; }

WindowHandle RecordingWindows::Create(Rect rect, uint32_t style, WindowHandle parent, const wchar_t* className,
                                      void* createParam) {
  HostWindowDesc desc;
  desc.className = className;
  desc.title = L"recorder";
  desc.style = style;
  desc.rect = rect;
  desc.parent = parent;
  return host_.CreateHostWindow(desc, createParam);
}

LRESULT_T RecordingWindows::Proc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  RecordingWindows& self = *current;
  self.log_.push_back({window, message, wParam, lParam});
  auto it = self.answers_.find(message);
  if (it != self.answers_.end()) {
    if (std::optional<LRESULT_T> answer = it->second(window, wParam, lParam)) return *answer;
  }
  return self.host_.DefaultProc(window, message, wParam, lParam);
}

const std::set<uint32_t>& RecordingWindows::Chatter() {
  static const std::set<uint32_t> chatter{WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEACTIVATE, WM_NCACTIVATE,
                                          WM_ACTIVATE,  WM_SETFOCUS,  WM_KILLFOCUS};
  return chatter;
}

std::vector<uint32_t> RecordingWindows::Messages(WindowHandle window) const {
  return MessagesIgnoring(window, Chatter());
}

std::vector<uint32_t> RecordingWindows::MessagesIgnoring(WindowHandle window, const std::set<uint32_t>& ignore) const {
  std::vector<uint32_t> out;
  for (const Received& r : log_) {
    if ((window == nullptr || r.window == window) && ignore.count(r.message) == 0) out.push_back(r.message);
  }
  return out;
}

std::vector<Received> RecordingWindows::Of(uint32_t message, WindowHandle window) const {
  std::vector<Received> out;
  for (const Received& r : log_) {
    if (r.message == message && (window == nullptr || r.window == window)) out.push_back(r);
  }
  return out;
}

}  // namespace zui::test
