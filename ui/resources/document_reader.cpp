#include "ui/resources/document_reader.h"

#include <fstream>

#include "sys/text_encoding.h"
#include "ui/resources/resource_settings.h"
#include "ui/resources/zip_archive.h"

namespace zui {

const wchar_t* ReadFailureMessage(ReadFailure failure) {
  switch (failure) {
    case ReadFailure::kNone: return L"";
    case ReadFailure::kOpenFile: return L"Error opening file";
    case ReadFailure::kEmpty: return L"File is empty";
    case ReadFailure::kTooLarge: return L"File too large";
    case ReadFailure::kReadFile: return L"Could not read file";
    case ReadFailure::kOpenArchive: return L"Error opening zip file";
    case ReadFailure::kMemberMissing: return L"Could not find ziped file";
    case ReadFailure::kUnpack: return L"Could not unzip file";
  }
  return L"";
}

std::filesystem::path ResourceFilePath(std::wstring_view name) {
  std::wstring portable(name);
  for (wchar_t& c : portable) {
    if (c == L'\\') c = L'/';
  }
  const std::string utf8 = zsys::WideToUtf8(portable);
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool ReadFileBytes(const std::filesystem::path& path, size_t limit, std::vector<uint8_t>& bytes, ReadFailure& failure) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    failure = ReadFailure::kOpenFile;
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    failure = ReadFailure::kOpenFile;
    return false;
  }
  file.seekg(0, std::ios::end);
  const std::streamoff length = file.tellg();
  file.seekg(0, std::ios::beg);
  if (length <= 0) {
    failure = length == 0 ? ReadFailure::kEmpty : ReadFailure::kReadFile;
    return false;
  }
  if (static_cast<uint64_t>(length) > limit) {
    failure = ReadFailure::kTooLarge;
    return false;
  }
  bytes.resize(static_cast<size_t>(length));
  file.read(reinterpret_cast<char*>(bytes.data()), length);
  if (file.gcount() != length) {
    bytes.clear();
    failure = ReadFailure::kReadFile;
    return false;
  }
  failure = ReadFailure::kNone;
  return true;
}

namespace {

bool ReadArchiveMember(CZipArchive& archive, std::wstring_view name, size_t limit, std::vector<uint8_t>& bytes,
                       ReadFailure& failure) {
  int index = -1;
  uint64_t size = 0;
  if (!archive.FindMember(name, true, index, size)) {
    failure = ReadFailure::kMemberMissing;
    return false;
  }
  if (size == 0) {
    failure = ReadFailure::kEmpty;
    return false;
  }
  if (size > limit) {
    failure = ReadFailure::kTooLarge;
    return false;
  }
  // Sizes a damaged directory made up must not decide an allocation.
  if (!archive.IsMemberPlausible(index)) {
    failure = ReadFailure::kUnpack;
    return false;
  }
  bytes.resize(static_cast<size_t>(size));
  const int result = archive.Extract(index, bytes.data(), bytes.size());
  if (result != CZipArchive::kOk && result != CZipArchive::kMore) {
    bytes.clear();
    failure = ReadFailure::kUnpack;
    return false;
  }
  failure = ReadFailure::kNone;
  return true;
}

}  // namespace

bool ReadResourceBytes(std::wstring_view name, size_t limit, std::vector<uint8_t>& bytes, ReadFailure& failure) {
  bytes.clear();
  const CResourceSettings& settings = CResourceSettings::Instance();
  if (settings.GetResourceZip().empty()) {
    return ReadFileBytes(ResourceFilePath(settings.GetResourcePath() + std::wstring(name)), limit, bytes, failure);
  }
  CZipArchive* archive = nullptr;
  CZipArchive onceOnly;
  if (settings.IsResourceZipCached()) {
    archive = settings.GetResourceZipHandle();
  } else if (onceOnly.OpenFile(ResourceFilePath(settings.GetResourcePath() + settings.GetResourceZip()),
                               zsys::WideToAnsi(settings.GetResourceZipPassword()))) {
    archive = &onceOnly;
  }
  if (archive == nullptr) {
    failure = ReadFailure::kOpenArchive;
    return false;
  }
  return ReadArchiveMember(*archive, name, limit, bytes, failure);
}

bool ReadSkinDocument(std::wstring_view name, std::vector<uint8_t>& bytes, std::wstring& message) {
  ReadFailure failure = ReadFailure::kNone;
  if (ReadResourceBytes(name, kMaxDocumentSize, bytes, failure)) return true;
  message = ReadFailureMessage(failure);
  return false;
}

}  // namespace zui
