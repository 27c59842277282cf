#include "ui/resources/native_resources.h"

#include <map>
#include <utility>

namespace zui {
namespace {

struct Block {
  const void* data;
  size_t size;
};

std::map<std::pair<std::wstring, unsigned>, Block>& Registry() {
  static std::map<std::pair<std::wstring, unsigned>, Block> registry;
  return registry;
}

}  // namespace

void RegisterEmbeddedResource(std::wstring_view type, unsigned id, const void* data, size_t size) {
  Registry()[{std::wstring(type), id}] = Block{data, size};
}

void ClearEmbeddedResources() { Registry().clear(); }

bool FindNativeResource(NativeModule module, std::wstring_view type, unsigned id, const uint8_t*& data, size_t& size) {
  const auto found = Registry().find({std::wstring(type), id});
  if (found != Registry().end()) {
    data = static_cast<const uint8_t*>(found->second.data);
    size = found->second.size;
    return data != nullptr && size > 0;
  }
  return FindPlatformResource(module, type, id, data, size) && data != nullptr && size > 0;
}

bool LoadNativeResource(NativeModule module, std::wstring_view type, unsigned id, std::vector<uint8_t>& bytes) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  if (!FindNativeResource(module, type, id, data, size)) return false;
  bytes.assign(data, data + size);
  return true;
}

}  // namespace zui
