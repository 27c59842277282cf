#pragma once
// The terminal the repair talks to: text out (UTF-8), the failure line on
// standard error, whether standard output is a terminal (then the bar is
// redrawn in place), and answers read from standard input.

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>

namespace zaviz_repair {

class Console {
 public:
  virtual ~Console() = default;
  virtual void Write(const std::string& utf8) = 0;
  virtual void WriteError(const std::string& utf8) = 0;
  virtual bool IsTerminal() const = 0;
  // One line without its line end; false at the end of the input or when a
  // stop was requested while waiting.
  virtual bool ReadLine(std::string& line) = 0;
};

// Standard output, error and input of the process. Windows: Chinese shows on
// a console (written as UTF-16); redirected output gets UTF-8 bytes. A
// waiting ReadLine gives up soon after `stopRequested` becomes true.
std::unique_ptr<Console> CreateProcessConsole(const std::atomic<bool>& stopRequested);

// A stream that drops what is written to it (the diagnostics nobody asked
// for); never null. Closed by the caller.
std::FILE* OpenDiscardStream();

}  // namespace zaviz_repair
