#include "ui/resources/native_resources.h"

#include <windows.h>

#include <string>

namespace zui {

bool FindPlatformResource(NativeModule module, std::wstring_view type, unsigned id, const uint8_t*& data, size_t& size) {
  HMODULE handle = module != nullptr ? static_cast<HMODULE>(module) : GetModuleHandleW(nullptr);
  const std::wstring typeName(type);
  HRSRC resource = FindResourceW(handle, MAKEINTRESOURCEW(id), typeName.c_str());
  if (resource == nullptr) return false;
  HGLOBAL loaded = LoadResource(handle, resource);
  if (loaded == nullptr) return false;
  data = static_cast<const uint8_t*>(LockResource(loaded));
  size = SizeofResource(handle, resource);
  return data != nullptr && size > 0;
}

}  // namespace zui
