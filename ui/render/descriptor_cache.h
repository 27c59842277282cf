#pragma once
// Parsed image descriptors of one window, keyed by descriptor text followed by
// modifier text, so each text is parsed once per window.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ui/render/image_draw_info.h"

namespace zui {

class IRenderResources;

class ImageDescriptorCache {
 public:
  // The cached record, parsed (with `resources` for its display scale) on
  // first use. Null when both texts are empty.
  const ImageDrawInfo* Get(std::wstring_view descriptor, std::wstring_view modifier, IRenderResources* resources);

  void Clear() { entries_.clear(); }
  size_t size() const { return entries_.size(); }

 private:
  std::unordered_map<std::wstring, std::unique_ptr<ImageDrawInfo>> entries_;
};

}  // namespace zui
