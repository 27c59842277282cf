// zaviz-repair: the firmware repair from a terminal.

#include <string>
#include <vector>

#include "app/zaviz_repair/terminal_program.h"

#ifdef _WIN32
#include "sys/text_encoding.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(zsys::WideToUtf8(argv[i]));
  return zaviz_repair::RunTerminalRepair(args);
}
#else
int main(int argc, char** argv) {
  return zaviz_repair::RunTerminalRepair(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
