#include "net/linux/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace znet {

bool EnsurePrivateFolder(const std::filesystem::path& folder, std::string& why) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    why = folder.string() + ": " + std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0) {
    why = folder.string() + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISDIR(info.st_mode)) {
    why = folder.string() + ": not a directory";
    return false;
  }
  if (info.st_uid != geteuid()) {
    why = folder.string() + ": owned by another user";
    return false;
  }
  if (info.st_mode & (S_IWGRP | S_IWOTH)) {
    why = folder.string() + ": writable by others";
    return false;
  }
  return true;
}

std::filesystem::path TmpFallbackFolder() {
  return "/tmp/zaviz-era-varedu-" + std::to_string(static_cast<unsigned long>(geteuid()));
}

std::filesystem::path XdgRuntimeFolder() {
  const char* value = std::getenv("XDG_RUNTIME_DIR");
  if (!value || value[0] != '/') return {};
  struct stat info {};
  if (stat(value, &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid()) return {};
  return value;
}

}  // namespace znet
