#include "app/repair/firmware_lookup.h"

#include <cctype>
#include <fstream>
#include <system_error>

#include "app/repair/process/firmware_location.h"

namespace zapp {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool Readable(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return in.is_open();
}

// The state of one entry of the firmware's name: usable (kNone) or its problem.
FirmwareProblem Examine(const std::filesystem::path& file, int64_t& size) {
  size = 0;
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(file, error);
  if (std::filesystem::is_directory(status)) return FirmwareProblem::kFolder;
  // A dangling link, a device or a pipe cannot be served either.
  if (error || !std::filesystem::is_regular_file(status) || !Readable(file)) return FirmwareProblem::kNotReadable;
  const auto bytes = std::filesystem::file_size(file, error);
  if (error) return FirmwareProblem::kNotReadable;
  size = static_cast<int64_t>(bytes);
  return size == 0 ? FirmwareProblem::kEmpty : FirmwareProblem::kNone;
}

std::string Utf8Name(const std::filesystem::path& path) {
  const std::u8string name = path.filename().u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace

bool IsNearName(const std::string& name, const std::string& wanted) {
  if (name == wanted) return false;
  const std::string lower = Lower(name), target = Lower(wanted);
  if (lower == target) return true;
  const size_t dot = target.rfind('.');
  if (dot == std::string::npos) return false;
  const std::string stem = target.substr(0, dot), extension = target.substr(dot);
  // "upgradeimage.bin.bin": a system that hides extensions invites one more.
  std::string rest = lower;
  int extensions = 0;
  while (rest.size() >= stem.size() + extension.size() &&
         rest.compare(rest.size() - extension.size(), extension.size(), extension) == 0) {
    rest.resize(rest.size() - extension.size());
    ++extensions;
  }
  if (rest == stem && extensions >= 2) return true;
  // "upgradeimage (1).bin" / "upgradeimage(2).bin": a browser's second download.
  if (lower.size() <= target.size() || lower.compare(0, stem.size(), stem) != 0 ||
      lower.compare(lower.size() - extension.size(), extension.size(), extension) != 0) {
    return false;
  }
  std::string middle = lower.substr(stem.size(), lower.size() - stem.size() - extension.size());
  if (!middle.empty() && middle.front() == ' ') middle.erase(0, 1);
  if (middle.size() < 3 || middle.front() != '(' || middle.back() != ')') return false;
  for (size_t i = 1; i + 1 < middle.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(middle[i]))) return false;
  }
  return true;
}

FirmwareLookup LookUpFirmware(const std::vector<std::filesystem::path>& folders) {
  FirmwareLookup lookup;
  lookup.fileName = kFirmwareFileName;
  lookup.searched = folders;
  const std::filesystem::path wanted(kFirmwareFileName);
  bool listed = false;
  std::filesystem::path unlisted;
  for (const std::filesystem::path& folder : folders) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
      if (unlisted.empty()) unlisted = folder;
      continue;
    }
    listed = true;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
      if (error) break;
      const std::filesystem::path& path = it->path();
      // Compared as the file system spells it: another letter case is a near-name, not the firmware.
      if (path.filename().native() == wanted.native()) {
        int64_t size = 0;
        const FirmwareProblem problem = Examine(path, size);
        if (problem == FirmwareProblem::kNone) {
          lookup.problem = FirmwareProblem::kNone;
          lookup.folder = folder;
          lookup.size = size;
          lookup.nearName.clear();
          return lookup;
        }
        if (lookup.problem == FirmwareProblem::kNotFound) {
          lookup.problem = problem;
          lookup.folder = folder;
        }
        continue;
      }
      std::error_code typeError;
      if (lookup.nearName.empty() && it->is_regular_file(typeError) && IsNearName(Utf8Name(path), kFirmwareFileName)) {
        lookup.nearName = path;
      }
    }
  }
  if (!listed && !unlisted.empty()) {
    lookup.problem = FirmwareProblem::kNotReadable;
    lookup.folder = unlisted;
  }
  return lookup;
}

FirmwareLookup LookUpFirmwareFile(const std::filesystem::path& file) {
  FirmwareLookup lookup;
  lookup.fileName = Utf8Name(file);
  lookup.folder = file.parent_path();
  lookup.searched = {lookup.folder};
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, error))) return lookup;
  lookup.problem = Examine(file, lookup.size);
  if (lookup.problem != FirmwareProblem::kNone) lookup.size = 0;
  return lookup;
}

}  // namespace zapp
