#include "ui/resources/image_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_test_support.h"
#include "ui/resources/scaled_image.h"
#include "zip_writer.h"

namespace zui {
namespace {

using ztest::ResourceTest;

// Four pixels: opaque red, half-transparent red, opaque magenta, half magenta.
std::vector<uint8_t> FourPixelPng() {
  return ztest::EncodePng(2, 2, {255, 0, 0, 255, 255, 0, 0, 128, 255, 0, 255, 255, 255, 0, 255, 128});
}

TEST(ImageDecoding, PremultipliesIntoBgra) {
  const std::vector<uint8_t> png = FourPixelPng();
  auto image = DecodeSkinImage(png.data(), png.size(), 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 2);
  EXPECT_TRUE(image->hasAlpha);
  EXPECT_EQ(image->bitmap.at(0, 0), 0xFFFF0000u);
  EXPECT_EQ(image->bitmap.at(1, 0), 0x80800000u);  // blue 0, green 0, red 128, alpha 128
  EXPECT_EQ(image->bitmap.at(0, 1), 0xFFFF00FFu);
  EXPECT_EQ(image->bitmap.at(1, 1), 0x80800080u);
  // In memory the bytes run blue, green, red, alpha.
  const auto* bytes = reinterpret_cast<const uint8_t*>(image->bitmap.pixels());
  EXPECT_EQ(std::vector<uint8_t>(bytes + 4, bytes + 8), (std::vector<uint8_t>{0, 0, 128, 128}));
}

TEST(ImageDecoding, MaskMakesMatchingPixelsTransparent) {
  const std::vector<uint8_t> opaque = ztest::EncodePng(2, 1, {255, 0, 255, 255, 10, 20, 30, 255});
  auto plain = DecodeSkinImage(opaque.data(), opaque.size(), 0);
  ASSERT_NE(plain, nullptr);
  EXPECT_FALSE(plain->hasAlpha);

  auto masked = DecodeSkinImage(opaque.data(), opaque.size(), 0xFFFF00FF);
  ASSERT_NE(masked, nullptr);
  EXPECT_TRUE(masked->hasAlpha);
  EXPECT_EQ(masked->bitmap.at(0, 0), 0u);
  EXPECT_EQ(masked->bitmap.at(1, 0), 0xFF0A141Eu);

  // The mask is compared after premultiplication: half-transparent magenta stays.
  const std::vector<uint8_t> png = FourPixelPng();
  auto image = DecodeSkinImage(png.data(), png.size(), 0xFFFF00FF);
  EXPECT_EQ(image->bitmap.at(0, 1), 0u);
  EXPECT_EQ(image->bitmap.at(1, 1), 0x80800080u);
}

TEST(ImageDecoding, UndecodableBytesGiveNone) {
  const std::string junk = "\x89PNG\r\n\x1a\n but then nothing useful";
  EXPECT_EQ(DecodeSkinImage(reinterpret_cast<const uint8_t*>(junk.data()), junk.size(), 0), nullptr);
  EXPECT_EQ(DecodeSkinImage(nullptr, 0, 0), nullptr);
  std::vector<uint8_t> png = FourPixelPng();
  png.resize(png.size() / 2);
  EXPECT_EQ(DecodeSkinImage(png.data(), png.size(), 0), nullptr);
}

class ImageLoading : public ResourceTest {};

TEST_F(ImageLoading, FromTheArchiveThenFromAPlainPath) {
  const std::vector<uint8_t> png = FourPixelPng();
  const ztest::BuiltZip zip = ztest::BuildZip({{"img/close.png", std::string(png.begin(), png.end()), false}});
  CResourceSettings::Instance().SetResourceZip(zip.bytes.data(), zip.bytes.size());
  auto fromArchive = LoadSkinImage(L"IMG\\Close.png");
  ASSERT_NE(fromArchive, nullptr);
  EXPECT_EQ(fromArchive->bitmap.at(1, 0), 0x80800000u);

  EXPECT_EQ(LoadSkinImage(L"img/missing.png"), nullptr);
  const std::vector<uint8_t> other = ztest::EncodePng(1, 1, {1, 2, 3, 255});
  ztest::WriteBytes(dir_ / "loose.png", other);
  auto fromPath = LoadSkinImage(ztest::Wide(dir_ / "loose.png"));
  ASSERT_NE(fromPath, nullptr);
  EXPECT_EQ(fromPath->bitmap.at(0, 0), 0xFF010203u);
}

TEST_F(ImageLoading, FromTheFolderThroughTheNameMap) {
  CResourceSettings& settings = CResourceSettings::Instance();
  settings.SetResourcePath(Folder());
  ztest::WriteBytes(dir_ / "img" / "real.png", FourPixelPng());
  settings.SetImageFileName(L"alias.png", L"img\\real.png");
  auto image = LoadSkinImage(L"alias.png");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 2);
  EXPECT_NE(LoadSkinImage(L"img\\real.png"), nullptr);
}

TEST_F(ImageLoading, FromAnEmbeddedResource) {
  static const std::vector<uint8_t> png = FourPixelPng();
  RegisterEmbeddedResource(L"PNG", 138, png.data(), png.size());
  auto image = LoadSkinImage(L"138", L"PNG", 0xFFFF0000);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->bitmap.at(0, 0), 0u);  // opaque red was the mask
  EXPECT_EQ(LoadSkinImage(L"139", L"PNG"), nullptr);
  EXPECT_EQ(LoadSkinImage(L"x138", L"PNG"), nullptr);
}

