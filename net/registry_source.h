#pragma once
// Where the physical-card table comes from: the network adapter class key of
// the registry on Windows, sysfs on Linux (one subkey per interface).

#include <cstdint>
#include <string>
#include <vector>

namespace znet {

class IRegistrySource {
 public:
  virtual ~IRegistrySource() = default;

  // Names of the subkeys of the network adapter class key, in enumeration
  // order; empty when the key cannot be opened.
  virtual std::vector<std::wstring> EnumSubKeys() = 0;
  virtual bool ReadString(const std::wstring& subKey, const wchar_t* valueName, std::wstring& value) = 0;
  virtual bool ReadDword(const std::wstring& subKey, const wchar_t* valueName, uint32_t& value) = 0;
};

inline constexpr wchar_t kInstanceIdValue[] = L"NetCfgInstanceId";
inline constexpr wchar_t kCharacteristicsValue[] = L"Characteristics";
inline constexpr uint32_t kNcfPhysical = 0x4;

}  // namespace znet
