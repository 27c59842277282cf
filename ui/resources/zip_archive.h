#pragma once
// Reads members of a zip archive held in memory: the central directory,
// stored and deflated members (through zlib's inflate) and the traditional
// PKWARE encryption. Every offset and size read from the archive is checked
// against the bytes actually present, so a damaged archive gives an error
// result and never a crash or an allocation beyond the archive's own size.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zui {

class CZipArchive {
 public:
  // Extraction results. kMore counts as success: the caller's buffer was
  // smaller than the member and was filled with its beginning.
  static constexpr int kOk = 0;
  static constexpr int kMore = 0x600;
  static constexpr int kNotOpen = 0x10000;
  static constexpr int kBadIndex = 0x10001;
  static constexpr int kDamaged = 0x10002;  // offsets, sizes or data do not add up
  static constexpr int kWrongPassword = 0x10003;
  static constexpr int kUnsupported = 0x10004;  // a method other than stored or deflated

  struct Member {
    std::wstring name;  // as stored, with `\` turned into `/`
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t modTime = 0;
    uint32_t crc = 0;
    uint64_t compressedSize = 0;
    uint64_t size = 0;
    uint64_t localHeader = 0;
    bool IsEncrypted() const { return (flags & 1) != 0; }
  };

  CZipArchive() = default;
  CZipArchive(const CZipArchive&) = delete;
  CZipArchive& operator=(const CZipArchive&) = delete;

  // The bytes are not copied and must outlive the archive.
  bool OpenMemory(const void* data, size_t size, std::string password = {});
  bool OpenFile(const std::filesystem::path& path, std::string password = {});
  void Close();
  bool IsOpen() const { return data_ != nullptr; }

  size_t MemberCount() const { return members_.size(); }
  const Member& MemberAt(size_t index) const { return members_[index]; }
  // `\` in the name matches `/`; with ignoreCase letters match in either case.
  bool FindMember(std::wstring_view name, bool ignoreCase, int& index, uint64_t& size) const;
  // False when the member's declared sizes cannot be true for its stored
  // bytes: a caller should not size a buffer after them.
  bool IsMemberPlausible(int index) const;
  // Unpacks the member into buffer[0..capacity).
  int Extract(int index, void* buffer, size_t capacity) const;

 private:
  bool Attach(const void* data, size_t size, std::string password);
  bool ReadDirectory();
  bool LocateData(const Member& member, size_t& offset, size_t& length) const;

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  std::vector<uint8_t> owned_;
  std::string password_;
  std::vector<Member> members_;
};

}  // namespace zui
