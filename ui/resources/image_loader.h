#pragma once
// Turning an image name from a skin into a decoded SkinImage: the bytes come
// from a native resource, the resource folder or archive, or else the name as
// a plain path; PNG, JPEG, BMP and GIF are decoded with stb_image, SVG (by
// name) with the platform's SVG renderer where there is one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "ui/base/geometry.h"
#include "ui/resources/native_resources.h"
#include "ui/resources/skin_image.h"

namespace zui {

// With a resource type the name is the resource number in decimal. An SVG is
// rendered at `svgSize`, or at its own size where that is empty. Null when the
// image cannot be found or decoded.
std::unique_ptr<SkinImage> LoadSkinImage(std::wstring_view name, std::wstring_view resType = {}, uint32_t mask = 0,
                                         NativeModule module = nullptr, Size svgSize = {});

// Decodes PNG, JPEG, BMP or GIF bytes into premultiplied BGRA; pixels equal to
// a non-zero mask become transparent.
std::unique_ptr<SkinImage> DecodeSkinImage(const uint8_t* bytes, size_t size, uint32_t mask);

// Clears every pixel equal to the mask; marks the image as having alpha.
void ApplyImageMask(SkinImage& image, uint32_t mask);

// Renders SVG bytes; null where the platform has no SVG renderer.
std::unique_ptr<SkinImage> RenderSvgImage(const uint8_t* bytes, size_t size, Size target);

}  // namespace zui
