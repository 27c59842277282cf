// Stands in for the system's netsh next to the test executable: appends its
// own command line, as it was given, to the file named by ZAVIZ_NETSH_LOG.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main() {
  const char* logPath = std::getenv("ZAVIZ_NETSH_LOG");
  if (logPath == nullptr) return 1;
  std::FILE* log = std::fopen(logPath, "ab");
  if (log == nullptr) return 2;
  std::fprintf(log, "%s\n", GetCommandLineA());
  std::fclose(log);
  return 0;
}
