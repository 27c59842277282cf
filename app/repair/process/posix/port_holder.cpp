#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <system_error>

#include "app/repair/process/posix/proc_port_holder.h"

namespace zapp {
namespace {

// The inodes of the sockets in one of /proc/net/udp{,6} whose local port is `port`.
void SocketInodes(const std::filesystem::path& table, uint16_t port, std::set<std::string>& inodes) {
  std::ifstream in(table);
  std::string line;
  std::getline(in, line);  // the heading
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string slot, local, remote, state, queues, timer, retransmits, uid, timeout, inode;
    if (!(fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid >> timeout >> inode)) {
      continue;
    }
    const size_t colon = local.rfind(':');
    if (colon == std::string::npos) continue;
    char* end = nullptr;
    const unsigned long localPort = std::strtoul(local.c_str() + colon + 1, &end, 16);
    if (end == local.c_str() + colon + 1 || *end != '\0') continue;
    // Inode 0: a socket already closed, or one of another namespace's user.
    if (localPort == port && inode != "0") inodes.insert(inode);
  }
}

std::string Comm(const std::filesystem::path& processFolder) {
  std::ifstream in(processFolder / "comm");
  std::string name;
  std::getline(in, name);
  return name;
}

}  // namespace

PortHolder FindUdpPortHolderIn(const std::filesystem::path& procRoot, uint16_t port) {
  PortHolder holder;
  std::set<std::string> inodes;
  SocketInodes(procRoot / "net" / "udp", port, inodes);
  SocketInodes(procRoot / "net" / "udp6", port, inodes);
  if (inodes.empty()) return holder;
  holder.found = true;
  std::set<std::string> links;
  for (const std::string& inode : inodes) links.insert("socket:[" + inode + "]");
  std::error_code error;
  for (std::filesystem::directory_iterator it(procRoot, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    // Another user's descriptors stay closed to us without rights: the owner is then not seen.
    std::error_code fdError;
    for (std::filesystem::directory_iterator fd(it->path() / "fd", fdError), fdEnd; !fdError && fd != fdEnd;
         fd.increment(fdError)) {
      std::error_code linkError;
      const std::filesystem::path target = std::filesystem::read_symlink(fd->path(), linkError);
      if (linkError || links.count(target.string()) == 0) continue;
      holder.pid = static_cast<uint32_t>(std::strtoul(name.c_str(), nullptr, 10));
      holder.program = Comm(it->path());
      return holder;
    }
  }
  return holder;
}

PortHolder FindUdpPortHolder(uint16_t port) { return FindUdpPortHolderIn("/proc", port); }

std::string ProgramNameOf(uint32_t pid) { return Comm(std::filesystem::path("/proc") / std::to_string(pid)); }

}  // namespace zapp
