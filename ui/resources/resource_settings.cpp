#include "ui/resources/resource_settings.h"

#include "sys/text_encoding.h"
#include "ui/resources/document_reader.h"

namespace zui {

CResourceSettings& CResourceSettings::Instance() {
  static CResourceSettings settings;
  return settings;
}

void CResourceSettings::SetResourcePath(const std::wstring& folder) {
  resourcePath_ = folder;
  if (!resourcePath_.empty() && resourcePath_.back() != L'\\' && resourcePath_.back() != L'/') {
    resourcePath_ += L'\\';
  }
}

void CResourceSettings::CloseArchive() { openArchive_.reset(); }

void CResourceSettings::SetResourceZip(const std::wstring& name, const std::wstring& password, bool keepOpen) {
  CloseArchive();
  archiveName_ = name;
  archivePassword_ = password;
  keepOpen_ = keepOpen;
  if (keepOpen_ && !archiveName_.empty()) {
    auto archive = std::make_unique<CZipArchive>();
    if (archive->OpenFile(ResourceFilePath(resourcePath_ + archiveName_), zsys::WideToAnsi(password))) {
      openArchive_ = std::move(archive);
    }
  }
}

void CResourceSettings::SetResourceZip(const void* bytes, size_t size, const std::wstring& password) {
  if (archiveName_ == kMemoryArchiveName) return;
  CloseArchive();
  archiveName_ = kMemoryArchiveName;
  archivePassword_ = password;
  keepOpen_ = true;
  auto archive = std::make_unique<CZipArchive>();
  if (archive->OpenMemory(bytes, size, zsys::WideToAnsi(password))) openArchive_ = std::move(archive);
}

std::wstring CResourceSettings::MapImageName(const std::wstring& name) const {
  const auto found = imageNames_.find(name);
  return found != imageNames_.end() ? found->second : std::wstring();
}

std::wstring CResourceSettings::MapSkinName(const std::wstring& name) const {
  const auto found = skinNames_.find(name);
  return found != skinNames_.end() ? found->second : std::wstring();
}

void CResourceSettings::Reset() { *this = CResourceSettings(); }

bool LoadSkinArchiveResource(const wchar_t* name, const wchar_t* type) {
  CResourceSettings& settings = CResourceSettings::Instance();
  settings.SetResourceType(CResourceSettings::kResourceZipResource);
  if (name == nullptr || type == nullptr) return false;
  const uint8_t* data = nullptr;
  size_t size = 0;
  if (!FindNativeResource(settings.GetResourceModule(), type, name, data, size)) return false;
  // Resource blocks stay mapped for the life of the process, so the archive
  // reads them in place.
  settings.SetResourceZip(data, size);
  return true;
}

}  // namespace zui
