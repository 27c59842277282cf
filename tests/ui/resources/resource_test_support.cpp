#include "resource_test_support.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <atomic>
#include <fstream>
#include <random>

#include "ui/resources/resource_tables.h"

namespace ztest {

std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgba) {
  std::vector<uint8_t> png;
  stbi_write_png_to_func(
      [](void* context, void* data, int size) {
        auto* out = static_cast<std::vector<uint8_t>*>(context);
        out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
      },
      &png, width, height, 4, rgba.data(), width * 4);
  return png;
}

void WriteBytes(const std::filesystem::path& path, const void* data, size_t size) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void ResourceTest::SetUp() {
  static std::atomic<int> counter{0};
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = std::filesystem::temp_directory_path() /
         ("zaviz-uicore-" + std::string(info->name()) + "-" + std::to_string(std::random_device{}()) + "-" +
          std::to_string(counter++));
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
  zui::CResourceSettings::Instance().Reset();
  zui::ClearEmbeddedResources();
}

void ResourceTest::TearDown() {
  zui::CResourceSettings::Instance().Reset();
  zui::ClearEmbeddedResources();
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

}  // namespace ztest
