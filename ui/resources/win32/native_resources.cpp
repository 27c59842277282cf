#include "ui/resources/native_resources.h"

#include <windows.h>

#include <string>

namespace zui {

namespace {

bool LoadFound(HMODULE handle, HRSRC resource, const uint8_t*& data, size_t& size) {
  if (resource == nullptr) return false;
  HGLOBAL loaded = LoadResource(handle, resource);
  if (loaded == nullptr) return false;
  data = static_cast<const uint8_t*>(LockResource(loaded));
  size = SizeofResource(handle, resource);
  return data != nullptr && size > 0;
}

HMODULE ModuleOrProgram(NativeModule module) {
  return module != nullptr ? static_cast<HMODULE>(module) : GetModuleHandleW(nullptr);
}

}  // namespace

bool FindPlatformResource(NativeModule module, std::wstring_view type, unsigned id, const uint8_t*& data,
                          size_t& size) {
  HMODULE handle = ModuleOrProgram(module);
  const std::wstring typeName(type);
  return LoadFound(handle, FindResourceW(handle, MAKEINTRESOURCEW(id), typeName.c_str()), data, size);
}

bool FindPlatformResource(NativeModule module, std::wstring_view type, std::wstring_view name, const uint8_t*& data,
                          size_t& size) {
  HMODULE handle = ModuleOrProgram(module);
  const std::wstring typeName(type);
  const std::wstring resourceName(name);
  return LoadFound(handle, FindResourceW(handle, resourceName.c_str(), typeName.c_str()), data, size);
}

}  // namespace zui
