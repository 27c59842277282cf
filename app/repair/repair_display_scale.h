#pragma once
// The scale the repair program's windows are drawn at: --scale on Linux,
// else what the desktop says (see ui/host/display_scale.h).

#include "app/repair/command_line.h"
#include "ui/host/host.h"

namespace zapp {

int RepairDisplayScale(const RepairOptions& options, const zui::IUiHost& host);

}  // namespace zapp
