#include "app/repair/platform_process.h"

#include "app/repair/language.h"
#include "app/repair/repair_texts.h"
#include "ui/host/win32/win32_host.h"

// Last: its macros would rename the host's methods above.
#include <windows.h>
#include <objbase.h>

namespace zapp {

void InitializeCom() { CoInitialize(nullptr); }
void UninitializeCom() { CoUninitialize(); }

// The command line as the system gives it, without the program's name
// (quoted or not) and the blanks after it.
std::wstring CommandLineAfterProgramName(const std::vector<std::string>&) {
  const wchar_t* p = GetCommandLineW();
  if (p == nullptr) return {};
  if (*p == L'"') {
    ++p;
    while (*p != L'\0' && *p != L'"') ++p;
    if (*p == L'"') ++p;
  } else {
    while (*p != L'\0' && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return p;
}

std::unique_ptr<zui::IUiHost> CreatePlatformHost(std::string&) {
  return zui::CreateWin32Host(GetModuleHandleW(nullptr));
}

void* ProgramModule() { return GetModuleHandleW(nullptr); }

void ShowAlreadyRunning(const RepairOptions&) {
  MessageBoxW(nullptr, Tr(kAlreadyRunningText), Tr(kNoticeTitle), MB_OK);
}

}  // namespace zapp
