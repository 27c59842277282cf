#pragma once
// Builds zip archives in memory for the tests, with zlib's deflate and the
// traditional PKWARE encryption, so archive tests run the same under Wine
// where there is no Python or zip tool.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ztest {

struct ZipEntry {
  ZipEntry(std::string name, std::string data, bool deflate = true, std::string password = {})
      : name(std::move(name)), data(std::move(data)), deflate(deflate), password(std::move(password)) {}
  std::string name;
  std::string data;
  bool deflate = true;
  std::string password;  // empty: not encrypted
};

struct BuiltZip {
  std::vector<uint8_t> bytes;
  std::vector<size_t> localHeaders;  // offset of each entry's local header
  std::vector<size_t> dataOffsets;   // offset of each entry's stored bytes
  std::vector<size_t> directoryEntries;
  size_t directory = 0;  // offset of the central directory
  size_t endRecord = 0;  // offset of the end-of-directory record
};

BuiltZip BuildZip(const std::vector<ZipEntry>& entries);

// Little-endian patching helpers for damaging archives.
void Put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value);
void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value);

}  // namespace ztest
