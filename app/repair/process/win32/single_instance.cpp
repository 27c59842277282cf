#include "app/repair/process/single_instance.h"

#include <windows.h>

#include "sys/text_encoding.h"

namespace zapp {

bool AcquireSingleInstance(const char* name) {
  const std::wstring wideName = zsys::Utf8ToWide(name ? name : "");
  // Never closed: holding the handle is what marks the running instance.
  HANDLE mutex = CreateMutexW(nullptr, FALSE, wideName.c_str());
  return mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

}  // namespace zapp
