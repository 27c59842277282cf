#pragma once
// Where the firmware image "upgradeimage.bin" is looked for.

#include <filesystem>
#include <vector>

namespace zapp {

inline constexpr char kFirmwareFileName[] = "upgradeimage.bin";

// The program's folder, then (Linux only) the working folder: the first that
// holds a regular file of exactly that name; the program's folder when none.
std::filesystem::path FirmwareFolder(const std::filesystem::path& programFolder,
                                     const std::filesystem::path& workingFolder);

// The folders FirmwareFolder looks in, in its order (a working folder equal
// to the program's is not repeated).
std::vector<std::filesystem::path> FirmwareSearchFolders(const std::filesystem::path& programFolder,
                                                         const std::filesystem::path& workingFolder);

}  // namespace zapp
