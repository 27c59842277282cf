#pragma once

namespace zaviz_tftpd {

// Whether standard error is an interactive terminal (progress bars go there).
bool StderrIsTerminal();

}  // namespace zaviz_tftpd
