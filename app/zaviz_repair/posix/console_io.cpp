#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "app/zaviz_repair/console_io.h"

namespace zaviz_repair {
namespace {

constexpr int kStopCheckMs = 100;
constexpr size_t kMaxAnswer = 256;

void WriteAll(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

class ProcessConsole : public Console {
 public:
  explicit ProcessConsole(const std::atomic<bool>& stop) : stop_(stop), terminal_(isatty(STDOUT_FILENO) == 1) {}

  void Write(const std::string& utf8) override { WriteAll(stdout, utf8); }
  void WriteError(const std::string& utf8) override { WriteAll(stderr, utf8); }
  bool IsTerminal() const override { return terminal_; }

  // Reads byte by byte from the descriptor (no stdio buffer to outlive the
  // question), waking now and then to see whether a stop was asked for.
  bool ReadLine(std::string& line) override {
    line.clear();
    for (;;) {
      if (stop_.load()) return false;
      pollfd input{STDIN_FILENO, POLLIN, 0};
      const int ready = poll(&input, 1, kStopCheckMs);
      if (ready < 0 && errno != EINTR) return false;
      if (ready <= 0) continue;
      char c = 0;
      const ssize_t n = read(STDIN_FILENO, &c, 1);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return !line.empty();
      if (c == '\n') break;
      if (c != '\r' && line.size() < kMaxAnswer) line += c;
    }
    return true;
  }

 private:
  const std::atomic<bool>& stop_;
  const bool terminal_;
};

}  // namespace

std::unique_ptr<Console> CreateProcessConsole(const std::atomic<bool>& stopRequested) {
  // Output into a pipe whose reader has gone must not end the process with
  // the card still changed: the write fails and the repair goes on.
  std::signal(SIGPIPE, SIG_IGN);
  return std::make_unique<ProcessConsole>(stopRequested);
}

std::FILE* OpenDiscardStream() {
  std::FILE* stream = std::fopen("/dev/null", "w");
  return stream != nullptr ? stream : std::tmpfile();
}

}  // namespace zaviz_repair
