// Input: UTF-16LE text. Everything before the first U+0001 is the descriptor,
// the rest the modifier; the whole text also goes through the colour,
// rectangle and size readers.

#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/render/descriptor_cache.h"
#include "ui/render/skin_renderer.h"
#include "ui/render/value_format.h"

namespace {

// Every name resolves to the same small image with a translucent edge.
class FuzzResources : public zui::IRenderResources {
 public:
  FuzzResources() {
    image_.bitmap = zui::Bitmap(7, 5, 0xFF336699u);
    image_.bitmap.at(0, 0) = 0x80402010u;
    image_.width = 7;
    image_.height = 5;
    image_.hasAlpha = true;
  }
  const zui::SkinImage* GetOrLoadImage(std::wstring_view, std::wstring_view, uint32_t) override { return &image_; }
  const zui::SkinImage* GetOrLoadSvgImage(std::wstring_view, zui::Size) override { return &image_; }
  zui::ImageDescriptorCache& DescriptorCache() override { return cache_; }
  const zui::ITextFont* GetFont(int) override { return nullptr; }
  zui::ITextEngine* TextEngine() override { return nullptr; }
  int DisplayScale() const override { return scale; }

  int scale = 100;

 private:
  zui::SkinImage image_;
  zui::ImageDescriptorCache cache_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  std::wstring text;
  for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));

  (void)zui::CSkinRenderer::ParseColorValue(text);
  (void)zui::ParseRectValue(text);
  (void)zui::ParseSizeValue(text);
  (void)zui::ParseIntValue(text);

  const size_t split = text.find(L'\x1');
  const std::wstring descriptor = text.substr(0, split);
  const std::wstring modifier = split == std::wstring::npos ? std::wstring() : text.substr(split + 1);

  zui::ImageDrawInfo plain;
  zui::CSkinRenderer::ParseImageDescriptor(plain, descriptor, modifier, nullptr);

  FuzzResources resources;
  resources.scale = (size % 3 == 0) ? 150 : 100;
  zui::Bitmap target(64, 48, 0xFFFFFFFFu);
  zui::Canvas canvas(target);
  zui::ClipRecord clip;
  if (size % 2 == 0) zui::CSkinRenderer::ClipToRoundRect(canvas, {0, 0, 64, 48}, {2, 2, 60, 44}, 12, 9, clip);
  zui::CSkinRenderer::PaintImageDescriptor(&canvas, &resources, {4, 3, 60, 45}, {0, 0, 64, 48}, descriptor, modifier);
  zui::CSkinRenderer::PaintImageDescriptor(&canvas, &resources, {4, 3, 60, 45}, {20, 10, 34, 24}, descriptor, modifier);
  return 0;
}
