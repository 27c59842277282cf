#pragma once
// The physical-card table's source on Windows: the network adapter class key.

#include <windows.h>

#include <string>
#include <vector>

#include "net/registry_source.h"

namespace znet {

inline constexpr wchar_t kNetworkClassKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002bE10318}";

// Appends the subkey names of root\path to `names`; when the key cannot be
// opened it is created if asked, otherwise nothing is appended.
void EnumRegSubKeys(HKEY root, const std::wstring& path, std::vector<std::wstring>& names, bool createIfMissing);
bool ReadRegString(HKEY root, const std::wstring& path, const wchar_t* valueName, std::wstring& value);
bool ReadRegDword(HKEY root, const std::wstring& path, const wchar_t* valueName, uint32_t& value);

class WinRegistrySource : public IRegistrySource {
 public:
  // Tests point it at a key of their own instead of the machine's.
  explicit WinRegistrySource(HKEY root = HKEY_LOCAL_MACHINE, std::wstring classKey = kNetworkClassKey);

  std::vector<std::wstring> EnumSubKeys() override;
  bool ReadString(const std::wstring& subKey, const wchar_t* valueName, std::wstring& value) override;
  bool ReadDword(const std::wstring& subKey, const wchar_t* valueName, uint32_t& value) override;

 private:
  HKEY root_;
  std::wstring classKey_;
};

}  // namespace znet
