#include <windows.h>

#include <cstdio>

#include "app/repair/process/console.h"

namespace zapp {

void OpenConsoleIfWanted(bool wanted) {
  if (!wanted) return;
  AllocConsole();
  std::freopen("CONOUT$", "w", stdout);
}

void CloseConsoleIfOpened(bool wanted) {
  if (!wanted) return;
  std::fflush(stdout);
  FreeConsole();
}

}  // namespace zapp
