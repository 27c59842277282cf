#pragma once
// The Linux desktop host: the user32 emulation over SDL2 windows.

#include <memory>
#include <string>

#include "ui/host/host.h"

namespace zui {

// Null, with a one-line reason in `error`, when there is no display to show
// windows on; a program then says so and exits with code 1.
std::unique_ptr<IUiHost> CreateSdlHost(std::string& error);

}  // namespace zui
