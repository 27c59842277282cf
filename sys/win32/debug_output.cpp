#include "sys/debug_output.h"

#include <windows.h>

namespace zsys {

void DebugOutput(const char* line) {
  if (line != nullptr) OutputDebugStringA(line);
}

}  // namespace zsys
