#include "net/win32/win_registry_source.h"

namespace znet {
namespace {

constexpr DWORD kSubKeyNameChars = 1024;
// The instance identifier is read into 100 bytes; a longer value does not fit
// and counts as unreadable.
constexpr DWORD kStringValueBytes = 100;

}  // namespace

void EnumRegSubKeys(HKEY root, const std::wstring& path, std::vector<std::wstring>& names, bool createIfMissing) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    if (!createIfMissing) return;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return;
    }
  }
  wchar_t name[kSubKeyNameChars];
  for (DWORD i = 0;; ++i) {
    DWORD length = kSubKeyNameChars;
    if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  RegCloseKey(key);
}

bool ReadRegString(HKEY root, const std::wstring& path, const wchar_t* valueName, std::wstring& value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  wchar_t buffer[kStringValueBytes / sizeof(wchar_t) + 1] = {};
  DWORD size = kStringValueBytes;
  DWORD type = 0;
  const LONG result = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  // Stored strings need not end with a terminator; the spare slot gives one.
  value.assign(buffer, wcsnlen(buffer, size / sizeof(wchar_t)));
  return true;
}

bool ReadRegDword(HKEY root, const std::wstring& path, const wchar_t* valueName, uint32_t& value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD data = 0;
  DWORD size = sizeof(data);
  DWORD type = 0;
  const LONG result = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(data)) return false;
  value = data;
  return true;
}

WinRegistrySource::WinRegistrySource(HKEY root, std::wstring classKey) : root_(root), classKey_(std::move(classKey)) {}

std::vector<std::wstring> WinRegistrySource::EnumSubKeys() {
  std::vector<std::wstring> names;
  EnumRegSubKeys(root_, classKey_, names, false);
  return names;
}

bool WinRegistrySource::ReadString(const std::wstring& subKey, const wchar_t* valueName, std::wstring& value) {
  return ReadRegString(root_, classKey_ + L"\\" + subKey, valueName, value);
}

bool WinRegistrySource::ReadDword(const std::wstring& subKey, const wchar_t* valueName, uint32_t& value) {
  return ReadRegDword(root_, classKey_ + L"\\" + subKey, valueName, value);
}

}  // namespace znet
