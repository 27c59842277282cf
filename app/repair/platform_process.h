#pragma once
// The few start-up steps that differ by platform: COM, the host of real
// windows, the command line the console rule reads, and the refusal of a
// second instance.

#include <memory>
#include <string>
#include <vector>

#include "app/repair/command_line.h"
#include "ui/host/host.h"

namespace zapp {

void InitializeCom();
void UninitializeCom();
// The part of the command line after the program's name.
std::wstring CommandLineAfterProgramName(const std::vector<std::string>& args);
// The platform's window host; null with `error` set when there is no display.
std::unique_ptr<zui::IUiHost> CreatePlatformHost(std::string& error);
// The module whose resources and window classes the toolkit uses.
void* ProgramModule();
// "An instance is already running", in a message box where one can be shown.
// On Linux it is drawn at the scale `options` and the desktop give.
void ShowAlreadyRunning(const RepairOptions& options);

}  // namespace zapp
