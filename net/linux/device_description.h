#pragma once
// A readable name for a Linux interface, from sysfs and the PCI id list:
// "Intel Corporation 82540EM Gigabit Ethernet Controller (enp0s3)", or the
// bare interface name when nothing better is known.

#include <filesystem>
#include <string>

namespace znet {

std::string DescribeInterface(const std::filesystem::path& interfaceDir, const std::string& name, bool isLoopback);

}  // namespace znet
