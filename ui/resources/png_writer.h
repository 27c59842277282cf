#pragma once
// Writing a window's pixels as a PNG file (straight alpha, as PNG wants).

#include <cstdint>
#include <filesystem>

#include "ui/base/bitmap.h"

namespace zui {

// One premultiplied pixel as straight RGBA bytes.
void UnpremultiplyPixel(uint32_t pixel, unsigned char* rgba);

// False when the bitmap is empty or the file cannot be written.
bool WritePngFile(const std::filesystem::path& path, const Bitmap& bitmap);

}  // namespace zui
