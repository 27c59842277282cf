#pragma once
// What zaviz-repair takes from its command line.

#include <optional>
#include <string>
#include <vector>

#include "app/repair/language.h"

namespace zaviz_repair {

struct Options {
  std::optional<std::string> card;         // --card NAME|INDEX
  std::optional<std::string> firmware;     // --firmware PATH
  bool yes = false;                        // --yes: no question before the card changes
  bool verbose = false;                    // --verbose: the workflow's diagnostic lines on stdout
  std::optional<zapp::Language> language;  // --lang zh|en
};

enum class CommandLineResult { kRun, kHelp, kVersion, kError };

// `args` are the arguments after the program's name (UTF-8). On kError,
// `error` says what was wrong in one line, in the current face.
CommandLineResult ParseCommandLine(const std::vector<std::string>& args, Options& options, std::string& error);
// The language --lang asks for, looked up before the rest is read.
std::optional<zapp::Language> LanguageOption(const std::vector<std::string>& args);

// Exit codes of the program.
inline constexpr int kExitRepaired = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitBadUsage = 2;

}  // namespace zaviz_repair
