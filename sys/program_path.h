#pragma once
#include <filesystem>

namespace zsys {

// Full path of the running executable, and the folder that holds it.
std::filesystem::path ProgramPath();
std::filesystem::path ProgramDirectory();

}  // namespace zsys
