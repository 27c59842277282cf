#pragma once
// The Linux lookup over a /proc tree: /proc/net/udp and udp6 give the socket's
// inode, the /proc/<pid>/fd links its owner, /proc/<pid>/comm the name.

#include <cstdint>
#include <filesystem>

#include "app/repair/process/port_holder.h"

namespace zapp {

PortHolder FindUdpPortHolderIn(const std::filesystem::path& procRoot, uint16_t port);

}  // namespace zapp
