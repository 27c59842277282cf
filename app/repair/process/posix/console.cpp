#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "app/repair/process/console.h"

namespace zapp {

void OpenConsoleIfWanted(bool wanted) {
  if (wanted) return;
  std::fflush(stdout);
  const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null < 0) return;
  dup2(null, STDOUT_FILENO);
  close(null);
}

void CloseConsoleIfOpened(bool wanted) { std::fflush(stdout); }

}  // namespace zapp
