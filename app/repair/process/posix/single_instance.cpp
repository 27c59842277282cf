#include "app/repair/process/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "app/repair/process/posix/instance_folder.h"
#include "net/linux/private_folder.h"

namespace zapp {

std::filesystem::path InstanceFolder() {
  std::filesystem::path folder = znet::XdgRuntimeFolder();
  if (!folder.empty()) return folder;
  folder = znet::TmpFallbackFolder();
  std::string why;
  return znet::EnsurePrivateFolder(folder, why) ? folder : std::filesystem::path();
}

bool AcquireSingleInstance(const char* name) {
  if (!name || !*name || std::strchr(name, '/')) return false;
  const std::filesystem::path folder = InstanceFolder();
  if (folder.empty()) return false;
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
