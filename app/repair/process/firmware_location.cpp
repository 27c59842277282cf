#include "app/repair/process/firmware_location.h"

#include <system_error>

namespace zapp {
namespace {

// Compares names exactly, also where the file system does not.
bool HoldsFirmware(const std::filesystem::path& folder) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->path().filename() == kFirmwareFileName) {
      std::error_code statError;
      return it->is_regular_file(statError);
    }
  }
  return false;
}

}  // namespace

std::filesystem::path FirmwareFolder(const std::filesystem::path& programFolder,
                                     const std::filesystem::path& workingFolder) {
  if (HoldsFirmware(programFolder)) return programFolder;
#ifndef _WIN32
  if (!workingFolder.empty() && HoldsFirmware(workingFolder)) return workingFolder;
#endif
  return programFolder;
}

std::vector<std::filesystem::path> FirmwareSearchFolders(const std::filesystem::path& programFolder,
                                                         const std::filesystem::path& workingFolder) {
  std::vector<std::filesystem::path> folders{programFolder};
#ifndef _WIN32
  std::error_code error;
  if (!workingFolder.empty() && !std::filesystem::equivalent(programFolder, workingFolder, error)) {
    folders.push_back(workingFolder);
  }
#else
  (void)workingFolder;
#endif
  return folders;
}

}  // namespace zapp
