// Where the restore record lives on Linux and how it is replaced. The repair
// address lasts until reboot, so a runtime folder (emptied at boot) is right.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "net/linux/private_folder.h"
#include "net/replace_file.h"
#include "net/restore_record.h"

namespace znet {
namespace {

constexpr char kFolderName[] = "zaviz-era-varedu";
constexpr char kFileName[] = "restore-record";
constexpr char kSystemFolder[] = "/run/zaviz-era-varedu";

// The system folder is root's (made here when running as root) or one the
// package made for a group; writable by everybody it is not trusted.
bool SystemFolderUsable() {
  mkdir(kSystemFolder, 0700);
  struct stat info {};
  if (lstat(kSystemFolder, &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if (info.st_uid != 0 && info.st_uid != geteuid()) return false;
  if (info.st_mode & S_IWOTH) return false;
  return access(kSystemFolder, W_OK | X_OK) == 0;
}

std::string Reason(const char* what, const std::filesystem::path& path) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(errno);
}

bool WriteAll(int fd, const std::string& content) {
  for (size_t done = 0; done < content.size();) {
    const ssize_t n = write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::filesystem::path RestoreRecordFile::DefaultPath() {
  if (SystemFolderUsable()) return std::filesystem::path(kSystemFolder) / kFileName;
  std::string why;
  const std::filesystem::path runtime = XdgRuntimeFolder();
  if (!runtime.empty() && EnsurePrivateFolder(runtime / kFolderName, why)) return runtime / kFolderName / kFileName;
  if (EnsurePrivateFolder(TmpFallbackFolder(), why)) return TmpFallbackFolder() / kFileName;
  return {};
}

bool ReplaceFileContent(const std::filesystem::path& path, const std::string& content, std::string& error) {
  std::string temporaryName = ".";
  temporaryName += path.filename().string();
  temporaryName += '.';
  temporaryName += std::to_string(getpid());
  temporaryName += ".tmp";
  const std::filesystem::path temporary = path.parent_path() / temporaryName;
  unlink(temporary.c_str());  // left by a killed run with the same process id
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    error = Reason("cannot create", temporary);
    return false;
  }
  const bool written = WriteAll(fd, content) && fsync(fd) == 0;
  if (!written) error = Reason("cannot write", temporary);
  if (close(fd) != 0 && written) {
    error = Reason("cannot write", temporary);
    unlink(temporary.c_str());
    return false;
  }
  if (!written) {
    unlink(temporary.c_str());
    return false;
  }
  if (rename(temporary.c_str(), path.c_str()) != 0) {
    error = Reason("cannot rename onto", path);
    unlink(temporary.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder.
  const int folder = open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}

}  // namespace znet
