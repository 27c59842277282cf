#pragma once
// Reading the bytes of a named skin document, image or font file from where
// the resource settings say: loose files below the resource folder, or a
// member of the resource archive.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zui {

// Skin documents larger than this are refused.
constexpr size_t kMaxDocumentSize = 0x400000;

enum class ReadFailure {
  kNone,
  kOpenFile,
  kEmpty,
  kTooLarge,
  kReadFile,
  kOpenArchive,
  kMemberMissing,
  kUnpack,
};

// The text the markup reports for a failure.
const wchar_t* ReadFailureMessage(ReadFailure failure);

// A file path from a resource name: `\` works as a separator on every platform.
std::filesystem::path ResourceFilePath(std::wstring_view name);

// Reads a whole file of at most `limit` bytes.
bool ReadFileBytes(const std::filesystem::path& path, size_t limit, std::vector<uint8_t>& bytes, ReadFailure& failure);

// Reads `name` from the resource folder or archive. A name found in the
// archive is matched ignoring case, with `\` standing for `/`.
bool ReadResourceBytes(std::wstring_view name, size_t limit, std::vector<uint8_t>& bytes, ReadFailure& failure);

// ReadResourceBytes with the document limit; the message is set on failure.
bool ReadSkinDocument(std::wstring_view name, std::vector<uint8_t>& bytes, std::wstring& message);

}  // namespace zui
