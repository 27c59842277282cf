#include "tests/support/golden_image.h"

#include "ui/resources/png_writer.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

namespace ztest {
namespace {

uint32_t Premultiply(const unsigned char* rgba) {
  const uint32_t a = rgba[3];
  auto mul = [a](uint32_t c) { return a == 255 ? c : c * a / 255; };
  return (a << 24) | (mul(rgba[0]) << 16) | (mul(rgba[1]) << 8) | mul(rgba[2]);
}

std::string GoldenPath(const std::string& name) {
  return std::string(ZAVIZ_SOURCE_DIR) + "/tests/golden/" + name + ".png";
}

std::string ActualPath(const std::string& name) {
  return std::string(ZAVIZ_BINARY_DIR) + "/golden-actual/" + name + ".actual.png";
}

}  // namespace

zui::Bitmap ReadPng(const std::string& path) {
  int w = 0, h = 0, n = 0;
  unsigned char* data = stbi_load(path.c_str(), &w, &h, &n, 4);
  if (data == nullptr) return {};
  zui::Bitmap bitmap(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bitmap.at(x, y) = Premultiply(data + (static_cast<size_t>(y) * w + x) * 4);
  stbi_image_free(data);
  return bitmap;
}

bool WritePng(const std::string& path, const zui::Bitmap& bitmap) { return zui::WritePngFile(path, bitmap); }

::testing::AssertionResult MatchesGolden(const zui::Bitmap& actual, const std::string& name, int tolerance) {
  const std::string golden = GoldenPath(name);
  if (std::getenv("ZAVIZ_UPDATE_GOLDENS") != nullptr) {
    if (!WritePng(golden, actual)) return ::testing::AssertionFailure() << "cannot write " << golden;
    return ::testing::AssertionSuccess() << "updated " << golden;
  }
  const zui::Bitmap expected = ReadPng(golden);
  if (expected.empty()) {
    WritePng(ActualPath(name), actual);
    return ::testing::AssertionFailure() << "no golden image " << golden << " (actual written to " << ActualPath(name)
                                         << ")";
  }
  if (expected.width() != actual.width() || expected.height() != actual.height()) {
    WritePng(ActualPath(name), actual);
    return ::testing::AssertionFailure() << name << ": size " << actual.width() << "x" << actual.height() << ", golden "
                                         << expected.width() << "x" << expected.height();
  }
  // PNG stores straight alpha: compare after the same round trip.
  int worst = 0, worstX = 0, worstY = 0, differing = 0;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      unsigned char a[4], e[4];
      zui::UnpremultiplyPixel(actual.at(x, y), a);
      zui::UnpremultiplyPixel(expected.at(x, y), e);
      // Colour of nearly transparent pixels carries no weight.
      const int alpha = std::max(a[3], e[3]);
      int diff = std::abs(a[3] - e[3]);
      for (int c = 0; c < 3; ++c) diff = std::max(diff, std::abs(a[c] - e[c]) * alpha / 255);
      if (diff > tolerance) ++differing;
      if (diff > worst) {
        worst = diff;
        worstX = x;
        worstY = y;
      }
    }
  }
  if (worst <= tolerance) return ::testing::AssertionSuccess();
  WritePng(ActualPath(name), actual);
  return ::testing::AssertionFailure() << name << ": " << differing << " pixels differ by more than " << tolerance
                                       << ", worst " << worst << " at (" << worstX << "," << worstY
                                       << "); actual written to " << ActualPath(name);
}

}  // namespace ztest
