#include "app/repair/process/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "net/linux/private_folder.h"

namespace zapp {

bool AcquireSingleInstance(const char* name) {
  if (!name || !*name || std::strchr(name, '/')) return false;
  std::filesystem::path folder = znet::XdgRuntimeFolder();
  if (folder.empty()) {
    folder = znet::TmpFallbackFolder();
    std::string why;
    if (!znet::EnsurePrivateFolder(folder, why)) return false;
  }
  const std::filesystem::path lockPath = folder / (std::string(name) + ".lock");
  const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  // Kept open on purpose: the lock lives as long as the process.
  return true;
}

}  // namespace zapp
