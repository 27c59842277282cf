#pragma once
// Images for a display scale. At a scale other than 100 % a skin asks for
// "name@150.png" where it means "name.png" (the renderer's naming). A skin
// rarely ships every scale: when the asked-for file is missing, the image is
// made from the 2x drawing ("name@200.png") or else from the plain one,
// resampled to the size that scale wants.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ui/resources/native_resources.h"
#include "ui/resources/skin_image.h"

namespace zui {

// `name` with every "@<percent>." put back to "."; empty when the name has
// no such infix (then it was not named for that scale).
std::wstring UnscaledImageName(std::wstring_view name, int percent);

// The other way round: every "." of `name` becomes "@<percent>.".
std::wstring ScaledImageName(std::wstring_view name, int percent);

// `image` resampled to width x height: an area average where it shrinks,
// bilinear where it grows. The mask and alpha flag are kept.
std::unique_ptr<SkinImage> ResampleSkinImage(const SkinImage& image, int width, int height);

// The image for `name` at `percent`: the named file when it exists, else the
// nearest drawing resampled (see above). Null when there is none of them.
std::unique_ptr<SkinImage> LoadImageForScale(std::wstring_view name, int percent, uint32_t mask, NativeModule module);

}  // namespace zui
