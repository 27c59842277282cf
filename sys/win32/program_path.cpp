#include "sys/program_path.h"

#include <windows.h>

#include <vector>

namespace zsys {

std::filesystem::path ProgramPath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), n));
    buffer.resize(buffer.size() * 2);
  }
}

std::filesystem::path ProgramDirectory() { return ProgramPath().parent_path(); }

}  // namespace zsys
