#pragma once
// Shared pieces of the resource tests: a scratch folder, a PNG encoder and a
// fixture that puts the process-wide resource settings back afterwards.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sys/text_encoding.h"
#include "ui/resources/native_resources.h"
#include "ui/resources/resource_settings.h"

namespace ztest {

// RGBA bytes, four per pixel, encoded as PNG.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgba);

void WriteBytes(const std::filesystem::path& path, const void* data, size_t size);
inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  WriteBytes(path, bytes.data(), bytes.size());
}
inline void WriteBytes(const std::filesystem::path& path, const std::string& text) {
  WriteBytes(path, text.data(), text.size());
}

inline std::wstring Wide(const std::filesystem::path& path) {
  const std::u8string u8 = path.u8string();
  return zsys::Utf8ToWide(std::string(u8.begin(), u8.end()));
}

class ResourceTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The scratch folder as a resource folder text, with a trailing separator.
  std::wstring Folder() const { return Wide(dir_) + L"/"; }

  std::filesystem::path dir_;
};

}  // namespace ztest
