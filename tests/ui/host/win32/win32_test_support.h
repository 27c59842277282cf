#pragma once
// Helpers for tests that drive real windows through the Windows host: bounded
// message pumping, reading pixels back from the screen, real mouse input, and
// a window that records what its procedure sees.
//
// CTest runs the cases as separate processes, two at a time, on one display:
// every case that shows a window keeps to a screen area no other case uses,
// so screen reads and clicks meet only its own window.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/base/bitmap.h"
#include "ui/host/win32/win32_host.h"

namespace ztest {

// Dispatches messages until `done` answers true or `timeoutMs` passes;
// answers `done()` at the end. Never blocks longer than the timeout.
// `preTranslate` sees each message first and may consume it (true), as the
// toolkit's message loop lets its pre-translation do.
using PreTranslate = std::function<bool(zui::HostMessage&)>;
bool PumpUntil(zui::IUiHost& host, const std::function<bool()>& done, uint32_t timeoutMs = 3000,
               const PreTranslate& preTranslate = {});
// Dispatches whatever arrives during `ms`.
void PumpFor(zui::IUiHost& host, uint32_t ms);

// The screen's pixels in `screenRect` (opaque BGRA), as they are shown now.
zui::Bitmap GrabScreen(const zui::Rect& screenRect);
// Pixels of `a` and `b` whose colour differs by more than `tolerance` in
// any channel (alpha ignored); -1 when the sizes differ.
int CountDifferentPixels(const zui::Bitmap& a, const zui::Bitmap& b, int tolerance = 0);
// Writes `bitmap` to the build's artifacts folder; the path written, or
// empty on failure.
std::string SaveArtifact(const zui::Bitmap& bitmap, const std::string& name);

// Moves the real cursor to a screen point and presses and releases the left
// button there, as a user would.
void RealClick(zui::Point screen);

struct SeenMessage {
  uint32_t message = 0;
  zui::WPARAM_T wParam = 0;
  zui::LPARAM_T lParam = 0;
};

// A window of a recording class: its procedure takes the creation parameter
// from WM_NCCREATE as the record to fill, keeps every message and answers
// them by default processing (WM_USER + 1 answers 41, so answers can be
// seen through a chain of procedures).
struct Recorder {
  std::vector<SeenMessage> seen;
  void* nccreateParam = nullptr;
  void* createParam = nullptr;
  // Pixels to present on every WM_PAINT (none: the paint is only validated).
  const zui::Bitmap* paintWith = nullptr;

  bool Saw(uint32_t message) const;
  const SeenMessage* Last(uint32_t message) const;
  int Count(uint32_t message) const;
};

constexpr const wchar_t* kRecordingClass = L"ZavizWin32Recording";
constexpr uint32_t kAnswerMessage = WM_USER + 1;
constexpr zui::LRESULT_T kAnswer = 41;

zui::LRESULT_T RecordingProc(zui::WindowHandle window, uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam);
// Registers the class on `host` and makes a WS_POPUP window at `screen`.
zui::WindowHandle MakeRecordingWindow(zui::IUiHost& host, Recorder& recorder, const zui::Rect& screen,
                                      uint32_t exStyle = 0, zui::WindowHandle owner = nullptr);

// A pattern with something different in every row and column, so a shifted
// or flipped copy does not match.
zui::Bitmap Pattern(int width, int height);

}  // namespace ztest
