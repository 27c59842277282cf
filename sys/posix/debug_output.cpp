#include "sys/debug_output.h"

#include <cstdio>
#include <cstdlib>

namespace zsys {

void DebugOutput(const char* line) {
  static const bool enabled = std::getenv("ZAVIZ_DEBUG") != nullptr;
  if (!enabled || line == nullptr) return;
  std::fprintf(stderr, "%s\n", line);
}

}  // namespace zsys
