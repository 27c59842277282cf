// The one translation unit that compiles stb_image, and the decoding that
// uses it.

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
// Skin images are small; a header that claims more is damaged or hostile and
// must not make us allocate gigabytes.
#define STBI_MAX_DIMENSIONS 16384
#include <stb/stb_image.h>

#include <climits>

#include "ui/resources/image_loader.h"

namespace zui {

std::unique_ptr<SkinImage> DecodeSkinImage(const uint8_t* bytes, size_t size, uint32_t mask) {
  if (bytes == nullptr || size == 0 || size > INT_MAX) return nullptr;
  int width = 0, height = 0, channels = 0;
  stbi_uc* rgba = stbi_load_from_memory(bytes, static_cast<int>(size), &width, &height, &channels, 4);
  if (rgba == nullptr) return nullptr;
  auto image = std::make_unique<SkinImage>();
  image->bitmap = Bitmap(width, height);
  image->width = width;
  image->height = height;
  uint32_t* out = image->bitmap.pixels();
  const size_t count = static_cast<size_t>(width) * height;
  for (size_t i = 0; i < count; ++i) {
    const stbi_uc* px = rgba + 4 * i;
    uint32_t r = px[0], g = px[1], b = px[2];
    const uint32_t a = px[3];
    if (a < 255) {
      r = r * a / 255;
      g = g * a / 255;
      b = b * a / 255;
      image->hasAlpha = true;
    }
    out[i] = a << 24 | r << 16 | g << 8 | b;
  }
  stbi_image_free(rgba);
  ApplyImageMask(*image, mask);
  return image;
}

}  // namespace zui
