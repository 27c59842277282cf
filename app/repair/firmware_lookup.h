#pragma once
// Where the firmware is, or why it is not there: the folders searched, the
// reason (not found, empty, a folder, not readable) and a file beside it
// whose name is nearly the firmware's (another letter case, a doubled
// extension, a browser's "(1)" copy), which renaming would fix.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zapp {

enum class FirmwareProblem { kNone, kNotFound, kEmpty, kFolder, kNotReadable };

struct FirmwareLookup {
  FirmwareProblem problem = FirmwareProblem::kNotFound;
  std::string fileName;          // the name looked for (UTF-8)
  std::filesystem::path folder;  // where the firmware, or the entry that is not one, lies
  int64_t size = 0;              // bytes; found only
  std::vector<std::filesystem::path> searched;
  std::filesystem::path nearName;  // a near-name beside it (full path), or empty
};

// The folders in order: the first that holds a usable firmware file wins.
// Without one the problem is that of the first entry of the firmware's exact
// name, else "not found"; the folder that cannot be listed counts as not
// readable when no folder could be listed at all.
FirmwareLookup LookUpFirmware(const std::vector<std::filesystem::path>& folders);
// An explicit firmware file, whatever its name (no near-names).
FirmwareLookup LookUpFirmwareFile(const std::filesystem::path& file);

// Whether `name` is nearly `wanted` but not it: another letter case, the
// extension doubled, or a browser's " (1)" copy.
bool IsNearName(const std::string& name, const std::string& wanted);

}  // namespace zapp
