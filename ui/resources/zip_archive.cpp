#include "ui/resources/zip_archive.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <memory>

#include "sys/text_encoding.h"
#include "ui/base/wide_text.h"
#include "ui/resources/zip_crypto.h"

namespace zui {
namespace {

constexpr uint32_t kEndOfDirectorySignature = 0x06054b50;
constexpr uint32_t kDirectoryEntrySignature = 0x02014b50;
constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr size_t kEndOfDirectorySize = 22;
constexpr size_t kDirectoryEntrySize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kEncryptionHeaderSize = 12;
// Deflate cannot expand its input by more than about 1032 to 1; a member that
// claims more is lying about its size.
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr size_t kChunk = 16384;

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Read32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

std::wstring NormaliseName(std::wstring name) {
  std::replace(name.begin(), name.end(), L'\\', L'/');
  return name;
}

// Hands out a member's stored bytes in chunks, decrypting them when needed.
class MemberInput {
 public:
  MemberInput(const uint8_t* data, size_t length, ZipCrypto* crypto) : data_(data), length_(length), crypto_(crypto) {}
  bool AtEnd() const { return position_ >= length_; }
  // Next piece of input; valid until the next call.
  std::pair<const uint8_t*, size_t> Next() {
    const size_t n = std::min(kChunk, length_ - position_);
    const uint8_t* from = data_ + position_;
    position_ += n;
    if (crypto_ == nullptr) return {from, n};
    for (size_t i = 0; i < n; ++i) plain_[i] = crypto_->Decrypt(from[i]);
    return {plain_, n};
  }

 private:
  const uint8_t* data_;
  size_t length_;
  size_t position_ = 0;
  ZipCrypto* crypto_;
  uint8_t plain_[kChunk];
};

int CopyStored(MemberInput& input, uint8_t* out, size_t capacity, uint64_t size, uint32_t crc) {
  size_t produced = 0;
  uLong check = crc32(0, nullptr, 0);
  while (!input.AtEnd() && produced < capacity) {
    auto [bytes, n] = input.Next();
    n = std::min(n, capacity - produced);
    std::memcpy(out + produced, bytes, n);
    check = crc32(check, bytes, static_cast<uInt>(n));
    produced += n;
  }
  if (capacity < size) return CZipArchive::kMore;
  return check == crc ? CZipArchive::kOk : CZipArchive::kDamaged;
}

// After the declared size has been produced, the stream must end without one
// more byte; a member that keeps inflating is a bomb or a liar.
bool StreamEndsHere(z_stream& zs, MemberInput& input) {
  uint8_t probe = 0;
  for (;;) {
    zs.next_out = &probe;
    zs.avail_out = 1;
    if (zs.avail_in == 0 && !input.AtEnd()) {
      auto [bytes, n] = input.Next();
      zs.next_in = const_cast<Bytef*>(bytes);
      zs.avail_in = static_cast<uInt>(n);
    }
    const int ret = inflate(&zs, Z_NO_FLUSH);
    if (ret == Z_STREAM_END) return zs.avail_out == 1;
    if (ret != Z_OK || zs.avail_out == 0) return false;
  }
}

int Inflate(MemberInput& input, uint8_t* out, size_t capacity, uint64_t size, uint32_t crc) {
  z_stream zs{};
  if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return CZipArchive::kDamaged;
  size_t produced = 0;
  int result = CZipArchive::kDamaged;
  for (;;) {
    if (zs.avail_in == 0 && !input.AtEnd()) {
      auto [bytes, n] = input.Next();
      zs.next_in = const_cast<Bytef*>(bytes);
      zs.avail_in = static_cast<uInt>(n);
    }
    if (produced == capacity) {
      if (capacity < size) result = CZipArchive::kMore;
      else if (capacity == size && StreamEndsHere(zs, input)) result = CZipArchive::kOk;
      break;
    }
    const size_t room = std::min<size_t>(capacity - produced, UINT_MAX);
    zs.next_out = out + produced;
    zs.avail_out = static_cast<uInt>(room);
    const int ret = inflate(&zs, Z_NO_FLUSH);
    produced += room - zs.avail_out;
    if (ret == Z_STREAM_END) {
      if (produced == size) result = CZipArchive::kOk;
      break;
    }
    if (ret != Z_OK && !(ret == Z_BUF_ERROR && zs.avail_out == 0)) break;  // damaged or truncated
  }
  inflateEnd(&zs);
  if (result == CZipArchive::kOk) {
    uLong check = crc32(0, nullptr, 0);
    for (size_t done = 0; done < produced;) {
      const size_t n = std::min<size_t>(produced - done, UINT_MAX);
      check = crc32(check, out + done, static_cast<uInt>(n));
      done += n;
    }
    if (check != crc) result = CZipArchive::kDamaged;
  }
  return result;
}

}  // namespace

bool CZipArchive::OpenMemory(const void* data, size_t size, std::string password) {
  Close();
  return Attach(data, size, std::move(password));
}

bool CZipArchive::Attach(const void* data, size_t size, std::string password) {
  if (data == nullptr || size == 0) return false;
  data_ = static_cast<const uint8_t*>(data);
  size_ = size;
  password_ = std::move(password);
  if (ReadDirectory()) return true;
  Close();
  return false;
}

bool CZipArchive::OpenFile(const std::filesystem::path& path, std::string password) {
  Close();
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.empty()) return false;
  owned_ = std::move(bytes);
  return Attach(owned_.data(), owned_.size(), std::move(password));
}

