#include <unistd.h>

#include "app/zaviz_tftpd/terminal.h"

namespace zaviz_tftpd {

bool StderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace zaviz_tftpd
