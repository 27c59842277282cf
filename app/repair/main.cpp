// zaviz-era-varedu / ZavizEraVaredu.exe: the firmware repair wizard.

#include <string>
#include <vector>

#include "app/repair/repair_program.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include "sys/text_encoding.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; argv != nullptr && i < count; ++i) args.push_back(zsys::WideToUtf8(argv[i]));
  if (argv != nullptr) LocalFree(argv);
  return zapp::RunRepairProgram(args);
}
#else
int main(int argc, char** argv) { return zapp::RunRepairProgram(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
