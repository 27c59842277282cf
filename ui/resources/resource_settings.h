#pragma once
// Where skin documents and images are looked up, for the whole process: loose
// files below a resource folder, an archive file there, or an archive held in
// memory (the program's embedded skin archive). Set once by the program before
// its first window; read by the document and image loaders.

#include <map>
#include <memory>
#include <string>

#include "ui/resources/native_resources.h"
#include "ui/resources/zip_archive.h"

namespace zui {

class CResourceSettings {
 public:
  enum ResourceType { kResourceFile = 1, kResourceZipResource = 4 };
  static constexpr const wchar_t* kMemoryArchiveName = L"membuffer";

  static CResourceSettings& Instance();

  void SetResourceType(int type) { resourceType_ = type; }
  int GetResourceType() const { return resourceType_; }

  // A non-empty folder always ends with `\` or `/`.
  void SetResourcePath(const std::wstring& folder);
  const std::wstring& GetResourcePath() const { return resourcePath_; }

  // An archive file below the resource folder, opened per read unless kept open.
  void SetResourceZip(const std::wstring& name, const std::wstring& password = {}, bool keepOpen = false);
  // The first in-memory archive stays in force; later calls are ignored.
  // The bytes must stay valid while the archive is in use.
  void SetResourceZip(const void* bytes, size_t size, const std::wstring& password = {});
  const std::wstring& GetResourceZip() const { return archiveName_; }
  const std::wstring& GetResourceZipPassword() const { return archivePassword_; }
  bool IsResourceZipCached() const { return keepOpen_; }
  CZipArchive* GetResourceZipHandle() const { return openArchive_.get(); }

  void SetResourceModule(NativeModule module) { module_ = module; }
  NativeModule GetResourceModule() const { return module_; }

  // Application-wide name maps (image name and skin name to file name).
  void SetImageFileName(const std::wstring& name, const std::wstring& file) { imageNames_[name] = file; }
  std::wstring MapImageName(const std::wstring& name) const;
  void SetSkinFileName(const std::wstring& name, const std::wstring& file) { skinNames_[name] = file; }
  std::wstring MapSkinName(const std::wstring& name) const;

  // Back to the start-up state; for tests, which share one process.
  void Reset();

 private:
  void CloseArchive();

  int resourceType_ = kResourceFile;
  std::wstring resourcePath_;
  std::wstring archiveName_;
  std::wstring archivePassword_;
  bool keepOpen_ = false;
  std::unique_ptr<CZipArchive> openArchive_;
  NativeModule module_ = nullptr;
  std::map<std::wstring, std::wstring> imageNames_;
  std::map<std::wstring, std::wstring> skinNames_;
};

// The program's start-up step for its skins: switches to the archive kept
// among the program's resources, finds the block named `name` of type `type`
// in the resource module and hands it over as an in-memory archive without
// password. A missing or empty block is silently nothing (the first window
// then fails to build). True when the block was found.
bool LoadSkinArchiveResource(const wchar_t* name, const wchar_t* type);

}  // namespace zui
