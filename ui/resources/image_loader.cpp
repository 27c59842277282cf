#include "ui/resources/image_loader.h"

#include <cwctype>
#include <string>
#include <vector>

#include "ui/resources/document_reader.h"
#include "ui/resources/resource_settings.h"
#include "ui/base/wide_text.h"

namespace zui {
namespace {

bool EndsWithSvg(std::wstring_view name) {
  return name.size() >= 4 && EqualsIgnoreCase(name.substr(name.size() - 4), L".svg");
}

bool ReadImageBytes(std::wstring_view name, std::wstring_view resType, NativeModule module,
                    std::vector<uint8_t>& bytes) {
  CResourceSettings& settings = CResourceSettings::Instance();
  if (!resType.empty()) {
    if (name.empty() || name[0] < L'0' || name[0] > L'9') return false;
    const unsigned id = static_cast<unsigned>(std::wcstoul(std::wstring(name).c_str(), nullptr, 10));
    return LoadNativeResource(module != nullptr ? module : settings.GetResourceModule(), resType, id, bytes);
  }
  ReadFailure failure = ReadFailure::kNone;
  if (ReadResourceBytes(name, SIZE_MAX, bytes, failure)) return true;
  // Not among the resources: perhaps a path of its own.
  return ReadFileBytes(ResourceFilePath(name), SIZE_MAX, bytes, failure);
}

}  // namespace

void ApplyImageMask(SkinImage& image, uint32_t mask) {
  if (mask == 0) return;
  uint32_t* pixels = image.bitmap.pixels();
  const size_t count = static_cast<size_t>(image.bitmap.width()) * image.bitmap.height();
  for (size_t i = 0; i < count; ++i) {
    if (pixels[i] == mask) {
      pixels[i] = 0;
      image.hasAlpha = true;
    }
  }
}

std::unique_ptr<SkinImage> LoadSkinImage(std::wstring_view name, std::wstring_view resType, uint32_t mask,
                                         NativeModule module, Size svgSize) {
  std::wstring fileName(name);
  if (resType.empty()) {
    const std::wstring mapped = CResourceSettings::Instance().MapImageName(fileName);
    if (!mapped.empty()) fileName = mapped;
  }
  std::vector<uint8_t> bytes;
  if (!ReadImageBytes(fileName, resType, module, bytes)) return nullptr;
  if (resType.empty() && EndsWithSvg(fileName)) {
    auto image = RenderSvgImage(bytes.data(), bytes.size(), svgSize);
    if (image != nullptr) ApplyImageMask(*image, mask);
    return image;
  }
  return DecodeSkinImage(bytes.data(), bytes.size(), mask);
}

}  // namespace zui
