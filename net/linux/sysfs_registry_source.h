#pragma once
// The physical-card table's source on Linux: every interface under
// /sys/class/net is a "subkey" whose instance identifier is its name; it is
// physical when it has a `device` link (loopback, bridges, veth, tun/tap and
// other virtual interfaces have none).

#include <filesystem>

#include "net/registry_source.h"

namespace znet {

class SysfsRegistrySource : public IRegistrySource {
 public:
  explicit SysfsRegistrySource(std::filesystem::path classNet = "/sys/class/net");

  std::vector<std::wstring> EnumSubKeys() override;
  bool ReadString(const std::wstring& subKey, const wchar_t* valueName, std::wstring& value) override;
  bool ReadDword(const std::wstring& subKey, const wchar_t* valueName, uint32_t& value) override;

 private:
  std::filesystem::path InterfaceDir(const std::wstring& subKey) const;

  std::filesystem::path classNet_;
};

}  // namespace znet