void CZipArchive::Close() {
  data_ = nullptr;
  size_ = 0;
  owned_.clear();
  owned_.shrink_to_fit();
  password_.clear();
  members_.clear();
}

bool CZipArchive::ReadDirectory() {
  if (size_ < kEndOfDirectorySize) return false;
  // The end record sits at the end, behind a comment of up to 65535 bytes.
  size_t end = size_ - kEndOfDirectorySize;
  const size_t lowest = end > 0xFFFF ? end - 0xFFFF : 0;
  while (Read32(data_ + end) != kEndOfDirectorySignature) {
    if (end == lowest) return false;
    --end;
  }
  const uint8_t* eocd = data_ + end;
  const size_t entries = Read16(eocd + 10);
  const size_t directorySize = Read32(eocd + 12);
  const size_t directoryOffset = Read32(eocd + 16);
  if (directoryOffset > end || directorySize > end - directoryOffset) return false;

  members_.reserve(std::min(entries, directorySize / kDirectoryEntrySize));
  const uint8_t* p = data_ + directoryOffset;
  const uint8_t* directoryEnd = p + directorySize;
  for (size_t i = 0; i < entries; ++i) {
    if (static_cast<size_t>(directoryEnd - p) < kDirectoryEntrySize) return false;
    if (Read32(p) != kDirectoryEntrySignature) return false;
    const size_t nameLength = Read16(p + 28);
    const size_t variable = nameLength + Read16(p + 30) + Read16(p + 32);
    if (static_cast<size_t>(directoryEnd - p) - kDirectoryEntrySize < variable) return false;
    Member member;
    member.flags = Read16(p + 8);
    member.method = Read16(p + 10);
    member.modTime = Read16(p + 12);
    member.crc = Read32(p + 16);
    member.compressedSize = Read32(p + 20);
    member.size = Read32(p + 24);
    member.localHeader = Read32(p + 42);
    const std::string_view rawName(reinterpret_cast<const char*>(p + kDirectoryEntrySize), nameLength);
    // Bit 11 marks UTF-8 names; others are in the code page of the packer.
    member.name = NormaliseName((member.flags & 0x800) ? zsys::Utf8ToWide(rawName) : zsys::AnsiToWide(rawName));
    members_.push_back(std::move(member));
    p += kDirectoryEntrySize + variable;
  }
  return true;
}

bool CZipArchive::FindMember(std::wstring_view name, bool ignoreCase, int& index, uint64_t& size) const {
  const std::wstring wanted = NormaliseName(std::wstring(name));
  for (size_t i = 0; i < members_.size(); ++i) {
    const std::wstring& candidate = members_[i].name;
    if (ignoreCase ? EqualsIgnoreCase(candidate, wanted) : candidate == wanted) {
      index = static_cast<int>(i);
      size = members_[i].size;
      return true;
    }
  }
  return false;
}

bool CZipArchive::IsMemberPlausible(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= members_.size()) return false;
  const Member& m = members_[index];
  if (m.compressedSize > size_) return false;
  uint64_t stored = m.compressedSize;
  if (m.IsEncrypted()) {
    if (stored < kEncryptionHeaderSize) return false;
    stored -= kEncryptionHeaderSize;
  }
  if (m.method == 0) return m.size == stored;
  return m.size <= stored * kMaxDeflateRatio + 1024;
}

bool CZipArchive::LocateData(const Member& member, size_t& offset, size_t& length) const {
  if (member.localHeader > size_ || size_ - member.localHeader < kLocalHeaderSize) return false;
  const uint8_t* local = data_ + member.localHeader;
  if (Read32(local) != kLocalHeaderSignature) return false;
  const size_t start = member.localHeader + kLocalHeaderSize + Read16(local + 26) + Read16(local + 28);
  if (start > size_ || member.compressedSize > size_ - start) return false;
  offset = start;
  length = static_cast<size_t>(member.compressedSize);
  return true;
}

int CZipArchive::Extract(int index, void* buffer, size_t capacity) const {
  if (!IsOpen()) return kNotOpen;
  if (index < 0 || static_cast<size_t>(index) >= members_.size()) return kBadIndex;
  if (buffer == nullptr && capacity > 0) return kBadIndex;
  const Member& m = members_[index];
  if (m.method != 0 && m.method != 8) return kUnsupported;
  size_t offset = 0, length = 0;
  if (!IsMemberPlausible(index) || !LocateData(m, offset, length)) return kDamaged;

  const uint8_t* stored = data_ + offset;
  std::unique_ptr<ZipCrypto> crypto;
  if (m.IsEncrypted()) {
    crypto = std::make_unique<ZipCrypto>(password_);
    uint8_t header[kEncryptionHeaderSize];
    for (size_t i = 0; i < kEncryptionHeaderSize; ++i) header[i] = crypto->Decrypt(stored[i]);
    // With a data descriptor (bit 3) the check byte comes from the time.
    const uint8_t expected = (m.flags & 8) ? static_cast<uint8_t>(m.modTime >> 8) : static_cast<uint8_t>(m.crc >> 24);
    if (header[kEncryptionHeaderSize - 1] != expected) return kWrongPassword;
    stored += kEncryptionHeaderSize;
    length -= kEncryptionHeaderSize;
  }
  auto input = std::make_unique<MemberInput>(stored, length, crypto.get());
  auto* out = static_cast<uint8_t*>(buffer);
  if (m.method == 0) return CopyStored(*input, out, capacity, m.size, m.crc);
  return Inflate(*input, out, capacity, m.size, m.crc);
}

}  // namespace zui
