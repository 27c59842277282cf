#include "net/linux/sysfs_registry_source.h"

#include <algorithm>
#include <cwchar>
#include <system_error>

#include "sys/text_encoding.h"

namespace znet {

SysfsRegistrySource::SysfsRegistrySource(std::filesystem::path classNet) : classNet_(std::move(classNet)) {}

std::filesystem::path SysfsRegistrySource::InterfaceDir(const std::wstring& subKey) const {
  return classNet_ / zsys::WideToUtf8(subKey);
}

std::vector<std::wstring> SysfsRegistrySource::EnumSubKeys() {
  std::vector<std::wstring> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(classNet_, ec), end; !ec && it != end; it.increment(ec)) {
    names.push_back(zsys::Utf8ToWide(it->path().filename().string()));
  }
  // Directory order is arbitrary; a stable order keeps the dump comparable.
  std::sort(names.begin(), names.end());
  return names;
}

bool SysfsRegistrySource::ReadString(const std::wstring& subKey, const wchar_t* valueName, std::wstring& value) {
  std::error_code ec;
  if (std::wcscmp(valueName, kInstanceIdValue) != 0 || !std::filesystem::exists(InterfaceDir(subKey), ec)) {
    return false;
  }
  value = subKey;
  return true;
}

bool SysfsRegistrySource::ReadDword(const std::wstring& subKey, const wchar_t* valueName, uint32_t& value) {
  std::error_code ec;
  const std::filesystem::path dir = InterfaceDir(subKey);
  if (std::wcscmp(valueName, kCharacteristicsValue) != 0 || !std::filesystem::exists(dir, ec)) return false;
  value = std::filesystem::exists(dir / "device", ec) ? kNcfPhysical : 0;
  return true;
}

}  // namespace znet