// Solid colour, width x height, straight alpha.
std::vector<uint8_t> SolidPng(int width, int height, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  std::vector<uint8_t> rgba;
  for (int i = 0; i < width * height; ++i) rgba.insert(rgba.end(), {r, g, b, a});
  return ztest::EncodePng(width, height, rgba);
}

TEST_F(ImageLoading, AScaleWithoutItsOwnFileUsesThe2xDrawingOrThePlainOneResampled) {
  CResourceSettings::Instance().SetResourcePath(Folder());
  std::filesystem::create_directories(dir_ / "img");
  ztest::WriteBytes(dir_ / "img" / "plain.png", SolidPng(2, 2, 255, 0, 0));
  ztest::WriteBytes(dir_ / "img" / "drawn.png", SolidPng(2, 2, 255, 0, 0));
  ztest::WriteBytes(dir_ / "img" / "drawn@200.png", SolidPng(4, 4, 0, 0, 255));
  ztest::WriteBytes(dir_ / "img" / "own@150.png", SolidPng(5, 1, 0, 255, 0));

  auto fromPlain = LoadImageForScale(L"img\\plain@150.png", 150, 0, nullptr);
  ASSERT_NE(fromPlain, nullptr);
  EXPECT_EQ(fromPlain->width, 3);
  EXPECT_EQ(fromPlain->bitmap.at(1, 1), 0xFFFF0000u);  // a flat colour stays exact
  auto fromDrawn = LoadImageForScale(L"img\\drawn@150.png", 150, 0, nullptr);
  ASSERT_NE(fromDrawn, nullptr);
  EXPECT_EQ(fromDrawn->width, 3);
  EXPECT_EQ(fromDrawn->bitmap.at(2, 2), 0xFF0000FFu);  // the 2x drawing wins over the plain one
  auto own = LoadImageForScale(L"img\\own@150.png", 150, 0, nullptr);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->width, 5);  // a file of its own is taken as it is

  // Only the infix of the scale asked for is undone, and 100 % never is.
  EXPECT_EQ(LoadImageForScale(L"img\\plain@125.png", 150, 0, nullptr), nullptr);
  EXPECT_EQ(LoadImageForScale(L"img\\plain@100.png", 100, 0, nullptr), nullptr);
  EXPECT_EQ(UnscaledImageName(L"a.b@150.png", 150), L"a.b.png");
  EXPECT_EQ(ScaledImageName(L"ok_134@44.png", 200), L"ok_134@44@200.png");
}

TEST(ImageResampling, AveragesWhenShrinkingAndKeepsColourWithinAlpha) {
  SkinImage image;
  image.bitmap = Bitmap(4, 1);
  image.width = 4;
  image.height = 1;
  image.hasAlpha = true;
  const uint32_t pixels[4] = {0xFFFFFFFFu, 0xFF000000u, 0x80800000u, 0u};
  for (int x = 0; x < 4; ++x) image.bitmap.at(x, 0) = pixels[x];

  auto half = ResampleSkinImage(image, 2, 1);
  ASSERT_NE(half, nullptr);
  EXPECT_TRUE(half->hasAlpha);
  EXPECT_EQ(half->bitmap.at(0, 0) >> 24, 0xFFu);
  const uint32_t grey = half->bitmap.at(0, 0) & 0xFF;
  EXPECT_GT(grey, 0x60u);
  EXPECT_LT(grey, 0xA0u);
  const uint32_t right = half->bitmap.at(1, 0);
  EXPECT_GT(right >> 24, 0x20u);
  EXPECT_LT(right >> 24, 0x80u);

  auto grown = ResampleSkinImage(image, 13, 7);
  ASSERT_NE(grown, nullptr);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 13; ++x) {
      const uint32_t p = grown->bitmap.at(x, y);
      for (int c = 0; c < 3; ++c) ASSERT_LE((p >> (8 * c)) & 0xFF, p >> 24) << x << "," << y;
    }
  }
  EXPECT_EQ(ResampleSkinImage(image, 0, 5), nullptr);
}

TEST_F(ImageLoading, SvgByNameAtTheRequestedSize) {
  const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"2\" viewBox=\"0 0 4 2\">"
                          "<rect x=\"0\" y=\"0\" width=\"2\" height=\"2\" fill=\"#0000ff\"/></svg>";
  ztest::WriteBytes(dir_ / "icon.svg", svg);
  CResourceSettings::Instance().SetResourcePath(Folder());
  auto image = LoadSkinImage(L"icon.svg", {}, 0, nullptr, Size{40, 20});
#if ZAVIZ_UI_HAS_SVG
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 40);
  EXPECT_EQ(image->height, 20);
  EXPECT_EQ(image->bitmap.at(5, 10), 0xFF0000FFu);  // inside the rectangle
  EXPECT_EQ(image->bitmap.at(35, 10), 0u);          // outside it
  EXPECT_TRUE(image->hasAlpha);
  auto natural = LoadSkinImage(L"icon.svg");
  ASSERT_NE(natural, nullptr);
  EXPECT_EQ(natural->width, 4);
#else
  EXPECT_EQ(image, nullptr);  // no SVG renderer in this build
#endif
}

}  // namespace
}  // namespace zui
