#pragma once
// A window proc that writes down every message it gets and answers what the
// test scripted, otherwise what the host's default processing answers.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "ui/host/headless/headless_host.h"

namespace zui::test {

struct Received {
  WindowHandle window;
  uint32_t message;
  WPARAM_T wParam;
  LPARAM_T lParam;
};

class RecordingWindows {
 public:
  using Responder = std::function<std::optional<LRESULT_T>(WindowHandle, WPARAM_T, LPARAM_T)>;

  // Registers "Recorder" (CS_DBLCLKS) and "PlainRecorder" (no class style)
  // with `host`; one instance at a time.
  explicit RecordingWindows(EmulatedHost& host);
  ~RecordingWindows();

  WindowHandle Create(Rect rect, uint32_t style = WS_POPUP, WindowHandle parent = nullptr,
                      const wchar_t* className = L"Recorder", void* createParam = nullptr);

  // Scripts the answer to `message` (for every window); nullopt falls
  // through to the default processing.
  void Answer(uint32_t message, Responder answer) { answers_[message] = std::move(answer); }
  void AnswerValue(uint32_t message, LRESULT_T value) {
    answers_[message] = [value](WindowHandle, WPARAM_T, LPARAM_T) { return std::optional<LRESULT_T>(value); };
  }

  const std::vector<Received>& All() const { return log_; }
  void Clear() { log_.clear(); }
  void Reset() {
    log_.clear();
    answers_.clear();
  }
  // The messages `window` got (null: every window), without the ones in
  // `ignore` (by default the hit-testing, cursor and activation chatter).
  std::vector<uint32_t> Messages(WindowHandle window = nullptr) const;
  std::vector<uint32_t> MessagesIgnoring(WindowHandle window, const std::set<uint32_t>& ignore) const;
  std::vector<Received> Of(uint32_t message, WindowHandle window = nullptr) const;
  int Count(uint32_t message, WindowHandle window = nullptr) const {
    return static_cast<int>(Of(message, window).size());
  }

  static const std::set<uint32_t>& Chatter();

 private:
  static LRESULT_T Proc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam);

  EmulatedHost& host_;
  std::vector<Received> log_;
  std::map<uint32_t, Responder> answers_;
};

// A fixture with one shown 200 x 100 window at the screen origin, its
// start-up messages already handled and forgotten.
class OneShownWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window = windows.Create({0, 0, 200, 100});
    host.ShowHostWindow(window, SW_SHOW);
    host.PumpPending();
    windows.Clear();
  }

  HeadlessHost host;
  RecordingWindows windows{host};
  WindowHandle window = nullptr;
};

}  // namespace zui::test
