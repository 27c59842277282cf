#include "app/repair/process/shutdown_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <thread>

namespace zapp {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr unsigned char kStopByte = 0;

// The handler only writes one byte to the pipe; the watcher does the rest.
std::atomic<int> g_writeEnd{-1};
int g_readEnd = -1;
std::thread g_watcher;
struct sigaction g_former[std::size(kSignals)];

void OnSignal(int signalNumber) {
  const int savedErrno = errno;
  const unsigned char byte = static_cast<unsigned char>(signalNumber);
  const int fd = g_writeEnd.load();
  if (fd >= 0) (void)!write(fd, &byte, 1);  // a full pipe already holds a signal
  errno = savedErrno;
}

void Watch(int readEnd, std::function<void()> onSignal) {
  bool fired = false;
  for (;;) {
    unsigned char byte = 0;
    const ssize_t n = read(readEnd, &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || byte == kStopByte) return;
    if (!fired) {
      fired = true;
      if (onSignal) onSignal();
    }
  }
}

void WriteStopByte(int fd) {
  for (;;) {
    if (write(fd, &kStopByte, 1) == 1) return;
    if (errno != EAGAIN && errno != EINTR) return;
    pollfd writable{fd, POLLOUT, 0};
    poll(&writable, 1, 100);  // the watcher is draining the pipe
  }
}

}  // namespace

void InstallShutdownSignals(std::function<void()> onSignal) {
  if (g_watcher.joinable()) return;
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return;
  fcntl(ends[1], F_SETFL, fcntl(ends[1], F_GETFL) | O_NONBLOCK);
  g_readEnd = ends[0];
  g_writeEnd.store(ends[1]);
  g_watcher = std::thread(Watch, ends[0], std::move(onSignal));
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &action, &g_former[i]);
}

void RemoveShutdownSignals() {
  if (!g_watcher.joinable()) return;
  for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &g_former[i], nullptr);
  const int writeEnd = g_writeEnd.exchange(-1);
  WriteStopByte(writeEnd);
  g_watcher.join();
  close(writeEnd);
  close(g_readEnd);
  g_readEnd = -1;
}

}  // namespace zapp
