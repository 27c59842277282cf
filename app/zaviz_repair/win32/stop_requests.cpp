#include "app/zaviz_repair/stop_requests.h"

#include <windows.h>

#include <atomic>
#include <mutex>

namespace zaviz_repair {
namespace {

// Below the time the system grants a handler of a closing console.
constexpr DWORD kGiveBackWaitMs = 4000;

std::mutex g_mutex;
std::function<void()> g_onStop;
std::atomic<bool> g_fired{false};
HANDLE g_givenBack = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT: break;
    default: return FALSE;
  }
  if (!g_fired.exchange(true)) {
    std::function<void()> onStop;
    {
      std::lock_guard<std::mutex> lock(g_mutex);
      onStop = g_onStop;
    }
    if (onStop) onStop();
  }
  // The process ends when this returns from these three: wait for the card.
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && g_givenBack != nullptr) {
    WaitForSingleObject(g_givenBack, kGiveBackWaitMs);
  }
  return TRUE;
}

}  // namespace

void InstallStopRequests(std::function<void()> onStop) {
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_onStop = std::move(onStop);
  }
  if (g_givenBack == nullptr) g_givenBack = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void RemoveStopRequests() {
  if (g_givenBack != nullptr) SetEvent(g_givenBack);
  std::lock_guard<std::mutex> lock(g_mutex);
  g_onStop = nullptr;
  // The handler stays installed: a late Ctrl+C finds nothing left to do
  // and must not kill the process before it has returned its exit code.
}

}  // namespace zaviz_repair
