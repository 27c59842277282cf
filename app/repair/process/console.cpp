#include "app/repair/process/console.h"

#include "sys/text_encoding.h"

namespace zapp {

bool ConsoleWanted(const std::wstring& commandLine) { return commandLine.size() >= 2; }

std::wstring CommandLineOf(int argc, char** argv) {
  std::wstring line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += L' ';
    line += zsys::Utf8ToWide(argv[i] ? argv[i] : "");
  }
  return line;
}

}  // namespace zapp
