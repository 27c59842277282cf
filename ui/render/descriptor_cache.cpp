#include "ui/render/descriptor_cache.h"

#include "ui/render/skin_renderer.h"

namespace zui {

const ImageDrawInfo* ImageDescriptorCache::Get(std::wstring_view descriptor, std::wstring_view modifier,
                                               IRenderResources* resources) {
  if (descriptor.empty() && modifier.empty()) return nullptr;
  // A separator keeps ("a.png", "x") and ("a.pngx", "") apart.
  std::wstring key;
  key.reserve(descriptor.size() + modifier.size() + 1);
  key.append(descriptor).append(1, L'\0').append(modifier);
  auto found = entries_.find(key);
  if (found != entries_.end()) return found->second.get();
  auto info = std::make_unique<ImageDrawInfo>();
  CSkinRenderer::ParseImageDescriptor(*info, descriptor, modifier, resources);
  const ImageDrawInfo* result = info.get();
  entries_.emplace(std::move(key), std::move(info));
  return result;
}

}  // namespace zui
