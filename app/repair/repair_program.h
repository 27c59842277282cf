#pragma once
// The program from start to end: process guards, the toolkit, the firewall,
// the recovery of a card left behind, the repair window and its loop, and
// the shutdown in reverse.

#include <string>
#include <vector>

namespace zapp {

// `args` are the arguments after the program's name. The exit code.
int RunRepairProgram(const std::vector<std::string>& args);

}  // namespace zapp
