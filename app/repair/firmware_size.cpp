#include "app/repair/firmware_size.h"

#include <string>
#include <system_error>

#include "app/repair/process/firmware_location.h"

namespace zapp {

bool SumFirmwareSize(const std::filesystem::path& folder, int64_t& total) {
  total = 0;
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return false;
  const std::filesystem::path wanted(kFirmwareFileName);
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (error) break;
    const std::filesystem::directory_entry& entry = *it;
    // Compared as the file system spells it: a name in another letter case is not the firmware.
    if (entry.path().filename().native() != wanted.native()) continue;
    if (entry.is_directory(error)) continue;
    const auto size = entry.file_size(error);
    if (!error) total += static_cast<int64_t>(size);
  }
  return true;
}

}  // namespace zapp
