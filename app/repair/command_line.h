#pragma once
// What the program takes from its command line: on Linux the card to use
// (also a virtual one), the display scale and --version; on both platforms
// the language. Anything else is ignored; on Windows the command line
// otherwise only decides the console.

#include <optional>
#include <string>
#include <vector>

#include "app/repair/language.h"

namespace zapp {

struct RepairOptions {
  std::optional<std::string> card;   // --card IFNAME
  std::optional<int> scale;          // --scale PERCENT (digits only, else ignored)
  std::optional<Language> language;  // --lang zh|en (another value is ignored)
  bool version = false;
};

RepairOptions ParseRepairOptions(const std::vector<std::string>& args);
// The arguments joined with single blanks, as the console rule reads them.
std::wstring JoinedCommandLine(const std::vector<std::string>& args);

}  // namespace zapp
