#pragma once
// SHA-256 (FIPS 180-4) of a byte stream, for naming the firmware a repair
// served in its support log: a user's image can then be matched to a known
// release without sending the image itself.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zapp {

class Sha256 {
 public:
  Sha256();
  void Update(const uint8_t* data, size_t length);
  // The digest; the object is spent afterwards.
  std::array<uint8_t, 32> Finish();

 private:
  void Compress(const uint8_t* block);

  std::array<uint32_t, 8> state_;
  std::array<uint8_t, 64> buffer_{};
  size_t buffered_ = 0;
  uint64_t totalBytes_ = 0;
};

std::string HexDigest(const std::array<uint8_t, 32>& digest);
// The digest of a file in lower-case hex, read in pieces so that an image of
// any size costs a fixed amount of memory; empty when it cannot be read.
std::string Sha256OfFile(const std::filesystem::path& path);

}  // namespace zapp
