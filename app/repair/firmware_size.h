#pragma once
// The size of the firmware in a folder: the sum over the entries that are no
// folder and whose name is exactly the firmware's (bytes, case-sensitive).

#include <cstdint>
#include <filesystem>

namespace zapp {

// False when the folder cannot be listed at all.
bool SumFirmwareSize(const std::filesystem::path& folder, int64_t& total);

}  // namespace zapp
