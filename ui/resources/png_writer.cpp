#include "ui/resources/png_writer.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace zui {

void UnpremultiplyPixel(uint32_t pixel, unsigned char* rgba) {
  const uint32_t a = pixel >> 24;
  auto un = [a](uint32_t c) { return a == 0 ? 0u : a == 255 ? c : std::min(255u, (c * 255 + a / 2) / a); };
  rgba[0] = static_cast<unsigned char>(un((pixel >> 16) & 0xFF));
  rgba[1] = static_cast<unsigned char>(un((pixel >> 8) & 0xFF));
  rgba[2] = static_cast<unsigned char>(un(pixel & 0xFF));
  rgba[3] = static_cast<unsigned char>(a);
}

namespace {

void AppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(context);
  auto* bytes = static_cast<unsigned char*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

bool WritePngFile(const std::filesystem::path& path, const Bitmap& bitmap) {
  if (bitmap.empty()) return false;
  const size_t width = static_cast<size_t>(bitmap.width());
  std::vector<unsigned char> rgba(width * bitmap.height() * 4);
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x) UnpremultiplyPixel(bitmap.at(x, y), rgba.data() + (y * width + x) * 4);
  std::vector<unsigned char> png;
  if (stbi_write_png_to_func(&AppendBytes, &png, bitmap.width(), bitmap.height(), 4, rgba.data(),
                             static_cast<int>(width * 4)) == 0) {
    return false;
  }
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
#ifdef _WIN32
  std::FILE* file = _wfopen(path.c_str(), L"wb");
#else
  std::FILE* file = std::fopen(path.c_str(), "wb");
#endif
  if (file == nullptr) return false;
  bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace zui
