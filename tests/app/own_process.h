#pragma once
// This test process as the system names it, for tests that find it as the
// holder of a port.

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cstdint>
#include <string>

#include "sys/program_path.h"

namespace zapp::testing {

inline uint32_t OwnPid() {
#ifdef _WIN32
  return GetCurrentProcessId();
#else
  return static_cast<uint32_t>(::getpid());
#endif
}

inline bool UnderWine() {
#ifdef _WIN32
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#else
  return false;
#endif
}

// The name the system gives this process: Linux keeps 15 bytes of it.
inline std::string OwnProgramName() {
  std::string name = zsys::ProgramPath().filename().string();
#ifndef _WIN32
  if (name.size() > 15) name.resize(15);
#endif
  return name;
}

}  // namespace zapp::testing
