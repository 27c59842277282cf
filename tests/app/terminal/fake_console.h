#pragma once
// A terminal for the tests: keeps what is written, answers with prepared lines.

#include <deque>
#include <string>

#include "app/zaviz_repair/console_io.h"

namespace zaviz_repair::testing {

class FakeConsole : public Console {
 public:
  explicit FakeConsole(bool terminal = false) : terminal_(terminal) {}

  void Write(const std::string& utf8) override { out += utf8; }
  void WriteError(const std::string& utf8) override { err += utf8; }
  bool IsTerminal() const override { return terminal_; }
  bool ReadLine(std::string& line) override;

  std::deque<std::string> answers;  // one per ReadLine; none left: end of input
  std::string out, err;
  int reads = 0;

 private:
  const bool terminal_;
};

}  // namespace zaviz_repair::testing
