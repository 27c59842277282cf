#pragma once
// What zaviz-repair takes from its command line.

#include <optional>
#include <string>
#include <vector>

namespace zaviz_repair {

struct Options {
  std::optional<std::string> card;      // --card NAME|INDEX
  std::optional<std::string> firmware;  // --firmware PATH
  bool yes = false;                     // --yes: no question before the card changes
  bool verbose = false;                 // --verbose: the workflow's diagnostic lines on stdout
};

enum class CommandLineResult { kRun, kHelp, kVersion, kError };

// `args` are the arguments after the program's name (UTF-8). On kError,
// `error` says what was wrong in one line.
CommandLineResult ParseCommandLine(const std::vector<std::string>& args, Options& options, std::string& error);
const char* UsageText();

// Exit codes of the program.
inline constexpr int kExitRepaired = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitBadUsage = 2;

}  // namespace zaviz_repair
