// Where the restore record lives on Windows and how it is replaced. netsh's
// static address survives a reboot, so the record sits on the disk too.

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <string>
#include <system_error>

#include "net/replace_file.h"
#include "net/restore_record.h"
#include "sys/program_path.h"

namespace znet {
namespace {

constexpr wchar_t kFolderName[] = L"ZavizEraVaredu";
constexpr wchar_t kFileName[] = L"restore-record";

std::filesystem::path ProgramDataFolder() {
  PWSTR folder = nullptr;
  std::filesystem::path result;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramData, 0, nullptr, &folder)) && folder) result = folder;
  CoTaskMemFree(folder);
  return result;
}

std::string Reason(const char* what, const std::filesystem::path& path) {
  return std::string(what) + " " + path.string() + ": error " + std::to_string(GetLastError());
}

}  // namespace

std::filesystem::path RestoreRecordFile::DefaultPath() {
  const std::filesystem::path common = ProgramDataFolder();
  if (!common.empty()) {
    const std::filesystem::path folder = common / kFolderName;
    if (CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
      const DWORD attributes = GetFileAttributesW(folder.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return folder / kFileName;
    }
  }
  const std::filesystem::path programFolder = zsys::ProgramDirectory();
  return programFolder.empty() ? std::filesystem::path() : programFolder / kFileName;
}

bool ReplaceFileContent(const std::filesystem::path& path, const std::string& content, std::string& error) {
  const std::filesystem::path temporary =
      path.parent_path() / (path.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp");
  HANDLE file =
      CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = Reason("cannot create", temporary);
    return false;
  }
  DWORD written = 0;
  const bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                  written == content.size() && FlushFileBuffers(file);
  if (!ok) error = Reason("cannot write", temporary);
  CloseHandle(file);
  if (!ok) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = Reason("cannot rename onto", path);
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace znet
