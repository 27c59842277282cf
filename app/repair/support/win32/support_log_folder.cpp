#include <cstdlib>

#include "app/repair/support/support_log.h"

namespace zapp {

std::filesystem::path DefaultSupportLogFolder() {
  // The user's own local data: a log is of this machine and should not roam.
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (local == nullptr || local[0] == L'\0') return {};
  return std::filesystem::path(local) / L"ZavizEraVaredu" / L"logs";
}

}  // namespace zapp
