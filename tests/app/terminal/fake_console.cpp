#include "tests/app/terminal/fake_console.h"

namespace zaviz_repair::testing {

bool FakeConsole::ReadLine(std::string& line) {
  ++reads;
  if (answers.empty()) return false;
  line = answers.front();
  answers.pop_front();
  return true;
}

}  // namespace zaviz_repair::testing
