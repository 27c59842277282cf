#include <io.h>

#include <cstdio>

#include "app/zaviz_tftpd/terminal.h"

namespace zaviz_tftpd {

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace zaviz_tftpd
