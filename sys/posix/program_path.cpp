#include "sys/program_path.h"

#include <system_error>

namespace zsys {

std::filesystem::path ProgramPath() {
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : path;
}

std::filesystem::path ProgramDirectory() { return ProgramPath().parent_path(); }

}  // namespace zsys
