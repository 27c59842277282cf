#include <cstdlib>

#include "app/repair/support/support_log.h"

namespace zapp {

std::filesystem::path DefaultSupportLogFolder() {
  // The XDG base directories: logs are state, not configuration or cache.
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return std::filesystem::path(state) / "zavizeravaredu";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::filesystem::path(home) / ".local" / "state" / "zavizeravaredu";
  return {};
}

}  // namespace zapp
