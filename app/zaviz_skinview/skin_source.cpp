#include "app/zaviz_skinview/skin_source.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "sys/text_encoding.h"
#include "ui/resources/document_reader.h"
#include "ui/resources/resource_settings.h"
#include "ui/resources/skin_markup.h"
#include "ui/resources/zip_archive.h"

namespace skinview {
namespace {

namespace fs = std::filesystem;

bool IsReadableFile(const fs::path& path, const std::string& shown, std::string& error) {
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    error = shown + ": no such file";
    return false;
  }
  if (!fs::is_regular_file(path, ec)) {
    error = shown + ": not a file";
    return false;
  }
  return true;
}

std::wstring FolderOf(const fs::path& path) {
  fs::path folder = fs::absolute(path).parent_path();
  std::wstring text = folder.wstring();
  if (!text.empty() && text.back() != L'/' && text.back() != L'\\') text += fs::path::preferred_separator;
  return text;
}

}  // namespace

std::wstring PrepareSkinSource(const ViewerOptions& options, std::string& error) {
  const fs::path path = fs::path(zsys::Utf8ToWide(options.skinPath));
  if (!IsReadableFile(path, options.skinPath, error)) return {};
  zui::CResourceSettings& settings = zui::CResourceSettings::Instance();
  settings.SetResourceType(zui::CResourceSettings::kResourceFile);
  settings.SetResourcePath(FolderOf(path));

  std::wstring name;
  std::string shownName;
  if (options.memberName.empty()) {
    name = path.filename().wstring();
    shownName = options.skinPath;
  } else {
    zui::CZipArchive archive;
    if (!archive.OpenFile(path)) {
      error = options.skinPath + ": not a readable zip archive";
      return {};
    }
    settings.SetResourceZip(path.filename().wstring(), {}, true);
    name = zsys::Utf8ToWide(options.memberName);
    shownName = options.skinPath + ": " + options.memberName;
  }

  std::vector<uint8_t> bytes;
  std::wstring message;
  if (!zui::ReadSkinDocument(name, bytes, message)) {
    error = shownName + ": " + zsys::WideToUtf8(message);
    return {};
  }
  zui::CSkinMarkup markup;
  if (!markup.LoadFromMem(bytes.data(), bytes.size())) {
    error = shownName + ": not a skin: " + zsys::WideToUtf8(markup.GetLastErrorMessage());
    return {};
  }
  return name;
}

}  // namespace skinview
