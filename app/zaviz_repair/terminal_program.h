#pragma once
// zaviz-repair from its arguments to its exit code.

#include <string>
#include <vector>

namespace zaviz_repair {

// `args`: the arguments after the program's name, UTF-8.
int RunTerminalRepair(const std::vector<std::string>& args);

}  // namespace zaviz_repair
