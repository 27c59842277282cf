#pragma once
// The host of real windows on this platform: SDL2 on Linux, user32 on
// Windows. Null, with `error` set, when there is no display to show them on.

#include <memory>
#include <string>

#include "ui/host/host.h"

namespace skinview {

std::unique_ptr<zui::IUiHost> CreatePlatformHost(std::string& error);

}  // namespace skinview
