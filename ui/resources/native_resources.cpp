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

std::map<std::pair<std::wstring, std::wstring>, Block>& NamedRegistry() {
  static std::map<std::pair<std::wstring, std::wstring>, Block> registry;
  return registry;
}

bool Answer(const Block& block, const uint8_t*& data, size_t& size) {
  data = static_cast<const uint8_t*>(block.data);
  size = block.size;
  return data != nullptr && size > 0;
}

}  // namespace

void RegisterEmbeddedResource(std::wstring_view type, unsigned id, const void* data, size_t size) {
  Registry()[{std::wstring(type), id}] = Block{data, size};
}

void RegisterEmbeddedResource(std::wstring_view type, std::wstring_view name, const void* data, size_t size) {
  NamedRegistry()[{std::wstring(type), std::wstring(name)}] = Block{data, size};
}

void ClearEmbeddedResources() {
  Registry().clear();
  NamedRegistry().clear();
}

bool FindNativeResource(NativeModule module, std::wstring_view type, unsigned id, const uint8_t*& data, size_t& size) {
  const auto found = Registry().find({std::wstring(type), id});
  if (found != Registry().end()) return Answer(found->second, data, size);
  return FindPlatformResource(module, type, id, data, size) && data != nullptr && size > 0;
}

bool FindNativeResource(NativeModule module, std::wstring_view type, std::wstring_view name, const uint8_t*& data,
                        size_t& size) {
  const auto found = NamedRegistry().find({std::wstring(type), std::wstring(name)});
  if (found != NamedRegistry().end()) return Answer(found->second, data, size);
  return FindPlatformResource(module, type, name, data, size) && data != nullptr && size > 0;
}

bool LoadNativeResource(NativeModule module, std::wstring_view type, unsigned id, std::vector<uint8_t>& bytes) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  if (!FindNativeResource(module, type, id, data, size)) return false;
  bytes.assign(data, data + size);
  return true;
}

}  // namespace zui
