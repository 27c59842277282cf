#include "tests/ui/render/fake_resources.h"

#include <algorithm>

#include "ui/render/pixel.h"

namespace ztest {

int RecordingTextEngine::DrawText(zui::Bitmap* target, const zui::Rect& clip, const zui::ITextFont& font,
                                  std::wstring_view text, zui::Rect& rect, uint32_t argb, unsigned format) {
  calls.push_back({target != nullptr, clip, &font, std::wstring(text), rect, argb, format});
  const int width = static_cast<int>(text.size()) * 7;
  if (format & DT_CALCRECT) {
    rect.right = rect.left + width;
    rect.bottom = rect.top + 15;
    return 15;
  }
  if (target == nullptr) return 15;
  const uint32_t colour = zui::pixel::Premultiply(argb);
  for (size_t i = 0; i < text.size(); ++i) {
    const zui::Rect box = zui::Rect{rect.left + static_cast<int>(i) * 7 + 1, rect.top + 3,
                                    rect.left + static_cast<int>(i) * 7 + 6, rect.top + 12}
                              .Intersect(clip)
                              .Intersect(rect)
                              .Intersect({0, 0, target->width(), target->height()});
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x) target->at(x, y) = zui::pixel::Over(target->at(x, y), colour);
  }
  return 15;
}

const zui::SkinImage* FakeResources::GetOrLoadImage(std::wstring_view name, std::wstring_view resType, uint32_t mask) {
  requests.emplace_back(name);
  auto found = images.find(std::wstring(name));
  return found == images.end() ? nullptr : &found->second;
}

const zui::SkinImage* FakeResources::GetOrLoadSvgImage(std::wstring_view name, zui::Size size) {
  svgSizes.push_back(size);
  return GetOrLoadImage(name, {}, 0);
}

const zui::ITextFont* FakeResources::GetFont(int index) {
  auto& font = fonts[index < 0 ? -1 : index];
  if (!font) font = std::make_unique<RecordingFont>(index);
  return font.get();
}

zui::SkinImage& FakeResources::AddImage(const std::wstring& name, const zui::Bitmap& bitmap) {
  zui::SkinImage& image = images[name];
  image.bitmap = bitmap;
  image.width = bitmap.width();
  image.height = bitmap.height();
  image.hasAlpha = false;
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x)
      if ((bitmap.at(x, y) >> 24) != 255) image.hasAlpha = true;
  return image;
}

zui::Bitmap CoordinateImage(int width, int height) {
  zui::Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      b.at(x, y) = 0xFF000000u | (static_cast<uint32_t>(x * 8 & 0xFF) << 16) |
                   (static_cast<uint32_t>(y * 8 & 0xFF) << 8) | 0x40u;
  return b;
}

zui::Bitmap AlphaImage(int width, int height) {
  zui::Bitmap b = CoordinateImage(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int ring = std::min(std::min(x, y), std::min(width - 1 - x, height - 1 - y));
      if (ring == 0) b.at(x, y) = 0;
      else if (ring == 1) b.at(x, y) = zui::pixel::Scale(b.at(x, y), 128);
    }
  }
  return b;
}

zui::Bitmap Checker(int width, int height, int cell, uint32_t a, uint32_t b) {
  zui::Bitmap out(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) out.at(x, y) = zui::pixel::Premultiply(((x / cell + y / cell) % 2 == 0) ? a : b);
  return out;
}

}  // namespace ztest
