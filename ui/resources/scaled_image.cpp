#include "ui/resources/scaled_image.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/resources/image_loader.h"

namespace zui {
namespace {

constexpr int kDrawnScale = 200;

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
  std::wstring out;
  size_t start = 0;
  for (size_t at = text.find(from); at != std::wstring_view::npos; at = text.find(from, start)) {
    out.append(text.substr(start, at - start)).append(to);
    start = at + from.size();
  }
  return out.append(text.substr(start));
}

std::wstring Infix(int percent) { return L"@" + std::to_wstring(percent) + L"."; }

// One axis of the filter: for each destination index, the source indices it
// reads and their weights (summing to 1). Shrinking averages the source span
// a destination pixel covers; growing interpolates between the two nearest.
struct Tap {
  int index;
  float weight;
};

std::vector<Tap> AreaTaps(int from, double ratio, int d) {
  const double left = d * ratio, right = (d + 1) * ratio;
  std::vector<Tap> taps;
  for (int s = static_cast<int>(std::floor(left)); s < std::min<double>(from, std::ceil(right)); ++s) {
    const double covered = std::min<double>(s + 1, right) - std::max<double>(s, left);
    if (covered > 0) taps.push_back({s, static_cast<float>(covered / ratio)});
  }
  return taps;
}

std::vector<Tap> LinearTaps(int from, double ratio, int d) {
  const double centre = std::clamp((d + 0.5) * ratio - 0.5, 0.0, from - 1.0);
  const int s = std::min(static_cast<int>(centre), from - 1);
  const double t = centre - s;
  if (t <= 0 || s + 1 >= from) return {{s, 1.0f}};
  return {{s, static_cast<float>(1 - t)}, {s + 1, static_cast<float>(t)}};
}

std::vector<std::vector<Tap>> AxisTaps(int from, int to) {
  const double ratio = static_cast<double>(from) / to;
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
  for (int d = 0; d < to; ++d) taps[d] = ratio > 1 ? AreaTaps(from, ratio, d) : LinearTaps(from, ratio, d);
  return taps;
}

uint32_t PackPixel(const float channels[4]) {
  uint32_t pixel = 0;
  for (int c = 0; c < 4; ++c) {
    const int v = static_cast<int>(std::lround(std::clamp(channels[c], 0.0f, 255.0f)));
    pixel |= static_cast<uint32_t>(v) << (8 * c);
  }
  // Premultiplied colour never exceeds its alpha; rounding must not make it.
  const uint32_t alpha = pixel >> 24;
  for (int c = 0; c < 3; ++c) {
    const uint32_t v = (pixel >> (8 * c)) & 0xFF;
    if (v > alpha) pixel = (pixel & ~(0xFFu << (8 * c))) | (alpha << (8 * c));
  }
  return pixel;
}

std::unique_ptr<SkinImage> ResampledTo(std::unique_ptr<SkinImage> image, int fromPercent, int toPercent) {
  if (image == nullptr || fromPercent == toPercent) return image;
  const auto scaled = [&](int value) {
    return std::max(1, static_cast<int>((static_cast<long long>(value) * toPercent + fromPercent / 2) / fromPercent));
  };
  return ResampleSkinImage(*image, scaled(image->width), scaled(image->height));
}

}  // namespace

std::wstring UnscaledImageName(std::wstring_view name, int percent) {
  const std::wstring infix = Infix(percent);
  if (name.find(infix) == std::wstring_view::npos) return {};
  return ReplaceAll(name, infix, L".");
}

std::wstring ScaledImageName(std::wstring_view name, int percent) { return ReplaceAll(name, L".", Infix(percent)); }

std::unique_ptr<SkinImage> ResampleSkinImage(const SkinImage& image, int width, int height) {
  if (width <= 0 || height <= 0 || image.bitmap.empty()) return nullptr;
  const int sourceWidth = image.bitmap.width();
  const int sourceHeight = image.bitmap.height();
  const auto columns = AxisTaps(sourceWidth, width);
  const auto rows = AxisTaps(sourceHeight, height);

  // Pass 1: each source row resampled across; pass 2: down the columns.
  std::vector<float> across(static_cast<size_t>(width) * sourceHeight * 4, 0.0f);
  for (int y = 0; y < sourceHeight; ++y) {
    const uint32_t* in = image.bitmap.row(y);
    float* out = &across[static_cast<size_t>(y) * width * 4];
    for (int x = 0; x < width; ++x) {
      for (const Tap& tap : columns[x]) {
        for (int c = 0; c < 4; ++c) out[x * 4 + c] += tap.weight * ((in[tap.index] >> (8 * c)) & 0xFF);
      }
    }
  }
  auto result = std::make_unique<SkinImage>();
  result->bitmap = Bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    uint32_t* out = result->bitmap.row(y);
    for (int x = 0; x < width; ++x) {
      float sum[4] = {0, 0, 0, 0};
      for (const Tap& tap : rows[y]) {
        const float* in = &across[(static_cast<size_t>(tap.index) * width + x) * 4];
        for (int c = 0; c < 4; ++c) sum[c] += tap.weight * in[c];
      }
      out[x] = PackPixel(sum);
    }
  }
  result->width = width;
  result->height = height;
  result->hasAlpha = image.hasAlpha;
  result->mask = image.mask;
  result->resType = image.resType;
  return result;
}

std::unique_ptr<SkinImage> LoadImageForScale(std::wstring_view name, int percent, uint32_t mask, NativeModule module) {
  if (auto image = LoadSkinImage(name, {}, mask, module)) return image;
  const std::wstring plain = percent == 100 ? std::wstring() : UnscaledImageName(name, percent);
  if (plain.empty()) return nullptr;
  if (percent != kDrawnScale) {
    if (auto drawn = LoadSkinImage(ScaledImageName(plain, kDrawnScale), {}, mask, module)) {
      return ResampledTo(std::move(drawn), kDrawnScale, percent);
    }
  }
  return ResampledTo(LoadSkinImage(plain, {}, mask, module), 100, percent);
}

}  // namespace zui
